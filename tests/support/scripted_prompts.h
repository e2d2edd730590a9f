#pragma once

#include "platform/user_prompts.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Answers the program's questions from a script and remembers what it was told; installed for
// the life of the object.
class ScriptedPrompts : public platform::UserPrompts
{
public:
    ScriptedPrompts() { platform::SetPrompts(this); }
    ~ScriptedPrompts() override { platform::SetPrompts(nullptr); }

    void Message(QWidget *, const QString &caption, const QString &text, platform::MessageIcon icon) override
    {
        messageCaptions << caption;
        messages << text;
        messageIcons << icon;
    }

    QString SaveFileName(QWidget *, const QString &, const QString &suggestion, const QString &) override
    {
        suggestions << suggestion;
        return saveFileNames.isEmpty() ? QString() : saveFileNames.takeFirst();
    }

    // Records where the file dialog started and pops the next reply; an empty reply, or none
    // left, cancels.
    QString OpenFileName(QWidget *, const QString &initial, const QString &filter, const QString &) override
    {
        openStarts << initial;
        openFilters << filter;
        return openFileNames.isEmpty() ? QString() : openFileNames.takeFirst();
    }
    QStringList openStarts;
    QStringList openFilters;
    QStringList openFileNames;

    // Pops the next scripted folder; none left cancels.
    QString OpenFolderName(QWidget *, const QString &) override
    {
        return openFolderNames.isEmpty() ? QString() : openFolderNames.takeFirst();
    }
    QStringList openFolderNames;

    // Pops the next scripted reply; No when the script has run out.
    bool YesNo(QWidget *, const QString &caption, const QString &text) override
    {
        questionCaptions << caption;
        questions << text;
        return !yesNoReplies.isEmpty() && yesNoReplies.takeFirst();
    }
    QStringList questions;
    QStringList questionCaptions;
    QList<bool> yesNoReplies;

    // Records the starting colour and the custom colours offered, lets `editCustomColours` change
    // them as a user would, then gives the next scripted reply (none left: the user cancels).
    std::optional<platform::ColorRef> ChooseColor(QWidget *, platform::ColorRef initial,
                                                  std::array<platform::ColorRef, 16> &customColours) override
    {
        colourStarts.push_back(initial);
        offeredCustomColours.push_back(customColours);
        if (editCustomColours)
            editCustomColours(customColours);
        if (colourReplies.empty())
            return std::nullopt;
        const std::optional<platform::ColorRef> reply = colourReplies.front();
        colourReplies.pop_front();
        return reply;
    }

    QStringList messages;
    QStringList messageCaptions;
    QList<platform::MessageIcon> messageIcons;
    QStringList suggestions;
    QStringList saveFileNames; // replies, in order; an empty reply cancels
    std::vector<platform::ColorRef> colourStarts;
    std::vector<std::array<platform::ColorRef, 16>> offeredCustomColours;
    std::deque<std::optional<platform::ColorRef>> colourReplies; // nullopt cancels
    std::function<void(std::array<platform::ColorRef, 16> &)> editCustomColours;
};
