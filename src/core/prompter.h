#pragma once

#include <QString>

// Questions and notices raised in the middle of a rule. The GUI shows them
// with TConfirmDlg / the Spanish message boxes; tests script the answers.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual void warn(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual void info(const QString &text) = 0;
    virtual bool ask(const QString &text) = 0; // "Si" -> true
};
