#include "data/workshopaccount.h"

#include "data/dm1.h"
#include "data/writeonce.h"

#include <QCryptographicHash>

namespace WorkshopAccount
{

namespace
{

NamedQuery &statement(const char *name)
{
    NamedQuery &q = dm1().query(QString::fromLatin1(name));
    q.close();
    return q;
}

} // namespace

void WriteStamp(const QString &workshopCode, const std::array<QString, 4> &lines, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = statement("SQLUpdateSello");
    for (int i = 0; i < 4; ++i)
        q.setParam(QStringLiteral("se%1").arg(i + 1), lines[i].isNull() ? QStringLiteral("") : lines[i]);
    q.setParam(QStringLiteral("tal"), workshopCode);
    WriteOnce::Statement(Conn::Operations, ticket, QStringLiteral("sello"), q, false);
}

bool ChangePassword(const QString &workshopCode, const QString &current, const QString &password)
{
    const QString currentHash =
        QString::fromLatin1(QCryptographicHash::hash(current.toUtf8(), QCryptographicHash::Sha256).toHex());
    NamedQuery &check = statement("SQLQueryPasswordTaller");
    check.setParam(QStringLiteral("tal"), workshopCode);
    check.setParam(QStringLiteral("actual"), currentHash);
    NamedQuery &write = statement("SQLUpdatePasswordTaller");
    write.setParam(QStringLiteral("nuevo"), QString::fromLatin1(password.toUtf8().toHex()));
    write.setParam(QStringLiteral("tal"), workshopCode);
    write.setParam(QStringLiteral("actual"), currentHash);
    Batch b(Conn::Operations);
    b.setAtomic(true);
    b.add(check, true);
    b.add(write, false);
    b.run();
    return check.first() && check.integer(QStringLiteral("propia")) > 0;
}

void MarkMessagesRead(const QString &workshopCode, int lastMessageId)
{
    NamedQuery &q = statement("UpdateMensajesLeidos");
    q.setParam(QStringLiteral("ta"), workshopCode);
    q.setParam(QStringLiteral("ultimo"), lastMessageId);
    // One exchange with its token: the outcome is known even when the
    // answer is lost (marking again would be harmless anyway).
    WriteOnce::Statement(Conn::Operations, nullptr, QStringLiteral("mensajes leidos"), q, false);
}

QVector<QSqlRecord> UnreadMessages(const QString &workshopCode)
{
    NamedQuery &q = statement("SimpleDataSetMensajes");
    q.setParam(QStringLiteral("ta"), workshopCode);
    q.open();
    return q.rows();
}

QVector<QSqlRecord> LoginMessages()
{
    return dm1().query(QStringLiteral("SimpleDataSetMensajes")).rows();
}

} // namespace WorkshopAccount
