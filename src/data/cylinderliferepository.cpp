#include "data/cylinderliferepository.h"

#include "data/dm1.h"

namespace
{

NamedQuery &statement(const QString &name, const QString &sql)
{
    NamedQuery &q = dm1().statement(name, Conn::Operations, [&] { return sql; });
    q.close();
    return q;
}

// The columns both readings share; `c` the cylinder row, `u` its operation.
const char *const kLifeColumns =
    "u.ufechab, u.ufecmont, u.ufecrev, u.ucodgest, u.udescgest, u.codtal, u.udominio, u.uobleanew, "
    "c.ccodgest, c.cilcodh, c.cuphmes, c.cuphano, c.cuphcrpc, c.nrocertif, c.valcod, c.valnro";

CylinderLife::Event eventOf(const NamedQuery &q, bool pending)
{
    CylinderLife::Event e;
    e.habilitation = q.date(QStringLiteral("ufechab"));
    e.installation = q.date(QStringLiteral("ufecmont"));
    e.revision = q.date(QStringLiteral("ufecrev"));
    e.kind = q.text(QStringLiteral("ucodgest"));
    e.kindText = q.text(QStringLiteral("udescgest"));
    e.workshop = q.text(QStringLiteral("codtal"));
    e.plate = q.text(QStringLiteral("udominio"));
    e.sticker = q.text(QStringLiteral("uobleanew"));
    e.management = q.text(QStringLiteral("ccodgest"));
    e.code = q.text(QStringLiteral("cilcodh"));
    e.testMonth = q.text(QStringLiteral("cuphmes"));
    e.testYear = q.text(QStringLiteral("cuphano"));
    e.testCentre = q.text(QStringLiteral("cuphcrpc"));
    e.certificate = q.text(QStringLiteral("nrocertif"));
    e.valveCode = q.text(QStringLiteral("valcod"));
    e.valveSerial = q.text(QStringLiteral("valnro"));
    e.pending = pending;
    if (pending)
        e.pendingState = q.integer(QStringLiteral("estado"));
    return e;
}

} // namespace

namespace CylinderLifeRepository
{

QVector<CylinderLife::Event> Read(const QString &serial, const QString &code)
{
    // Both by the serial's index; the code only narrows what it finds.
    const QString filter = QStringLiteral(" where c.cnroserie = :s and (:c = '' or c.cilcodh = :c)");
    NamedQuery &stored =
        statement(QStringLiteral("CylinderLife.stored"),
                  QStringLiteral("select %1 from cil c join usr u on u.talcuit = c.talcuit and u.tnrointopr = "
                                 "c.tnrointopr")
                          .arg(QLatin1String(kLifeColumns)) +
                      filter);
    NamedQuery &pending = statement(QStringLiteral("CylinderLife.pending"),
                                    QStringLiteral("select %1, u.estado from temp_cil c join temp_usr u on u.id = c.id")
                                            .arg(QLatin1String(kLifeColumns)) +
                                        filter);
    Batch batch(Conn::Operations);
    for (NamedQuery *q : {&stored, &pending}) {
        q->setParam(QStringLiteral("s"), serial.trimmed());
        // Never NULL: "no code" must match every model.
        q->setParam(QStringLiteral("c"), code.trimmed().isEmpty() ? QStringLiteral("") : code.trimmed());
        batch.add(*q, true);
    }
    batch.run();
    QVector<CylinderLife::Event> out;
    out.reserve(stored.rowCount() + pending.rowCount());
    for (NamedQuery *q : {&stored, &pending}) {
        for (bool more = q->first(); more; more = q->next())
            out.push_back(eventOf(*q, q == &pending));
        q->close();
    }
    return out;
}

} // namespace CylinderLifeRepository
