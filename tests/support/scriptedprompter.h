#pragma once

#include "core/prompter.h"

#include <QList>
#include <QPair>
#include <QStringList>

// Records every notice and answers questions from a script (default "No").
// The log names the way each one would be shown: "warn:", "error:",
// "info:", "ask:" (message boxes), "askWarning:" ("Aceptar"/"No" warning),
// "question:" ("Si"/"No" warning), "askInfo:" ("Si"/"No" information),
// "confirm:" and "alert:" (the shared dialog TConfirmDlg).
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    QList<bool> answers;

    void warn(const QString &text) override { log << QStringLiteral("warn: ") + text; }
    void error(const QString &text) override { log << QStringLiteral("error: ") + text; }
    void info(const QString &text) override { log << QStringLiteral("info: ") + text; }
    bool ask(const QString &text) override { return answer(QStringLiteral("ask: ") + text); }
    bool askWarning(const QString &text) override { return answer(QStringLiteral("askWarning: ") + text); }
    bool question(const QString &text) override { return answer(QStringLiteral("question: ") + text); }
    bool askInfo(const QString &text) override { return answer(QStringLiteral("askInfo: ") + text); }
    bool confirm(const QString &text) override { return answer(QStringLiteral("confirm: ") + text); }
    void alert(const QString &text) override { log << QStringLiteral("alert: ") + text; }

private:
    bool answer(const QString &line)
    {
        log << line;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
};
