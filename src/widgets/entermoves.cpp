#include "widgets/entermoves.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QWidget>

namespace Widgets
{

namespace
{

class EnterMovesFocus : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter)
            return false;
        focusNextField(static_cast<QWidget *>(watched), !(ke->modifiers() & Qt::ShiftModifier));
        return true;
    }
};

QObject *filter()
{
    static auto *f = new EnterMovesFocus(qApp);
    return f;
}

} // namespace

bool focusNextField(QWidget *from, bool forward)
{
    const auto isField = [from](const QWidget *w) {
        return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
               w->window() == from->window() && !qobject_cast<const QToolButton *>(w) &&
               !qobject_cast<const QLabel *>(w) && !qobject_cast<const QComboBox *>(w->parentWidget()) &&
               !qobject_cast<const QAbstractSpinBox *>(w->parentWidget());
    };
    for (QWidget *w = forward ? from->nextInFocusChain() : from->previousInFocusChain(); w && w != from;
         w = forward ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (isField(w)) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void moveFocusOnEnter(QWidget *field)
{
    field->installEventFilter(filter());
}

void moveFocusOnEnter(const QList<QWidget *> &fields)
{
    for (QWidget *f : fields)
        moveFocusOnEnter(f);
}

void setTabOrder(const QList<QWidget *> &fields)
{
    for (qsizetype i = 0; i + 1 < fields.size(); ++i)
        QWidget::setTabOrder(fields.at(i), fields.at(i + 1));
}

} // namespace Widgets
