#include "data/reminderrepository.h"

#include "data/dm1.h"
#include "data/localstore.h"
#include "data/writeonce.h"

namespace ReminderRepository
{

namespace
{

QVector<QSqlRecord> list(const QString &statement, const QString &workshop, const QDate &from, const QDate &to)
{
    NamedQuery &q = dm1().query(statement);
    q.close();
    q.setParam(QStringLiteral("ta"), workshop);
    q.setParam(QStringLiteral("de"), from);
    q.setParam(QStringLiteral("ha"), to);
    q.open();
    QVector<QSqlRecord> rows = q.rows();
    q.close();
    return rows;
}

QString messageColumn(Reminders::Kind kind)
{
    return kind == Reminders::Kind::Sticker ? QStringLiteral("mensajeWhatsApp") : QStringLiteral("mensajeWhatsAppPh");
}

} // namespace

QVector<QSqlRecord> ExpiryList(const QString &workshop, const QDate &from, const QDate &to)
{
    return list(QStringLiteral("SQLQueryVencimientoObleas"), workshop, from, to);
}

QVector<QSqlRecord> ReminderList(Reminders::Kind kind, const QString &workshop, const QDate &from, const QDate &to)
{
    return list(kind == Reminders::Kind::Sticker ? QStringLiteral("SQLQueryEnvioWhatsapp")
                                                 : QStringLiteral("SQLQueryEnvioWhatsappPH"),
                workshop, from, to);
}

QString Message(Reminders::Kind kind, const QString &workshop)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryMensajesWhatsapp"));
    q.close();
    q.setParam(QStringLiteral("ta"), workshop);
    q.open();
    // The text as stored: its own blanks and line breaks are the workshop's.
    const QString text = q.first() ? q.field(messageColumn(kind)).toString() : QString();
    q.close();
    return text;
}

void WriteMessage(Reminders::Kind kind, const QString &workshop, const QString &text, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = dm1().query(kind == Reminders::Kind::Sticker ? QStringLiteral("SQLUpdateMensajeWhatsapp")
                                                                 : QStringLiteral("SQLUpdateMensajeWhatsappPh"));
    q.close();
    q.setParam(QStringLiteral("me"), text.isNull() ? QStringLiteral("") : text); // cleared is empty, not NULL
    q.setParam(QStringLiteral("ta"), workshop);
    WriteOnce::Statement(Conn::Operations, ticket, QStringLiteral("mensaje whatsapp"), q, false);
    q.close();
}

} // namespace ReminderRepository

namespace ReminderLog
{

QString PlateKey(const QString &plate)
{
    return plate.trimmed().toUpper();
}

void Record(LocalTable &log, const QDate &date, const QString &plate, const QString &mobile, Reminders::Kind kind)
{
    log.append();
    log.setDate(QStringLiteral("fecha"), date);
    log.setText(QStringLiteral("dominio"), PlateKey(plate));
    log.setText(QStringLiteral("celular"), mobile.trimmed());
    log.setText(QStringLiteral("tipo"), Reminders::KindCode(kind));
    log.post();
}

QHash<QString, QDate> LastSent(const LocalTable &log, Reminders::Kind kind)
{
    QHash<QString, QDate> last;
    const int fecha = log.fieldIndex(QStringLiteral("fecha")), dominio = log.fieldIndex(QStringLiteral("dominio")),
              tipo = log.fieldIndex(QStringLiteral("tipo"));
    const QString code = Reminders::KindCode(kind);
    for (int r = 0; r < log.count(); ++r) {
        if (log.valueAt(r, tipo).toString() != code)
            continue;
        const QDate day = log.valueAt(r, fecha).toDate();
        QDate &known = last[log.valueAt(r, dominio).toString()];
        if (day.isValid() && (!known.isValid() || day > known))
            known = day;
    }
    return last;
}

} // namespace ReminderLog
