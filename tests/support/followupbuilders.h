#pragma once

// Shared builders of the central rows the follow-up windows read: registered
// operations with their regulators and cylinders, and the appointment times.
#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <stdexcept>

namespace Build
{

inline void run(QSqlDatabase db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        throw std::runtime_error(q.lastError().text().toStdString());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

inline qlonglong count(QSqlDatabase db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec() || !q.next())
        throw std::runtime_error(q.lastError().text().toStdString());
    return q.value(0).toLongLong();
}

inline const QString kCuit = QStringLiteral("30-71234567-9");

// A registered operation of workshop TDM0001 owned by someone with a mobile.
struct Operation {
    qint64 number = 1;
    QString workshop = QStringLiteral("TDM0001");
    QString plate = QStringLiteral("AB123CD");
    QString kind = QStringLiteral("R");
    QString owner = QStringLiteral("PEREZ JUAN");
    QString sticker = QStringLiteral("4500000001");
    QDate assigned; // xfecasig
    QDate expires;  // ufecvenhab
    QDate enabled;  // ufechab
    QVariant area = QStringLiteral("11");
    QVariant phone = QStringLiteral("54327788");
    QString phoneKind = QStringLiteral("CELULAR");
    QString uano = QStringLiteral("2010");

    Operation &n(qint64 v)
    {
        number = v;
        return *this;
    }
};

inline void insert(QSqlDatabase db, const Operation &o)
{
    run(db,
        QStringLiteral(
            "insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, ucodgest, udescgest, "
            "uobleanew, umarca, umodelo, uano, uapeynom, ucalle, unro, ubarrio, ucodpostal, ulocalidad, "
            "uprovincia, UCARACT, utelefono, te_tipo, email, xfecasig, ufecvenhab, ufechab) values ('0031', ?, "
            "?, ?, ?, ?, ?, ?, 'FIAT', 'SIENA', ?, ?, 'MITRE', '123', 'CENTRO', '1704', 'RAMOS MEJIA', "
            "'BUENOS AIRES', ?, ?, ?, 'juan@mail.com', ?, ?, ?)"),
        {o.workshop, kCuit, o.number, o.plate, o.kind,
         o.kind == QLatin1String("C") ? QStringLiteral("CONVERSION") : QStringLiteral("REVISION"), o.sticker, o.uano,
         o.owner, o.area, o.phone, o.phoneKind,
         o.assigned.isValid() ? QVariant(o.assigned) : QVariant(QMetaType(QMetaType::QDate)),
         o.expires.isValid() ? QVariant(o.expires) : QVariant(QMetaType(QMetaType::QDate)),
         o.enabled.isValid() ? QVariant(o.enabled) : QVariant(QMetaType(QMetaType::QDate))});
}

// A cylinder as its life reads it: model, management letter and last test (month, two-digit year).
inline void lifeCylinder(QSqlDatabase db, qint64 number, const QString &serial, const QString &code,
                         const QString &management, const QString &testMonth, const QString &testYear)
{
    run(db,
        QStringLiteral("insert into cil (peccod, talcuit, tnrointopr, cilcodh, cnroserie, ccodgest, cuphmes, cuphano, "
                       "cuphcrpc) values ('0031', ?, ?, ?, ?, ?, ?, ?, 'CR01')"),
        {kCuit, number, code, serial, management, testMonth, testYear});
}

// A pending operation of `workshop` in verification state `state`, with one cylinder
// when `serial` is given; its id.
inline int pending(QSqlDatabase db, const QString &workshop, int state,
                   const QString &plate = QStringLiteral("AB123CD"), const QDate &enabled = {},
                   const QString &serial = {}, const QString &management = {})
{
    run(db,
        QStringLiteral("insert into temp_usr (estado, peccod, codtal, talcuit, udominio, ucodgest, udescgest, "
                       "ufechab) values (?, '0031', ?, ?, ?, 'R', 'REVISION', ?)"),
        {state, workshop, kCuit, plate, enabled.isValid() ? QVariant(enabled) : QVariant(QMetaType(QMetaType::QDate))});
    const int id = int(count(db, QStringLiteral("select max(id) from temp_usr")));
    if (!serial.isEmpty())
        run(db,
            QStringLiteral(
                "insert into temp_cil (id, peccod, talcuit, udominio, cilcodh, cnroserie, ccodgest, cuphmes, "
                "cuphano) values (?, '0031', ?, ?, 'F040', ?, ?, '03', '24')"),
            {id, kCuit, plate, serial, management});
    return id;
}

inline void regulator(QSqlDatabase db, qint64 number, const QString &serial,
                      const QString &code = QStringLiteral("T009"))
{
    run(db,
        QStringLiteral("insert into reg (peccod, talcuit, tnrointopr, rcodregh, rnroserie, rcodgest) values ('0031', "
                       "?, ?, ?, ?, 'S')"),
        {kCuit, number, code, serial});
}

// A cylinder with its valve (and the valve it replaced, when given).
inline void cylinder(QSqlDatabase db, qint64 number, const QString &serial, const QDate &testExpires = {},
                     const QString &valve = QStringLiteral("VA1"), const QString &replaced = QString())
{
    run(db,
        QStringLiteral("insert into cil (peccod, talcuit, tnrointopr, cilcodh, cnroserie, ccodgest, fecvencrpc, "
                       "valcod, valnro, valgest, rvalcod, rvalnro, rvalgest) values ('0031', ?, ?, 'F040', ?, 'S', ?, "
                       "'V101', ?, 'M', ?, ?, ?)"),
        {kCuit, number, serial, testExpires.isValid() ? QVariant(testExpires) : QVariant(QMetaType(QMetaType::QDate)),
         valve, replaced.isEmpty() ? QString() : QStringLiteral("V102"), replaced,
         replaced.isEmpty() ? QString() : QStringLiteral("D")});
}

// The offered times of day, given out of order.
inline void slotTimes(QSqlDatabase db, const QStringList &times)
{
    for (const QString &t : times)
        run(db, QStringLiteral("insert into turnos_horarios (hora) values (?)"), {t});
}

} // namespace Build
