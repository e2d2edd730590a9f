#include "platform/user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

class QtPrompts : public UserPrompts
{
public:
    void Message(QWidget *parent, const QString &caption, const QString &text) override
    {
        QMessageBox::information(parent, caption, text);
    }

    QString SaveFileName(QWidget *parent, const QString &caption, const QString &suggestion,
                         const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, suggestion, filter);
    }

    bool YesNo(QWidget *parent, const QString &caption, const QString &text) override
    {
        // Standard buttons, so that Qt's French translation names them "Oui" and "Non".
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
               QMessageBox::Yes;
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
