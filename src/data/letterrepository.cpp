#include "data/letterrepository.h"

#include "data/dm1.h"
#include "data/writeonce.h"

#include <QHash>
#include <memory>

namespace LetterRepository
{

namespace
{

// The letter's statements, kept by the data module like the catalogue's.
NamedQuery &statement(const QString &name, const std::function<QString()> &text)
{
    return dm1().statement(name, Conn::Operations, text);
}

const QString kLetterVariable = QStringLiteral("tarvil_carta");

const QStringList kItemColumns = {QStringLiteral("cil_marca"),     QStringLiteral("cil_nroserie"),
                                  QStringLiteral("cil_capacidad"), QStringLiteral("cil_masa"),
                                  QStringLiteral("cil_fecha"),     QStringLiteral("cil_diametro"),
                                  QStringLiteral("val_marca"),     QStringLiteral("val_modelo"),
                                  QStringLiteral("val_nroserie"),  QStringLiteral("val_obs")};

// The items in one statement, whatever their number: one exchange per save.
NamedQuery &itemInsert(int rows)
{
    return statement(QStringLiteral("InsertCartaDet#") + QString::number(rows), [rows] {
        QStringList tuples;
        for (int r = 0; r < rows; ++r) {
            QStringList marks{QStringLiteral(":carta_%1").arg(r)};
            for (const QString &c : kItemColumns)
                marks << QStringLiteral(":%1_%2").arg(c).arg(r);
            tuples << QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        return QStringLiteral("insert into carta_compromiso_det (id_carta, ") +
               kItemColumns.join(QStringLiteral(", ")) + QStringLiteral(") values ") +
               tuples.join(QStringLiteral(", "));
    });
}

QVariant measure(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double));
}

std::optional<double> measureOf(const NamedQuery &q, const QString &field)
{
    return q.isNull(field) ? std::nullopt : std::optional<double>(q.real(field));
}

} // namespace

QStringList RevisionCentres()
{
    NamedQuery &q =
        statement(QStringLiteral("SQLQueryCRPC"), [] { return QStringLiteral("select crpc from carta_crpc"); });
    q.close();
    q.open();
    QStringList names;
    for (bool more = q.first(); more; more = q.next())
        names << q.text(QStringLiteral("crpc"));
    q.close();
    return names;
}

int Save(const Letter::Stored &letter, WriteOnce::Ticket *ticket)
{
    WriteOnce::Ticket once;
    WriteOnce::Ticket &t = ticket ? *ticket : once;
    NamedQuery &cab = statement(QStringLiteral("InsertCartaCab"), [] {
        return QStringLiteral(
            "insert into carta_compromiso_cab (obleaanterior, fecha, propietario, tipo_doc, nro_doc, "
            "direccion_calle, direccion_nro, localidad, cp, telefono, dominio, taller, cilindro_para) "
            "values (:ob, :fe, :pr, :td, :nd, :dc, :dn, :lo, :cp, :te, :do, :ta, :cpa)");
    });
    const Letter::Owner &o = letter.owner;
    cab.close();
    cab.setParam(QStringLiteral("ob"), o.previousSticker);
    cab.setParam(QStringLiteral("fe"), letter.date);
    cab.setParam(QStringLiteral("pr"), o.name);
    cab.setParam(QStringLiteral("td"), o.docType);
    cab.setParam(QStringLiteral("nd"), o.docNumber);
    cab.setParam(QStringLiteral("dc"), o.street);
    cab.setParam(QStringLiteral("dn"), o.number);
    cab.setParam(QStringLiteral("lo"), o.locality);
    cab.setParam(QStringLiteral("cp"), o.postalCode);
    cab.setParam(QStringLiteral("te"), o.phone);
    cab.setParam(QStringLiteral("do"), o.domain);
    cab.setParam(QStringLiteral("ta"), letter.workshopCode);
    cab.setParam(QStringLiteral("cpa"), int(letter.purpose));

    // The items take the header's id on the server, from the insert itself:
    // header, items and the write's token travel in one atomic exchange.
    NamedQuery &keep = statement(QStringLiteral("SetIdCarta"), [] {
        return QStringLiteral("set @") + kLetterVariable + QStringLiteral(" = last_insert_id()");
    });
    const int id = WriteOnce::Run(Conn::Operations, t, [&]() -> QVariant {
                       Batch batch(Conn::Operations);
                       batch.setAtomic(true);
                       batch.add(cab, false);
                       keep.close();
                       batch.add(keep, false);
                       if (!letter.items.isEmpty()) {
                           NamedQuery &det = itemInsert(int(letter.items.size()));
                           det.close();
                           for (int r = 0; r < letter.items.size(); ++r) {
                               const Letter::Item &i = letter.items[r];
                               const auto set = [&](const QString &column, const QVariant &value) {
                                   det.setParam(column + QLatin1Char('_') + QString::number(r), value);
                               };
                               set(QStringLiteral("carta"), QVariant::fromValue(SessionVariable{kLetterVariable}));
                               set(QStringLiteral("cil_marca"), i.cylinderCode);
                               set(QStringLiteral("cil_nroserie"), i.cylinderSerial);
                               set(QStringLiteral("cil_capacidad"), measure(i.capacity));
                               set(QStringLiteral("cil_masa"), measure(i.mass));
                               set(QStringLiteral("cil_fecha"), i.manufactured);
                               set(QStringLiteral("cil_diametro"), measure(i.diameter));
                               set(QStringLiteral("val_marca"), i.valveCode);
                               set(QStringLiteral("val_modelo"), i.valveModel);
                               set(QStringLiteral("val_nroserie"), i.valveSerial);
                               set(QStringLiteral("val_obs"), i.observations);
                           }
                           batch.add(det, false);
                       }
                       WriteOnce::AddToken(batch, Conn::Operations, t, QStringLiteral("carta_compromiso_cab"),
                                           QVariant::fromValue(SessionVariable{kLetterVariable}));
                       batch.run();
                       return cab.lastInsertId();
                   }).toInt();
    if (id <= 0)
        throw DbError(QStringLiteral("El servidor no devolvió el número de la carta compromiso."), cab.name());
    return id;
}

