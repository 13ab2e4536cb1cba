#include "documents/lists.h"

#include "documents/registry.h"

#include <stdexcept>

namespace Documents
{

static QStringList fieldNamesOf(const QVector<QSqlRecord> &records)
{
    QStringList names;
    if (!records.isEmpty())
        for (int i = 0; i < records.first().count(); ++i)
            names.append(records.first().fieldName(i));
    return names;
}

RecordRowSource::RecordRowSource(const QVector<QSqlRecord> &records) : TableRowSource(fieldNamesOf(records))
{
    const int columns = int(fields().size());
    reserve(int(records.size()));
    QVector<QVariant> cells(columns);
    for (const QSqlRecord &r : records) {
        for (int i = 0; i < columns; ++i)
            cells[i] = r.value(i);
        append(cells);
    }
}

Report::Values StickerListValues(const QString &workshopName, const QString &workshopCode, const QDate &from,
                                 const QDate &to)
{
    Report::Values v;
    v.set(QStringLiteral("Taller"), workshopName + QStringLiteral(" [") + workshopCode + QLatin1Char(']'));
    v.set(QStringLiteral("Desde"), from);
    v.set(QStringLiteral("Hasta"), to);
    return v;
}

Report::Values DaySheetValues(const QDate &day)
{
    Report::Values v;
    v.set(QStringLiteral("Fecha"), day);
    return v;
}

Report::ReportForm MakeList(const QString &layout, std::shared_ptr<const Report::RowSource> rows,
                            const Report::Values &values)
{
    const Entry *entry = Find(layout);
    if (!entry)
        throw std::runtime_error(QStringLiteral("No existe el listado %1").arg(layout).toStdString());
    Report::ReportForm form(LoadLayout(layout));
    auto named = std::make_shared<Report::Values>(values);
    if (entry->hook)
        entry->hook(*named);
    form.bindValues(named);
    form.bindRows(std::move(rows));
    return form;
}

void PrintList(const QString &layout, std::shared_ptr<const Report::RowSource> rows, const Report::Values &values,
               QWidget *parent)
{
    Report::ReportForm form = MakeList(layout, std::move(rows), values);
    form.preview(parent);
}

} // namespace Documents
