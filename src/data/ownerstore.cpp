#include "data/ownerstore.h"

#include "core/lookuprules.h"
#include "data/postsalesstatements.h"
#include "data/writeonce.h"

namespace OwnerStore
{

namespace
{

const QString kColumns = QStringLiteral(
    "propietario_id, propietario, apellido_propietario, nombre_propietario, tipoDoc, nroDoc, email, telefono, "
    "celular, celular_carac, calle, nro, barrio, localidad, codigoPostal, provincia");

QVector<Owners::Owner> owners(NamedQuery &q)
{
    QVector<Owners::Owner> out;
    for (const QVariantMap &row : rowsOf(q))
        out << Owners::FromRow(row);
    return out;
}

void bindColumns(NamedQuery &q, const Owners::Owner &o)
{
    const QVariantMap values = Owners::Columns(o);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        q.setParam(it.key(), storedValue(it.value()));
}

} // namespace

QVector<Owners::Owner> Search(By by, const QString &text, int limit)
{
    NamedQuery &q = by == By::Name
                        ? postSalesStatement(QStringLiteral("OwnerStore.byName"),
                                             QStringLiteral("select %1 from propietarios where propietario like :t "
                                                            "escape '!' order by propietario limit :lim")
                                                 .arg(kColumns))
                        : postSalesStatement(QStringLiteral("OwnerStore.byDocument"),
                                             QStringLiteral("select %1 from propietarios where nroDoc = :t "
                                                            "order by propietario limit :lim")
                                                 .arg(kColumns));
    q.close();
    q.setParam(QStringLiteral("t"),
               by == By::Name ? Lookups::ContainsPattern(text.trimmed(), QLatin1Char('!')) : text.trimmed());
    q.setParam(QStringLiteral("lim"), limit);
    return owners(q);
}

std::optional<Owners::Owner> Find(int id)
{
    NamedQuery &q =
        postSalesStatement(QStringLiteral("OwnerStore.find"),
                           QStringLiteral("select %1 from propietarios where propietario_id = :id").arg(kColumns));
    q.close();
    q.setParam(QStringLiteral("id"), id);
    const QVector<Owners::Owner> found = owners(q);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QVariantMap Row(const Owners::Owner &o)
{
    QVariantMap row = Owners::Columns(o);
    row.insert(QStringLiteral("propietario_id"), o.id);
    return row;
}

std::optional<Owners::Owner> SameDocument(const Owners::Owner &o)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("OwnerStore.sameDocument"),
        QStringLiteral("select %1 from propietarios where nroDoc = :nro and tipoDoc = :tipo and propietario_id <> :id "
                       "order by propietario_id limit 1")
            .arg(kColumns));
    q.close();
    q.setParam(QStringLiteral("nro"), storedText(o.nroDoc));
    q.setParam(QStringLiteral("tipo"), storedText(o.tipoDoc));
    q.setParam(QStringLiteral("id"), o.id);
    const QVector<Owners::Owner> found = owners(q);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

int Insert(const Owners::Owner &o, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("OwnerStore.insert"),
        QStringLiteral("insert into propietarios (propietario_id, propietario, apellido_propietario, "
                       "nombre_propietario, tipoDoc, nroDoc, email, telefono, celular, celular_carac, calle, nro, "
                       "barrio, localidad, codigoPostal, provincia) values (0, :propietario, :apellido_propietario, "
                       ":nombre_propietario, :tipoDoc, :nroDoc, :email, :telefono, :celular, :celular_carac, :calle, "
                       ":nro, :barrio, :localidad, :codigoPostal, :provincia)"));
    q.close();
    bindColumns(q, o);
    return int(WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("propietarios"), q, true));
}

void Update(const Owners::Owner &o, WriteOnce::Ticket *ticket)
{
    NamedQuery &q = postSalesStatement(
        QStringLiteral("OwnerStore.update"),
        QStringLiteral("update propietarios set propietario = :propietario, apellido_propietario = "
                       ":apellido_propietario, nombre_propietario = :nombre_propietario, tipoDoc = :tipoDoc, nroDoc = "
                       ":nroDoc, email = :email, telefono = :telefono, celular = :celular, celular_carac = "
                       ":celular_carac, calle = :calle, nro = :nro, barrio = :barrio, localidad = :localidad, "
                       "codigoPostal = :codigoPostal, provincia = :provincia where propietario_id = :id"));
    q.close();
    bindColumns(q, o);
    q.setParam(QStringLiteral("id"), o.id);
    WriteOnce::Statement(Conn::PostVenta, ticket, QStringLiteral("propietarios cambio"), q, false);
}

} // namespace OwnerStore
