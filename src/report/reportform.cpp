#include "report/reportform.h"

#include "report/preview.h"
#include "report/xlsxexport.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace Report
{

static std::function<void(PreviewDialog &)> &previewHook()
{
    static std::function<void(PreviewDialog &)> hook;
    return hook;
}

ReportForm::ReportForm(Layout layout) : m_layout(std::move(layout)) {}

void ReportForm::bindRows(std::shared_ptr<const RowSource> rows)
{
    m_rows = std::move(rows);
}

void ReportForm::bindValues(std::shared_ptr<const Values> values)
{
    m_values = std::move(values);
    if (m_layout.copiesParsed) {
        ExprContext ctx;
        ctx.field = [this](const QString &name) { return m_values ? m_values->value(name) : QVariant(); };
        // An unset count must not preset a preview that prints nothing.
        m_layout.copies = qMax(1, m_layout.copiesParsed->eval(ctx).toInt());
    }
}

bool ReportForm::exportPdf(const QString &path, QString *error, const Progress &progress) const
{
    return writePdf(path, render(), error, progress);
}

bool ReportForm::exportXlsx(const QString &path, QString *error) const
{
    static const VectorRowSource none({});
    return writeXlsx(path, m_layout, m_rows ? *m_rows : none, error);
}

void ReportForm::setUpPrinter(QPrinter &printer) const
{
    if (m_layout.printerIndex >= 0) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (m_layout.printerIndex < all.size())
            printer.setPrinterName(all[m_layout.printerIndex].printerName());
    }
    printer.setPageLayout(QPageLayout(m_layout.pageSize, m_layout.orientation, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    printer.setCopyCount(qMax(1, m_layout.copies));
    printer.setDocName(m_layout.title);
}

bool ReportForm::print(QPrinter &printer, const Progress &progress) const
{
    // A print dialog may have changed the paper; the layout's own stays.
    printer.setPageLayout(QPageLayout(m_layout.pageSize, m_layout.orientation, QMarginsF()));
    printer.setFullPage(true);
    // Qt's PDF output (printing to a file) writes one copy whatever the
    // count, and so does a printer that cannot repeat a job.
    const bool ownCopies = printer.outputFormat() == QPrinter::PdfFormat || !printer.supportsMultipleCopies();
    if (!ownCopies || printer.copyCount() <= 1)
        return paintAll(printer, render(), progress);
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    const bool done = paintCopies(printer, render(), copies, progress);
    printer.setCopyCount(copies);
    return done;
}

void ReportForm::preview(QWidget *parent)
{
    PreviewDialog dlg(*this, parent);
    if (previewHook()) {
        previewHook()(dlg);
        return;
    }
    dlg.exec();
}

void ReportForm::setPreviewHook(std::function<void(PreviewDialog &)> hook)
{
    previewHook() = std::move(hook);
}

} // namespace Report
