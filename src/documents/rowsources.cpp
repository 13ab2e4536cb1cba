#include "documents/rowsources.h"

#include "data/localstore.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Documents
{

static QStringList fieldNamesOf(const QSqlRecord &rec)
{
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names.append(rec.fieldName(i));
    return names;
}

SqlRowSource::SqlRowSource(QSqlQuery &query) : TableRowSource(fieldNamesOf(query.record()))
{
    const int columns = query.record().count();
    if (query.size() > 0)
        reserve(query.size());
    QVector<QVariant> cells(columns);
    while (query.next()) {
        for (int i = 0; i < columns; ++i)
            cells[i] = query.value(i);
        append(cells);
    }
}

static QStringList fieldNamesOf(const LocalTable &table)
{
    QStringList names;
    for (const LocalField &f : table.fields())
        names.append(f.name);
    return names;
}

LocalTableRowSource::LocalTableRowSource(const LocalTable &table) : TableRowSource(fieldNamesOf(table))
{
    const int columns = int(fields().size()), rows = table.count();
    reserve(rows);
    QVector<QVariant> cells(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            cells[c] = table.valueAt(r, c);
        append(cells);
    }
}

} // namespace Documents
