#include "widgets/entermoves.h"

#include <QApplication>
#include <QKeyEvent>
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
        // Exactly what Tab or Shift+Tab would do from here.
        const bool forward = !(ke->modifiers() & Qt::ShiftModifier);
        QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                      forward ? Qt::NoModifier : Qt::ShiftModifier);
        QApplication::sendEvent(watched, &tab);
        return true;
    }
};

QObject *filter()
{
    static auto *f = new EnterMovesFocus(qApp);
    return f;
}

} // namespace

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
