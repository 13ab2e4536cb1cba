#pragma once

// Message boxes with the system's Spanish captions and buttons, and the GUI
// prompter that windows speak through. Tests take the boxes over with a hook.

#include "core/prompter.h"

#include <QString>
#include <functional>

class QAbstractButton;
class QMessageBox;
class QWidget;

namespace Msg
{

// WarningQuestion: "Aceptar" / "No"; WarningYesNo and InfoYesNo: "Si" /
// "No". All three answer "No" to Enter and Esc.
enum class Kind { Warning, Error, Info, Confirm, WarningQuestion, WarningYesNo, InfoYesNo };

// "Cuidado!", "Error", "Información", "Confirmación" (a warning question is
// captioned as a warning).
QString caption(Kind kind);

void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
void info(QWidget *parent, const QString &text);
bool confirm(QWidget *parent, const QString &text);         // "Si" -> true
bool warningQuestion(QWidget *parent, const QString &text); // "Aceptar" -> true
bool warningYesNo(QWidget *parent, const QString &text);    // "Si" -> true
bool infoYesNo(QWidget *parent, const QString &text);       // "Si" -> true

// Lays a box out for `kind`: caption, icon, text and the Spanish buttons.
// Returns the button that answers yes (none for the notices).
QAbstractButton *prepare(QMessageBox &box, Kind kind, const QString &text);

// While a hook is set no box is shown: the hook gets each message and its
// return value is the answer of a question (ignored for the others).
using Hook = std::function<bool(Kind kind, const QString &text)>;
void setHook(Hook hook);
bool hasHook();

} // namespace Msg

// The message boxes and TConfirmDlg behind the Prompter interface. Boxes
// belong to `parent`, or to the window in front when there is none.
class GuiPrompter : public Prompter
{
public:
    explicit GuiPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void warn(const QString &text) override;
    void error(const QString &text) override;
    void info(const QString &text) override;
    bool ask(const QString &text) override;
    bool askWarning(const QString &text) override;
    bool question(const QString &text) override;
    bool askInfo(const QString &text) override;
    bool confirm(const QString &text) override;
    void alert(const QString &text) override;

private:
    QWidget *parent() const;
    QWidget *m_parent;
};

// The program's GUI prompter, for windows that have no other.
Prompter &guiPrompter();
