#include "widgets/fieldrules.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QWidget>

namespace Widgets
{

FieldRules::FieldRules(QWidget *window) : QObject(window), m_window(window)
{
    // The focus is followed from the application: a field's own focus events
    // also arrive when a message box or a list comes and goes.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusMoved(now); });
}

FieldRules *FieldRules::of(QWidget *window)
{
    if (auto *rules = window->findChild<FieldRules *>(QString(), Qt::FindDirectChildrenOnly))
        return rules;
    return new FieldRules(window);
}

void FieldRules::onEnter(QWidget *field, const Rule &rule)
{
    m_enter.insert(field, rule);
    // Seen as the focus event arrives, before the field's own handling: a
    // text the rule puts in is then selected by a Tab as the field's own.
    field->installEventFilter(this);
}

void FieldRules::onExit(QWidget *field, const Rule &rule)
{
    m_exit.insert(field, rule);
}

void FieldRules::exitsFreelyThrough(QWidget *button)
{
    m_freeExits.insert(button);
}

QWidget *FieldRules::fieldOf(QWidget *control) const
{
    QWidget *registered = nullptr;
    QWidget *compound = nullptr;
    for (QWidget *w = control; w && w != m_window; w = w->parentWidget()) {
        if (m_enter.contains(w) || m_exit.contains(w))
            registered = w;
        if (!compound && (qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)))
            compound = w;
    }
    if (registered)
        return registered;
    return compound ? compound : control;
}

bool FieldRules::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        focusMoved(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}

void FieldRules::focusMoved(QWidget *now)
{
    if (!now || now->window() != m_window)
        return; // another window, a message box or an open list: the field is not left
    QWidget *field = fieldOf(now);
    QWidget *left = m_current;
    if (left == field)
        return;
    m_current = field;
    if (left && !m_refocusing && m_busy == 0 && m_exit.contains(left) && !m_freeExits.contains(field)) {
        if (!m_waiting.contains(left))
            m_waiting.append(left);
        schedule();
    }
    if (m_refocusing)
        return;
    if (const auto it = m_enter.constFind(field); it != m_enter.constEnd()) {
        const Rule rule = it.value();
        rule();
    }
}

void FieldRules::refocus(QWidget *field)
{
    field = fieldOf(field);
    m_refused = true;
    m_waiting.clear(); // the operator is back in the refused field
    QWidget *was = m_current;
    // Set now: the window may get the focus back only once a message box has gone.
    m_current = field;
    if (was != field)
        if (const auto it = m_enter.constFind(field); it != m_enter.constEnd()) {
            const Rule rule = it.value();
            rule();
        }
    m_refocusing = true;
    field->setFocus(Qt::OtherFocusReason);
    m_refocusing = false;
}

FieldRules::Busy::Busy(FieldRules &rules) : m_rules(rules)
{
    ++m_rules.m_busy;
}

FieldRules::Busy::~Busy()
{
    if (--m_rules.m_busy == 0 && !m_rules.m_waiting.isEmpty())
        m_rules.schedule();
}

QList<QWidget *> FieldRules::waitingExits() const
{
    QList<QWidget *> fields;
    for (const QPointer<QWidget> &w : m_waiting)
        if (w)
            fields.append(w);
    return fields;
}

bool FieldRules::runWaitingExits(const std::function<bool(QWidget *)> &wanted)
{
    const QList<QWidget *> fields = waitingExits();
    m_waiting.clear();
    for (QWidget *field : fields)
        if ((!wanted || wanted(field)) && !run(field))
            return false;
    return true;
}

bool FieldRules::runExit(QWidget *field)
{
    m_waiting.removeAll(QPointer<QWidget>(field));
    return run(field);
}

bool FieldRules::run(QWidget *field)
{
    const auto it = m_exit.constFind(field);
    if (it == m_exit.constEnd())
        return true;
    const Rule rule = it.value(); // a copy: the rule may change the rules
    const bool outerRefused = m_refused;
    m_refused = false;
    bool refused = false;
    {
        const Busy busy(*this);
        rule();
        refused = m_refused;
    }
    m_refused = outerRefused || refused;
    return !refused;
}

bool FieldRules::freeExit() const
{
    return m_freeExits.contains(QApplication::focusWidget());
}

void FieldRules::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_scheduled = false;
            runWaiting();
        },
        Qt::QueuedConnection);
}

// In the order the fields were left, each after the one before has finished.
void FieldRules::runWaiting()
{
    while (!m_waiting.isEmpty() && m_busy == 0) { // else the end of the busy spell asks again
        if (!m_window->isVisible() || freeExit()) {
            // Closed by the click that took the focus, or gone on to "Cancelar".
            m_waiting.clear();
            return;
        }
        if (const QPointer<QWidget> field = m_waiting.takeFirst())
            run(field);
    }
}

} // namespace Widgets
