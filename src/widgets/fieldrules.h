#pragma once

// What a window does as the operator enters and leaves its fields.
//
// A field is entered when the focus comes to it from another control of the
// window, and left when the focus goes from it to another control of the
// window, however it went (Tab, Enter, a click, a rule). A message box, an
// open list, a look-up dialog or another window that takes the focus for a
// while and gives it back is neither.
//
// Entry rules run as the focus arrives. Exit rules run once the focus change
// has finished (they show messages and open dialogs), at most once per leave
// and one at a time: no focus move made while a rule runs counts as leaving.
// A rule refuses by calling refocus(), which takes the operator back to the
// field; the exits still waiting are then dropped.

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

class QWidget;

namespace Widgets
{

class FieldRules : public QObject
{
    Q_OBJECT
public:
    using Rule = std::function<void()>;

    explicit FieldRules(QWidget *window);
    // The window's rules, made on first use; the window owns them.
    static FieldRules *of(QWidget *window);

    void onEnter(QWidget *field, const Rule &rule);
    void onExit(QWidget *field, const Rule &rule);
    // Going from a field to `button` (e.g. "Cancelar") is not leaving it.
    void exitsFreelyThrough(QWidget *button);

    // Back to a field whose rule refused; not an exit of the field the focus
    // was in.
    void refocus(QWidget *field);

    // While one lives (a button's own checks, a look-up it opens) focus moves
    // are not leaving, and the exits waiting run after it.
    class Busy
    {
    public:
        explicit Busy(FieldRules &rules);
        ~Busy();
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        FieldRules &m_rules;
    };
    bool running() const { return m_busy > 0; }

    // "Aceptar" arrives before the rule of the field it left has run: the
    // fields whose exit rules wait, in order, and a way to run them now.
    // runWaitingExits() runs those `wanted` says (all without it) and drops
    // the rest; false when one refused.
    QList<QWidget *> waitingExits() const;
    bool runWaitingExits(const std::function<bool(QWidget *)> &wanted = {});
    // Runs the field's exit rule now; false when it refused (true without one).
    bool runExit(QWidget *field);

    // The field a control belongs to: the line edit inside a combo or a spin
    // box is the combo or the spin box.
    QWidget *fieldOf(QWidget *control) const;
    // The field the focus is in, or was in last.
    QWidget *current() const { return m_current; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusMoved(QWidget *now);
    void schedule();
    void runWaiting();
    bool run(QWidget *field);
    bool freeExit() const;

    QWidget *m_window;
    QHash<QWidget *, Rule> m_enter, m_exit;
    QSet<QWidget *> m_freeExits;
    QPointer<QWidget> m_current;
    QList<QPointer<QWidget>> m_waiting;
    bool m_scheduled = false;
    bool m_refocusing = false;
    bool m_refused = false;
    int m_busy = 0;
};

} // namespace Widgets
