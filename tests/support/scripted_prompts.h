#pragma once

#include "platform/user_prompts.h"

#include <QList>
#include <QStringList>

// Answers the program's questions from a script and remembers what it was told; installed for
// the life of the object.
class ScriptedPrompts : public platform::UserPrompts
{
public:
    ScriptedPrompts() { platform::SetPrompts(this); }
    ~ScriptedPrompts() override { platform::SetPrompts(nullptr); }

    void Message(QWidget *, const QString &, const QString &text) override { messages << text; }

    QString SaveFileName(QWidget *, const QString &, const QString &suggestion, const QString &) override
    {
        suggestions << suggestion;
        return saveFileNames.isEmpty() ? QString() : saveFileNames.takeFirst();
    }

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

    QStringList messages;
    QStringList suggestions;
    QStringList saveFileNames; // replies, in order; an empty reply cancels
};
