#pragma once

#include "core/prompter.h"

#include <QList>
#include <QPair>
#include <QStringList>

// Records every notice and answers questions from a script (default "No").
class ScriptedPrompter : public Prompter
{
public:
    QStringList log; // "warn: text", "error: text", "info: text", "ask: text"
    QList<bool> answers;

    void warn(const QString &text) override { log << QStringLiteral("warn: ") + text; }
    void error(const QString &text) override { log << QStringLiteral("error: ") + text; }
    void info(const QString &text) override { log << QStringLiteral("info: ") + text; }
    bool ask(const QString &text) override
    {
        log << QStringLiteral("ask: ") + text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
