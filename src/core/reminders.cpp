#include "core/reminders.h"

#include <QUrl>

namespace Reminders
{

QString KindCode(Kind kind)
{
    return kind == Kind::Sticker ? QStringLiteral("OBLEA") : QStringLiteral("PH");
}

QString ChatLink(const QString &mobile, const QString &text)
{
    // Every byte but the unreserved characters is encoded: a raw "&" or "#"
    // would end the text, a raw "+" would arrive as a space.
    return kChatAddress + QString::fromLatin1(QUrl::toPercentEncoding(mobile.trimmed())) + QStringLiteral("?text=") +
           QString::fromLatin1(QUrl::toPercentEncoding(text));
}

bool HasMobile(const QString &mobile, const QString &subscriberNumber)
{
    return !mobile.trimmed().isEmpty() && !subscriberNumber.trimmed().isEmpty();
}

int CharacterCount(const QString &text)
{
    int count = 0;
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        if (it->isHighSurrogate() && it + 1 != text.cend() && (it + 1)->isLowSurrogate())
            ++it;
        ++count;
    }
    return count;
}

bool SentRecently(const QDate &lastSent, const QDate &today)
{
    if (!lastSent.isValid() || !today.isValid())
        return false;
    const qint64 days = lastSent.daysTo(today);
    return days >= 0 && days <= kRecentDays;
}

QString RecentNotice(const QDate &lastSent, const QDate &today)
{
    if (!SentRecently(lastSent, today))
        return {};
    const qint64 days = lastSent.daysTo(today);
    const QString when = days == 0   ? QStringLiteral("hoy")
                         : days == 1 ? QStringLiteral("ayer")
                                     : QStringLiteral("hace %1 días").arg(days);
    return QStringLiteral("Ya se le envió un recordatorio a este vehículo %1 (%2).")
        .arg(when, lastSent.toString(QStringLiteral("dd/MM/yyyy")));
}

} // namespace Reminders
