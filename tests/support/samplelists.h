#pragma once

// Shared samples of the printed lists: for each list layout, named values and
// rows with the fields its window supplies, long enough to run onto a
// second page.
#include "core/stickerdetail.h"
#include "cylinderlifebuilders.h"
#include "data/localstore.h"
#include "documents/cylinderlifedocument.h"
#include "documents/lists.h"
#include "report/rowsource.h"

#include <memory>
#include <optional>

namespace Sample
{

struct ListSample {
    std::shared_ptr<const Report::Values> values;
    std::shared_ptr<const Report::RowSource> rows;
};

// An assigned-sticker row as the list's reading gives it, texts as long as
// their columns.
inline QVariantMap assignedSticker(int i)
{
    return {{"talcuit", "30-71234567-9"},
            {"tnrointopr", 100000 + i},
            {"udescgest", i % 2 ? "CONVERSION" : "MODIFICACION"},
            {"uapeynom", QStringLiteral("GONZALEZ MARIA LAURA DE LOS ANGELE")},
            {"umarca", "VOLKSWAGEN"},
            {"umodelo", "GOL TREND 1.6 PACK I"},
            {"uano", "2012"},
            {"udominio", QStringLiteral("AB%1CD").arg(100 + i % 900)},
            {"uobleanew", QStringLiteral("45000%1").arg(10000 + i)},
            {"xfecasig", QDate(2024, 5, 1 + i % 28)},
            {"ucodgest", i % 2 ? "C" : "M"}};
}

// The detail lines of operations with two regulators and three cylinders,
// valve replacements among them.
inline std::shared_ptr<const Report::RowSource> stickerDetailRows(int operations)
{
    QStringList fields;
    for (const LocalField &f : LocalTable::fieldsOf(LocalTableId::Stickers))
        fields << f.name;
    auto rows = std::make_shared<Report::TableRowSource>(fields);
    const auto part = [](const char *code, int n) {
        return StickerDetail::Part{QLatin1String(code), QStringLiteral("SERIE-%1-ABCDEFGHIJKLMNO").arg(n),
                                   QStringLiteral("MONTAJE")};
    };
    for (int i = 0; i < operations; ++i) {
        const QVariantMap m = assignedSticker(i);
        const StickerDetail::Operation op{m["udescgest"].toString(), m["uapeynom"].toString(), m["umarca"].toString(),
                                          m["umodelo"].toString(),   m["uano"].toString(),     m["udominio"].toString(),
                                          m["uobleanew"].toString(), m["xfecasig"].toDate(),   i % 3 ? "C" : "H"};
        const QVector<StickerDetail::Cylinder> cylinders = {{part("F040", 1), part("V101", 2), part("V102", 3)},
                                                            {part("F060", 4), part("V201", 5), part("V202", 6)},
                                                            {part("T050", 7), part("V301", 8), part("V302", 9)}};
        for (const StickerDetail::Line &l : StickerDetail::Lines(op, {part("T009", 10), part("L032", 11)}, cylinders))
            rows->append({l.dominio, l.operacion, l.propietario, l.marca, l.modelo, l.oblea,
                          l.anio ? QVariant(*l.anio) : QVariant(), l.fecha, l.regulator.codigo, l.regulator.numero,
                          l.regulator.gestion, l.cylinder.codigo, l.cylinder.numero, l.cylinder.gestion, l.valve.codigo,
                          l.valve.numero, l.valve.gestion});
    }
    return rows;
}

// A vehicle of the expiry list, every text as wide as its column allows.
inline QVariantMap expiringVehicle(int i)
{
    return {{"udominio", QStringLiteral("AB%1CD").arg(100 + i % 900)},
            {"auto", QStringLiteral("VOLKSWAGEN GOL TREND 1.6 PACK I")},
            {"UANO", "2012"},
            {"UAPEYNOM", QStringLiteral("GONZALEZ MARIA LAURA DE LOS ANGELE")},
            {"direccion", QStringLiteral("AVENIDA BRIGADIER GENERAL JUAN MANUEL DE ROSAS 12345")},
            {"UBARRIO", "VILLA SARMIENTO"},
            {"UCODPOSTAL", "1704"},
            {"ULOCALIDAD", "VILLA CARLOS PAZ"},
            {"UPROVINCIA", "TIERRA DEL FUEGO"},
            {"UTELEFONO", "1154327788"},
            {"EMAIL", QStringLiteral("maria.laura.gonzalez.de.los.angeles%1@gmail.com").arg(i)},
            {"UFECVENHAB", QDate(2024, 6, 1 + i % 28)},
            {"CODTAL", "TDM0001"}};
}

inline QVariantMap daySlot(int i)
{
    return {{"hora", QTime(8, 0).addSecs(1800 * i).toString(QStringLiteral("HH:mm"))},
            {"cliente", i % 3 ? QString() : QStringLiteral("PEREYRA RAUL ALBERT")},
            {"vehiculo", i % 3 ? QString() : QStringLiteral("RENAULT LOGAN 1.6 8V")},
            {"dominio", i % 3 ? QString() : QStringLiteral("AB123CD")},
            {"celular", i % 3 ? QString() : QStringLiteral("011-15-4433-2211")},
            {"falla", i % 3 ? QString() : QStringLiteral("NO PASA A GAS EN FRI")}};
}

// A cylinder moved between vehicles for years, mounted in two at once and
// used after its BAJA, with valves and certificates as long as their columns.
inline CylinderLife::Life longCylinderLife(int operations)
{
    QVector<CylinderLife::Event> events;
    const char *const plates[] = {"AB123CD", "AC456EF", "AD789GH"};
    for (int i = 0; i < operations; ++i) {
        CylinderLife::Event e = LifeBuilders::row(QDate(2010, 1, 1).addMonths(4 * i), plates[(i / 4) % 3],
                                                  i % 4 == 0 ? "M" : (i % 4 == 3 ? (i == 7 ? "B" : "D") : "S"));
        e.kindText = QStringLiteral("MODIFICACION");
        e.certificate = QStringLiteral("CR01000123");
        e.valveCode = QStringLiteral("V101");
        e.valveSerial = QStringLiteral("VALVULA-ABCDEFGHIJKLMNOPQ");
        e.sticker = QStringLiteral("45000%1").arg(10000 + i);
        e.pending = i == operations - 1;
        e.pendingState = 1;
        events << e;
    }
    events << LifeBuilders::row(QDate(2011, 2, 1), "AZ999ZZ", "M");
    return CylinderLife::Build(events, QDate(2024, 5, 6));
}

template <class F> std::shared_ptr<const Report::RowSource> rowsOf(int n, F make)
{
    QVector<QVariantMap> rows;
    for (int i = 0; i < n; ++i)
        rows << make(i);
    return std::make_shared<Report::VectorRowSource>(rows, rows.first().keys());
}

// Nothing for a layout without a sample.
inline std::optional<ListSample> list(const QString &layout)
{
    const auto stickers = std::make_shared<Report::Values>(Documents::StickerListValues(
        QStringLiteral("GNC OESTE S.R.L. - SUCURSAL RAMOS MEJIA"), "TDM0001", QDate(2024, 5, 1), QDate(2024, 5, 31)));
    if (layout == QLatin1String("TQObleasAsignadasForm") || layout == QLatin1String("TQObleasAsignadasExcelForm"))
        return ListSample{stickers, rowsOf(90, assignedSticker)};
    if (layout == QLatin1String("TQObleasAsignadasDetalleForm"))
        return ListSample{stickers, stickerDetailRows(12)};
    if (layout == QLatin1String("TQVencimientoObleasPapelForm") ||
        layout == QLatin1String("TQVencimientoObleasExcelForm"))
        return ListSample{std::make_shared<Report::Values>(), rowsOf(60, expiringVehicle)};
    if (layout == QLatin1String("TQPlanillaDeTurnosForm"))
        return ListSample{std::make_shared<Report::Values>(Documents::DaySheetValues(QDate(2024, 5, 6))),
                          rowsOf(40, daySlot)};
    if (layout == QLatin1String("TQVidaCilindroForm")) {
        const CylinderLife::Life life = longCylinderLife(40);
        return ListSample{std::make_shared<Report::Values>(Documents::CylinderLifeValues(
                              QStringLiteral("NRO-SERIE-ABCDEFGHIJKLMNOP"), QStringLiteral("F040"), life)),
                          std::make_shared<Documents::RecordRowSource>(Documents::CylinderLifeRecords(life))};
    }
    return std::nullopt;
}

} // namespace Sample
