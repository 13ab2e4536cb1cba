#pragma once

// Message boxes with the system's Spanish captions and buttons. Every window
// shows its notices through these, so tests can take them over with a hook.

#include "core/prompter.h"

#include <QString>
#include <functional>

class QWidget;

namespace Msg {

enum class Kind { Warning, Error, Info, Confirm };

// "Cuidado!", "Error", "Información", "Confirmación".
QString caption(Kind kind);

void warning(QWidget *parent, const QString &text);
void error(QWidget *parent, const QString &text);
void info(QWidget *parent, const QString &text);
bool confirm(QWidget *parent, const QString &text); // "Si" -> true

// While a hook is set no box is shown: the hook gets each message and its
// return value is the answer of a confirmation (ignored for the others).
using Hook = std::function<bool(Kind kind, const QString &text)>;
void setHook(Hook hook);
bool hasHook();

} // namespace Msg

// Questions from rules, shown with the message boxes above.
class GuiPrompter : public Prompter
{
public:
    explicit GuiPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void warn(const QString &text) override;
    void error(const QString &text) override;
    void info(const QString &text) override;
    bool ask(const QString &text) override;

private:
    QWidget *m_parent;
};
