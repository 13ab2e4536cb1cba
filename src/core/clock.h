#pragma once

#include <QDate>

// The one source of "today" for rules that depend on the date (model-year
// limit, default dates). Tests pin it with setToday() and undo with reset().
class Clock
{
public:
    static QDate today();
    static void setToday(const QDate &date);
    static void reset();
};
