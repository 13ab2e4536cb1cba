#pragma once

#include "report/reportform.h"

#include <QDate>
#include <QSqlRecord>
#include <QVector>
#include <memory>

class QWidget;

// The printed lists: a registered layout over the rows of a reading or a
// local table, with a few named values for their headings.
namespace Documents
{

// The rows of a statement's result, kept compactly for a long list.
class RecordRowSource : public Report::TableRowSource
{
public:
    explicit RecordRowSource(const QVector<QSqlRecord> &records);
};

// The assigned-stickers lists: "Taller" (name [code]), "Desde", "Hasta".
Report::Values StickerListValues(const QString &workshopName, const QString &workshopCode, const QDate &from,
                                 const QDate &to);

// The day sheet of the appointment book: "Fecha".
Report::Values DaySheetValues(const QDate &day);

// A registered list over its rows; throws std::runtime_error when the
// registry has no such layout.
Report::ReportForm MakeList(const QString &layout, std::shared_ptr<const Report::RowSource> rows,
                            const Report::Values &values = {});

// Builds, shows the preview modally and frees the report when it closes.
void PrintList(const QString &layout, std::shared_ptr<const Report::RowSource> rows, const Report::Values &values,
               QWidget *parent = nullptr);

} // namespace Documents
