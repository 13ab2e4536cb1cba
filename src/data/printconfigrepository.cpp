#include "data/printconfigrepository.h"

#include "data/dm1.h"
#include "data/writeonce.h"

namespace PrintConfigRepository
{

void Write(const QString &workshopCode, const PrintConfig &config, WriteOnce::Ticket *ticket)
{
    NamedQuery q(QStringLiteral("SQLUpdateConfiguracion"), Conn::Operations,
                 QStringLiteral("update tal set copias = :cop, localidad = :loc, provincia = :pro, hoja = :hoj "
                                "where tcodigoint = :tal"));
    q.setParam(QStringLiteral("cop"), config.copies);
    q.setParam(QStringLiteral("loc"), config.locality.isNull() ? QStringLiteral("") : config.locality);
    q.setParam(QStringLiteral("pro"), config.province.isNull() ? QStringLiteral("") : config.province);
    q.setParam(QStringLiteral("hoj"), config.sheetFormat);
    q.setParam(QStringLiteral("tal"), workshopCode);
    WriteOnce::Statement(Conn::Operations, ticket, QStringLiteral("configuracion"), q, false);
}

} // namespace PrintConfigRepository
