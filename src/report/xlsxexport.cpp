#include "report/xlsxexport.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>
#include <xlsxwriter.h>

namespace Report
{

bool writeXlsx(const QString &path, const Layout &layout, const RowSource &rows, QString *error)
{
    QVector<SpreadsheetColumn> cols = layout.spreadsheet;
    if (cols.isEmpty())
        for (const QString &f : rows.fields())
            cols.append({f, f});

    const QByteArray file = QDir::toNativeSeparators(path).toUtf8();
    // Rows go to a temporary file as they are written: a long list keeps
    // memory flat. The user's temporary folder, since the C library's own
    // choice may not be writable on Windows.
    QByteArray tmpdir = QDir::toNativeSeparators(QDir::tempPath()).toLocal8Bit();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = tmpdir.data();
    lxw_workbook *wb = workbook_new_opt(file.constData(), &options);
    if (!wb) {
        if (error)
            *error = QStringLiteral("No se pudo crear el archivo %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    // Sheet names are limited to 31 characters and some punctuation.
    QString sheetName = layout.title.isEmpty() ? QStringLiteral("Hoja1") : layout.title;
    sheetName.replace(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")), QStringLiteral(" "));
    const QByteArray sheetUtf8 = sheetName.left(31).toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheetUtf8.constData());
    lxw_format *bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_format *dateFmt = workbook_add_format(wb);
    format_set_num_format(dateFmt, "dd/mm/yyyy");

    for (int c = 0; c < cols.size(); ++c) {
        const QByteArray t = cols[c].title.toUtf8();
        worksheet_write_string(ws, 0, lxw_col_t(c), t.constData(), bold);
    }
    for (int r = 0; r < rows.rowCount(); ++r) {
        for (int c = 0; c < cols.size(); ++c) {
            const QVariant v = rows.value(r, cols[c].field);
            const lxw_row_t xr = lxw_row_t(r + 1);
            const lxw_col_t xc = lxw_col_t(c);
            if (!v.isValid() || v.isNull())
                continue;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Double:
                worksheet_write_number(ws, xr, xc, v.toDouble(), nullptr);
                break;
            case QMetaType::QDate:
            case QMetaType::QDateTime: {
                const QDate d = v.toDate();
                lxw_datetime dt = {d.year(), d.month(), d.day(), 0, 0, 0};
                worksheet_write_datetime(ws, xr, xc, &dt, dateFmt);
                break;
            }
            default: {
                const QByteArray s = v.toString().toUtf8();
                worksheet_write_string(ws, xr, xc, s.constData(), nullptr);
            }
            }
        }
    }
    const lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR) {
        if (error)
            *error = QStringLiteral("No se pudo escribir el archivo %1: %2")
                         .arg(QDir::toNativeSeparators(path), QString::fromUtf8(lxw_strerror(rc)));
        return false;
    }
    return true;
}

} // namespace Report
