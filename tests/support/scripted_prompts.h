#pragma once

#include "platform/user_prompts.h"

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

    QStringList messages;
    QStringList suggestions;
    QStringList saveFileNames; // replies, in order; an empty reply cancels
};
