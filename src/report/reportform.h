#pragma once

#include "report/layout.h"
#include "report/renderer.h"
#include "report/rowsource.h"
#include "report/values.h"

#include <functional>
#include <memory>

class QWidget;
class QPrinter;

namespace Report
{

class PreviewDialog;

// A layout with its detail rows and named values: what a document builds and
// the preview shows.
class ReportForm
{
public:
    explicit ReportForm(Layout layout);

    Layout &layout() { return m_layout; }
    const Layout &layout() const { return m_layout; }

    void bindRows(std::shared_ptr<const RowSource> rows);
    const RowSource *rows() const { return m_rows.get(); }
    // The values every band and expression reads; the layout's "copiesFrom"
    // presets the copies from them.
    void bindValues(std::shared_ptr<const Values> values);
    const Values *values() const { return m_values.get(); }

    Render render() const { return Render(m_layout, m_rows.get(), m_values.get()); }
    DisplayList displayList() const { return render().all(); }

    bool exportPdf(const QString &path, QString *error = nullptr, const Progress &progress = {}) const;
    bool exportXlsx(const QString &path, QString *error = nullptr) const;
    bool hasSpreadsheet() const { return m_layout.exportsSpreadsheet; }

    // Sets the printer of the layout's index (or the default), the paper,
    // full-page mode and the preset copies.
    void setUpPrinter(QPrinter &printer) const;
    // Prints on a printer already set up (the preview's print button, or a
    // document printed without preview); false when cancelled or failed.
    // Where the output cannot make copies itself (a file) every copy is
    // written out, one after the other.
    bool print(QPrinter &printer, const Progress &progress = {}) const;

    // Shows the modal preview; returns when it closes.
    void preview(QWidget *parent = nullptr);

    // Tests replace the modal preview: the hook receives the open dialog
    // (not shown) instead of exec() running.
    static void setPreviewHook(std::function<void(PreviewDialog &)> hook);

private:
    Layout m_layout;
    std::shared_ptr<const RowSource> m_rows;
    std::shared_ptr<const Values> m_values;
};

} // namespace Report
