#include "data/recallrepository.h"

#include "data/dm1.h"

#include <QSqlRecord>

namespace RecallRepository
{

namespace
{

using Params = QList<QPair<QString, QVariant>>;

NamedQuery &prepared(const char *name, const Params &params)
{
    NamedQuery &q = dm1().query(QString::fromLatin1(name));
    q.close();
    for (const auto &p : params)
        q.setParam(p.first, p.second);
    return q;
}

QList<Recall::Row> rowsOf(const NamedQuery &q)
{
    QList<Recall::Row> rows;
    for (const QSqlRecord &rec : q.rows()) {
        Recall::Row row;
        for (int i = 0; i < rec.count(); ++i)
            row.insert(rec.fieldName(i), rec.value(i));
        rows << row;
    }
    return rows;
}

// The statements of one recall, run in one exchange and read back.
class Reading
{
public:
    NamedQuery *usr = nullptr, *regs = nullptr, *cils = nullptr, *brands = nullptr, *identity = nullptr,
               *previous = nullptr;

    void add(NamedQuery *q, bool select)
    {
        m_batch.add(*q, select);
        m_all << q;
    }
    Found run()
    {
        m_batch.run();
        Found f;
        if (usr) {
            const QList<Recall::Row> rows = rowsOf(*usr);
            if (!rows.isEmpty())
                f.usr = rows.first();
        }
        if (regs)
            f.regs = rowsOf(*regs);
        if (cils)
            f.cils = rowsOf(*cils);
        if (brands)
            for (bool more = brands->first(); more; more = brands->next())
                f.regulatorBrands.insert(brands->text(QStringLiteral("CODIGO")).toUpper(),
                                         brands->text(QStringLiteral("MARCA")));
        if (identity && identity->first()) {
            const NamedQuery &t = *identity;
            f.identity =
                WorkshopIdentity{t.text(QStringLiteral("talcuit")),
                                 t.text(QStringLiteral("rmatreshab")),
                                 t.text(QStringLiteral("trazsoc")),
                                 t.text(QStringLiteral("tcalle")),
                                 t.text(QStringLiteral("tnumero")),
                                 t.text(QStringLiteral("tlocalidad")),
                                 !t.isNull(QStringLiteral("RNOMBRE")) || !t.isNull(QStringLiteral("RAPELLIDO")),
                                 t.text(QStringLiteral("RNOMBRE")),
                                 t.text(QStringLiteral("RAPELLIDO"))};
        }
        if (previous && previous->first())
            f.previousOfAssigned = previous->text(QStringLiteral("uobleaant"));
        for (NamedQuery *q : std::as_const(m_all))
            q->close();
        return f;
    }

private:
    Batch m_batch{Conn::Operations};
    QList<NamedQuery *> m_all;
};

void addIdentity(Reading &r, const QString &workshopCode)
{
    r.identity = &prepared("SQLQueryTaller", {{QStringLiteral("ct"), workshopCode}});
    r.add(r.identity, true);
}

} // namespace

QString Found::brandOf(const QString &code) const
{
    return regulatorBrands.value(code.trimmed().toUpper());
}

Found BySticker(const QString &sticker, const QString &previousSticker, const QString &workshopCode)
{
    // A zero sticker: the operation that replaced the previous one.
    const bool byPrevious = sticker.trimmed().isEmpty() || sticker == QLatin1String("0000000000");
    const QString key = byPrevious ? previousSticker : sticker;
    Reading r;
    r.usr = &prepared(byPrevious ? "SQLQueryUsrPorObleaAnt" : "SQLQueryObleaAnterior", {{QStringLiteral("ob"), key}});
    r.add(r.usr, true);
    // The found operation's key stays on the server for the statements after it.
    r.add(&prepared(byPrevious ? "SQLClaveOperacionPorObleaAnt" : "SQLClaveOperacionPorOblea",
                    {{QStringLiteral("ob"), key}}),
          false);
    const Params found = {{QStringLiteral("cu"), QVariant::fromValue(SessionVariable{QStringLiteral("tarvil_cuit")})},
                          {QStringLiteral("nro"), QVariant::fromValue(SessionVariable{QStringLiteral("tarvil_nro")})}};
    r.regs = &prepared("SQLQueryReg", found);
    r.add(r.regs, true);
    r.cils = &prepared("SQLQueryCil", found);
    r.add(r.cils, true);
    r.brands = &prepared("SQLQueryMarcasReg", found);
    r.add(r.brands, true);
    addIdentity(r, workshopCode);
    return r.run();
}

Found ByNumber(const QString &peccod, const QString &talcuit, qint64 number, bool allPecs, const QString &workshopCode)
{
    const Params keys = {
        {QStringLiteral("pec"), peccod}, {QStringLiteral("talcuit"), talcuit}, {QStringLiteral("tnrointopr"), number}};
    Reading r;
    r.usr = &prepared(allPecs ? "SQLQueryUsrXNroIntFull" : "SQLQueryUsrXNroIntNew", keys);
    r.add(r.usr, true);
    r.regs = &prepared(allPecs ? "SQLQueryRegXNroIntFull" : "SQLQueryRegXNroIntNew", keys);
    r.add(r.regs, true);
    r.cils = &prepared(allPecs ? "SQLQueryCilXNroIntFull" : "SQLQueryCilXNroIntNew", keys);
    r.add(r.cils, true);
    r.brands = allPecs
                   ? &prepared("SQLQueryMarcasRegFull", keys)
                   : &prepared("SQLQueryMarcasReg", {{QStringLiteral("cu"), talcuit}, {QStringLiteral("nro"), number}});
    r.add(r.brands, true);
    addIdentity(r, workshopCode);
    return r.run();
}

QVector<QSqlRecord> ByOwner(const QString &pattern, const std::optional<QSqlRecord> &after)
{
    NamedQuery &q = dm1().query(QStringLiteral("SDBusquedaPorApellidoPagina"));
    q.close();
    q.setParam(QStringLiteral("ayn"), pattern);
    q.setParam(QStringLiteral("ultimo"),
               after ? after->value(QStringLiteral("uapeynom")).toString() : QStringLiteral(""));
    q.setParam(QStringLiteral("cuit"), after ? after->value(QStringLiteral("talcuit")).toString() : QStringLiteral(""));
    q.setParam(QStringLiteral("nro"), after ? after->value(QStringLiteral("tnrointopr")).toLongLong() : -1);
    q.open();
    QVector<QSqlRecord> rows = q.rows();
    q.close();
    return rows;
}

Found Pending(int id)
{
    Reading r;
    r.usr = &prepared("SQLQueryUsrTemp", {{QStringLiteral("user_id"), id}});
    r.add(r.usr, true);
    r.regs = &prepared("SQLQueryRegTemp", {{QStringLiteral("reg_id"), id}});
    r.add(r.regs, true);
    r.cils = &prepared("SQLQueryCilTemp", {{QStringLiteral("cil_id"), id}});
    r.add(r.cils, true);
    r.brands = &prepared("SQLQueryMarcasRegTemp", {{QStringLiteral("id"), id}});
    r.add(r.brands, true);
    r.previous = &prepared("SQLQueryObleaAnteriorDePendiente", {{QStringLiteral("id"), id}});
    r.add(r.previous, true);
    return r.run();
}

} // namespace RecallRepository
