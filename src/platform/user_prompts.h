#pragma once

#include "platform/draw_surface.h"

#include <QString>

#include <array>
#include <optional>

class QWidget;

namespace platform {

// The icon of a message box: information, exclamation (warnings, file errors) or error.
enum class MessageIcon { Information, Exclamation, Error };

// Message boxes and standard file and colour dialogs behind one interface: the program answers with Qt's
// dialogs, tests with scripted replies that record what was asked.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // A message with an OK button.
    virtual void Message(QWidget *parent, const QString &caption, const QString &text,
                         MessageIcon icon = MessageIcon::Information) = 0;
    // The file dialogs open in the folder of the last file chosen in any of them (remembered
    // across runs), else the home folder, unless they are given a path.

    // The file name to save to, or an empty text when the user cancels. A `suggestion` without a
    // folder is offered in that folder.
    virtual QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestion,
                                 const QString &filter) = 0;
    // The file to open, chosen among existing files starting from `initial` (a file, shown
    // selected; empty: nothing typed); an empty text when the user cancels. `defaultSuffix` is
    // added to a name typed without one.
    virtual QString OpenFileName(QWidget *parent, const QString &initial, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    // A folder chosen among existing ones, starting where the last file or folder was chosen; an
    // empty text when the user cancels.
    virtual QString OpenFolderName(QWidget *parent, const QString &caption) = 0;

    // A Yes/No question; true for Yes.
    virtual bool YesNo(QWidget *parent, const QString &caption, const QString &text) = 0;
    // The colour picker, opened on `initial` with the 16 custom colours, which come back as the
    // user left them whether the picker was confirmed or not. The chosen colour, or nothing
    // when the user cancels.
    virtual std::optional<ColorRef> ChooseColor(QWidget *parent, ColorRef initial,
                                                std::array<ColorRef, 16> &customColours) = 0;
};

// The prompts in use; Qt's dialogs unless a test installed its own.
UserPrompts &Prompts();
// Installs other prompts (null restores Qt's). The caller keeps ownership.
void SetPrompts(UserPrompts *prompts);

} // namespace platform
