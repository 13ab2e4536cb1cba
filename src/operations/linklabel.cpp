#include "operations/linklabel.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::setUnderline(bool on)
{
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setUnderline(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setUnderline(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}
