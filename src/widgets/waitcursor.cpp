#include "widgets/waitcursor.h"

#include <QApplication>

namespace Widgets
{

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    release();
}

void WaitCursor::release()
{
    if (m_on)
        QApplication::restoreOverrideCursor();
    m_on = false;
}

} // namespace Widgets
