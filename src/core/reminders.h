#pragma once

#include <QDate>
#include <QString>

// WhatsApp reminders to owners whose sticker or cylinder test falls due.
namespace Reminders
{

enum class Kind { Sticker, HydraulicTest };

// How the reminder log names the kind: "OBLEA", "PH".
QString KindCode(Kind kind);

// WhatsApp's click-to-chat address; the number is its path.
inline const QString kChatAddress = QStringLiteral("https://wa.me/");

// The chat link for a mobile number ("549" + area + number, as listed) with
// the message pre-filled. The whole text is percent-encoded as UTF-8, so
// line breaks, "&", "#", "+", "?" and accents reach the chat as typed.
QString ChatLink(const QString &mobile, const QString &text);

// Whether a listed row has a number to write to: the built mobile, and the
// subscriber number it was built from, are not blank.
bool HasMobile(const QString &mobile, const QString &subscriberNumber);

// Characters of the message as the operator counts them: an accented letter
// or an emoji is one.
int CharacterCount(const QString &text);

// A reminder sent to the same vehicle this many days ago or fewer is
// pointed out (never refused), so nobody is written to twice by accident.
inline constexpr int kRecentDays = 7;
bool SentRecently(const QDate &lastSent, const QDate &today);

// What the reminder windows say about the selected row; empty when it was
// not written to recently.
QString RecentNotice(const QDate &lastSent, const QDate &today);

} // namespace Reminders
