#include "data/workshopaccount.h"

#include "data/dm1.h"

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

void WriteStamp(const QString &workshopCode, const std::array<QString, 4> &lines)
{
    NamedQuery &q = statement("SQLUpdateSello");
    for (int i = 0; i < 4; ++i)
        q.setParam(QStringLiteral("se%1").arg(i + 1), lines[i].isNull() ? QStringLiteral("") : lines[i]);
    q.setParam(QStringLiteral("tal"), workshopCode);
    q.execute();
}

std::optional<QString> Password(const QString &workshopCode)
{
    NamedQuery &q = statement("SQLQueryPasswordTaller");
    q.setParam(QStringLiteral("tal"), workshopCode);
    q.open();
    if (!q.first())
        return std::nullopt;
    return q.field(QStringLiteral("Password")).toString();
}

void WritePassword(const QString &workshopCode, const QString &password)
{
    NamedQuery &q = statement("SQLUpdatePasswordTaller");
    q.setParam(QStringLiteral("new"), password);
    q.setParam(QStringLiteral("tal"), workshopCode);
    q.execute();
}

void MarkMessagesRead(const QString &workshopCode, int lastMessageId)
{
    Transaction tx(Conn::Operations);
    NamedQuery &q = statement("UpdateMensajesLeidos");
    q.setParam(QStringLiteral("ta"), workshopCode);
    q.setParam(QStringLiteral("ultimo"), lastMessageId);
    q.execute();
    tx.commit();
}

} // namespace WorkshopAccount
