#pragma once

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>
#include <optional>

// "Resumen del día": what waits for the operator when the day starts, each
// count leading to the window that deals with it.
namespace DaySummary
{

struct Expiry {
    QString plate;
    QDate date;
};

// What one reading of the central database gives.
struct Reading {
    int awaitingVerification = 0;          // pending operations in state 0
    QVector<int> verifiedWithObservations; // ids of pending operations in state 1
    int stickersThisWeek = 0;              // assigned since Monday
    QVector<Expiry> expiries;              // stickers expiring in the next kExpiryDays
    int appointmentsToday = 0;             // booked slots
};

inline constexpr int kExpiryDays = 30;
// A reminder sent this many days before an expiry, or later, covers it.
inline constexpr int kReminderLeadDays = 60;

// Monday of `today`'s week.
QDate WeekStart(const QDate &today);
// The last day of the expiry window that starts today.
QDate ExpiryWindowEnd(const QDate &today);

// Operations verified with observations that were not so at the last login.
int NewSince(const QVector<int> &now, const QSet<int> &atLastLogin);

// Expiries whose vehicle got no reminder for them (`lastSent`: plate as
// ReminderLog keys it -> last day a sticker reminder went to it).
int WithoutReminder(const QVector<Expiry> &expiries, const QHash<QString, QDate> &lastSent);

// Which functions the workstation offers; a line appears only for those.
struct Offered {
    bool pending = false;      // pending operations window
    bool stickers = false;     // assigned stickers window
    bool reminders = false;    // sticker reminders window
    bool appointments = false; // appointment book
    bool outbox = false;       // operations waiting to be sent
};

enum class LineId { Pending, Observed, Stickers, Expiries, Appointments, Outbox };

struct Counts {
    int pending = 0, observed = 0, stickers = 0, expiries = 0, appointments = 0;
    int outbox = 0;
};

Counts CountsOf(const Reading &r, const QSet<int> &observedAtLastLogin, const QHash<QString, QDate> &lastSent);

struct Line {
    LineId id;
    int count = 0;
    QString text;
    bool operator==(const Line &) const = default;
};

QVector<Line> Lines(const Counts &counts, const Offered &offered);

} // namespace DaySummary
