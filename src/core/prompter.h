#pragma once

#include <QString>

// Every question and notice of a window or a rule goes through one of these.
// The GUI implementation (widgets/messages.h) shows the Spanish message boxes
// and the shared dialog TConfirmDlg; tests script the answers. Windows take it
// as a reference: there is always someone to tell.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual void warn(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual void info(const QString &text) = 0;
    virtual bool ask(const QString &text) = 0; // "Si" -> true

    // A warning that asks ("Aceptar" / "No"), as before deleting stored rows.
    virtual bool askWarning(const QString &text) { return ask(text); }
    // A warning with "Si" / "No": a doubtful value the operator may keep
    // ("... Sigue?", a rejected cylinder). "Si" -> true.
    virtual bool question(const QString &text) { return ask(text); }
    // An information with "Si" / "No": the operator may go on although the
    // data say there is no need ("... no requiere PH. Continua de todos
    // modos?"). "Si" -> true.
    virtual bool askInfo(const QString &text) { return ask(text); }
    // The shared dialog TConfirmDlg, announced by a beep: its "Si"/"No"
    // question with the caption "Confirmación", and its one-button notice
    // with the caption "Error".
    virtual bool confirm(const QString &text) { return ask(text); }
    virtual void alert(const QString &text) { error(text); }
};
