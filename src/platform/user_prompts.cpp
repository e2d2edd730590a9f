#include "platform/user_prompts.h"

#include "platform/painter_surface.h"
#include "platform/registry.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace platform {

namespace {

// Where the file dialogs remember the last folder a file was chosen in, across runs.
const QString kFolderKey = QStringLiteral("Software\\Varnel\\Tamvel\\Settings");
const QString kFolderValue = QStringLiteral("DernierDossier");

// The last folder used when it still exists, else the home folder.
QString StartFolder()
{
    if (const auto key = RegistryKey::Open(kFolderKey)) {
        if (const auto folder = key->QueryText(kFolderValue); folder && QFileInfo(*folder).isDir())
            return *folder;
    }
    return QDir::homePath();
}

void RememberFolder(const QString &folder)
{
    // A folder the store could only keep cut would be another folder.
    if (folder.size() > kMaxStoredText)
        return;
    if (auto key = RegistryKey::OpenOrCreate(kFolderKey))
        key->SetText(kFolderValue, folder);
}

void RememberFolderOf(const QString &file)
{
    RememberFolder(QFileInfo(file).absolutePath());
}

// A bare file name starts in StartFolder(); a path starts where it says.
QString StartPath(const QString &name)
{
    if (name.isEmpty())
        return StartFolder();
    return QFileInfo(name).fileName() == name ? QDir(StartFolder()).filePath(name) : name;
}

class QtPrompts : public UserPrompts
{
public:
    void Message(QWidget *parent, const QString &caption, const QString &text, MessageIcon icon) override
    {
        switch (icon) {
        case MessageIcon::Information:
            QMessageBox::information(parent, caption, text);
            break;
        case MessageIcon::Exclamation:
            QMessageBox::warning(parent, caption, text);
            break;
        case MessageIcon::Error:
            QMessageBox::critical(parent, caption, text);
            break;
        }
    }

    QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestion,
                         const QString &filter) override
    {
        const QString chosen = QFileDialog::getSaveFileName(parent, caption, StartPath(suggestion), filter);
        if (!chosen.isEmpty())
            RememberFolderOf(chosen);
        return chosen;
    }

    QString OpenFileName(QWidget *parent, const QString &initial, const QString &filter,
                         const QString &defaultSuffix) override
    {
        // A file already named is shown selected in its folder; otherwise the dialog opens on a
        // folder with nothing typed.
        QFileDialog dialog(parent, QString(), initial.isEmpty() ? StartFolder() : QFileInfo(initial).absolutePath(),
                           filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(defaultSuffix);
        if (!initial.isEmpty())
            dialog.selectFile(initial);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog.selectedFiles().constFirst();
        RememberFolderOf(chosen);
        return chosen;
    }

    QString OpenFolderName(QWidget *parent, const QString &caption) override
    {
        const QString chosen = QFileDialog::getExistingDirectory(parent, caption, StartFolder());
        if (!chosen.isEmpty())
            RememberFolder(QFileInfo(chosen).absoluteFilePath());
        return chosen;
    }

    bool YesNo(QWidget *parent, const QString &caption, const QString &text) override
    {
        // Standard buttons, so that Qt's French translation names them "Oui" and "Non".
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
               QMessageBox::Yes;
    }

    std::optional<ColorRef> ChooseColor(QWidget *parent, ColorRef initial,
                                        std::array<ColorRef, 16> &customColours) override
    {
        // Qt's own dialog: a desktop's native one may ignore the custom colours.
        for (int k = 0; k < 16; ++k)
            QColorDialog::setCustomColor(k, ToQColor(customColours[static_cast<std::size_t>(k)]));
        const QColor chosen =
            QColorDialog::getColor(ToQColor(initial), parent, QString(), QColorDialog::DontUseNativeDialog);
        for (int k = 0; k < 16; ++k)
            customColours[static_cast<std::size_t>(k)] = FromQColor(QColorDialog::customColor(k));
        if (!chosen.isValid())
            return std::nullopt;
        return FromQColor(chosen);
    }

private:
    static ColorRef FromQColor(const QColor &colour)
    {
        return static_cast<ColorRef>(colour.red()) | static_cast<ColorRef>(colour.green()) << 8 |
               static_cast<ColorRef>(colour.blue()) << 16;
    }
};

UserPrompts *installed = nullptr;

} // namespace

UserPrompts &Prompts()
{
    static QtPrompts qtPrompts;
    return installed != nullptr ? *installed : qtPrompts;
}

void SetPrompts(UserPrompts *prompts)
{
    installed = prompts;
}

} // namespace platform
