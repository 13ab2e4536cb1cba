#include "core/clock.h"

namespace
{
QDate g_fixedToday; // invalid: follow the system clock
}

QDate Clock::today()
{
    return g_fixedToday.isValid() ? g_fixedToday : QDate::currentDate();
}

void Clock::setToday(const QDate &date)
{
    g_fixedToday = date;
}

void Clock::reset()
{
    g_fixedToday = QDate();
}
