#include "documents/cylinderlifedocument.h"

#include <QSqlField>
#include <QStringList>

namespace Documents
{

QVector<QSqlRecord> CylinderLifeRecords(const CylinderLife::Life &life)
{
    QVector<QSqlRecord> out;
    out.reserve(life.events.size());
    for (const CylinderLife::Event &e : life.events) {
        QSqlRecord r;
        const auto add = [&r](const char *name, const QVariant &value) {
            QSqlField f(QLatin1String(name), value.metaType());
            f.setValue(value);
            r.append(f);
        };
        add("fecha", e.date());
        add("operacion", e.kindText.isEmpty() ? e.kind : e.kindText);
        add("taller", e.workshop);
        add("dominio", e.plate);
        add("gestion", e.managementText());
        add("ultimaph", e.testDate());
        add("crpc", e.testCentre);
        add("certificado", e.certificate);
        add("valvula", QStringList{e.valveCode, e.valveSerial}.join(QLatin1Char(' ')).trimmed());
        add("oblea", e.sticker);
        add("estado", e.pending ? CylinderLife::PendingStateText(e.pendingState) : QStringLiteral("REGISTRADA"));
        out << r;
    }
    return out;
}

Report::Values CylinderLifeValues(const QString &serial, const QString &code, const CylinderLife::Life &life)
{
    Report::Values v;
    v.set(QStringLiteral("Serie"), serial.trimmed());
    v.set(QStringLiteral("Codigo"), code.trimmed());
    v.set(QStringLiteral("Estado"), CylinderLife::StatusLine(life));
    v.set(QStringLiteral("Vehiculos"), CylinderLife::VehiclesText(life));
    QStringList warnings;
    for (const CylinderLife::Warning &w : life.warnings)
        warnings << w.text;
    v.set(QStringLiteral("Advertencias"), warnings.join(QLatin1Char(' ')));
    v.set(QStringLiteral("HayAdvertencias"), !warnings.isEmpty());
    return v;
}

} // namespace Documents