QVector<QSqlRecord> FindByDate(const QDate &date, const QString &workshopCode)
{
    NamedQuery &q = statement(QStringLiteral("SQLQueryCartas"), [] {
        return QStringLiteral("select * from carta_compromiso_cab where fecha = :fe and taller = :ta order by id");
    });
    q.close();
    q.setParam(QStringLiteral("fe"), date);
    q.setParam(QStringLiteral("ta"), workshopCode);
    q.open();
    const QVector<QSqlRecord> rows = q.rows();
    q.close();
    return rows;
}

Header HeaderOf(const QSqlRecord &row)
{
    const auto text = [&row](const char *field) { return row.value(QLatin1String(field)).toString().trimmed(); };
    Header h;
    h.id = row.value(QStringLiteral("id")).toInt();
    h.date = row.value(QStringLiteral("fecha")).toDate();
    h.owner.name = text("propietario");
    h.owner.docType = text("tipo_doc");
    h.owner.docNumber = text("nro_doc");
    h.owner.street = text("direccion_calle");
    h.owner.number = text("direccion_nro");
    h.owner.locality = text("localidad");
    h.owner.postalCode = text("cp");
    h.owner.phone = text("telefono");
    h.owner.domain = text("dominio");
    h.owner.previousSticker = text("obleaanterior");
    h.purpose = Letter::PurposeFromIndex(row.value(QStringLiteral("cilindro_para")).toInt());
    return h;
}

QVector<Letter::Item> Items(int letterId)
{
    NamedQuery &q = statement(QStringLiteral("SQLQueryCartaDet"), [] {
        return QStringLiteral("select * from carta_compromiso_det where id_carta = :id order by id");
    });
    q.close();
    q.setParam(QStringLiteral("id"), letterId);
    q.open();
    QVector<Letter::Item> out;
    for (bool more = q.first(); more; more = q.next()) {
        Letter::Item i;
        i.cylinderCode = q.text(QStringLiteral("cil_marca"));
        i.cylinderSerial = q.text(QStringLiteral("cil_nroserie"));
        i.capacity = measureOf(q, QStringLiteral("cil_capacidad"));
        i.mass = measureOf(q, QStringLiteral("cil_masa"));
        i.manufactured = q.text(QStringLiteral("cil_fecha"));
        i.diameter = measureOf(q, QStringLiteral("cil_diametro"));
        i.valveCode = q.text(QStringLiteral("val_marca"));
        i.valveModel = q.text(QStringLiteral("val_modelo"));
        i.valveSerial = q.text(QStringLiteral("val_nroserie"));
        i.observations = q.text(QStringLiteral("val_obs"));
        out << i;
    }
    q.close();
    return out;
}

} // namespace LetterRepository
