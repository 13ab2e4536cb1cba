#pragma once

#include "printing/reportlayout.h"
#include "printing/reportrenderer.h"
#include "printing/rowsource.h"

#include <functional>
#include <memory>

class QWidget;
class QPrinter;

namespace Report
{

class PreviewDialog;

// A layout with its detail rows: what a filler builds and the preview shows.
class ReportForm
{
public:
    explicit ReportForm(Layout layout);
    static ReportForm load(const QString &layoutName); // loadLayout

    Layout &layout() { return m_layout; }
    const Layout &layout() const { return m_layout; }

    void bindRows(std::shared_ptr<const RowSource> rows);
    const RowSource *rows() const { return m_rows.get(); }

    DisplayList displayList() const { return paginate(m_layout, m_rows.get()); }

    bool exportPdf(const QString &path, QString *error = nullptr, const Progress &progress = {}) const;
    bool exportXlsx(const QString &path, QString *error = nullptr) const;
    bool hasSpreadsheet() const { return !m_layout.spreadsheet.isEmpty(); }

    // Sets the printer of the layout's index (or the default), the paper,
    // full-page mode and the preset copies.
    void setUpPrinter(QPrinter &printer) const;

    // Shows the modal preview; returns when it closes.
    void preview(QWidget *parent = nullptr);

    // Tests replace the modal preview: the hook receives the open dialog
    // (not shown) instead of exec() running.
    static void setPreviewHook(std::function<void(PreviewDialog &)> hook);

private:
    Layout m_layout;
    std::shared_ptr<const RowSource> m_rows;
};

} // namespace Report
