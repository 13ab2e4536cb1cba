#pragma once

#include "report/layout.h"
#include "report/rowsource.h"
#include "report/values.h"

#include <QDateTime>
#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class QPainter;
class QPagedPaintDevice;

namespace Report
{

// One thing drawn on one page: what tests assert on and what the painter draws.
struct DisplayItem {
    QString name; // component name; band frames are "<band>.frame"
    int page = 0; // 1-based
    QRectF rect;  // mm from the paper's top-left corner
    QString text; // printed text; the file for a picture
    ItemKind kind = ItemKind::Label;
    int itemIndex = -1; // into Layout::items; -1 for band frames
    int row = -1;       // detail row (first/last row of a group band), -1 elsewhere
};

struct DisplayList {
    int pageCount = 0;
    QVector<DisplayItem> items; // sorted by page
    QVector<int> pageStart;     // index of each page's first item, plus the end

    QVector<DisplayItem> named(const QString &name) const;
    // The one item of that name on that page (page 0: any page); nullptr if none.
    const DisplayItem *find(const QString &name, int page = 0) const;
    QVector<DisplayItem> onPage(int page) const;
};

// Progress while painting: pages done and total; returning false cancels.
using Progress = std::function<bool(int done, int total)>;

// A layout laid out over its rows and named values: the title on the first
// page, the page header and footer on every page (unless the band says first
// or last page only), group headers and footers where a group's key changes,
// detail rows flowing onto new pages, the summary at the end.
// Construction places the bands (no text yet); a page's items are worked out
// when asked for, so a long list never holds more than one page of them.
// `rows` and `values` must outlive the render.
class Render
{
public:
    Render(Layout layout, const RowSource *rows, const Values *values = nullptr, const QDateTime &printedAt = {});
    ~Render();
    Render(Render &&) noexcept;
    Render &operator=(Render &&) noexcept;

    const Layout &layout() const;
    int pageCount() const;
    QVector<DisplayItem> page(int page) const; // empty outside the pages
    DisplayList all() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The whole display list at once (tests, short documents).
DisplayList paginate(const Layout &layout, const RowSource *rows, const Values *values = nullptr);

// Draws one page's items; `pxPerMm` is the device's resolution in pixels per mm.
void paintPage(QPainter &painter, const Layout &layout, const QVector<DisplayItem> &items, double pxPerMmX,
               double pxPerMmY);

// Paints every page onto a printer or PDF writer whose page size is already
// the layout's, full page, no margins. False when cancelled or the painter
// cannot start.
bool paintAll(QPagedPaintDevice &device, const Render &render, const Progress &progress = {});
bool paintAll(QPagedPaintDevice &device, const Layout &layout, const DisplayList &list, const Progress &progress = {});
// Every page `copies` times over, collated.
bool paintCopies(QPagedPaintDevice &device, const Render &render, int copies, const Progress &progress = {});

// Writes the report as a PDF file; false with a message on failure.
bool writePdf(const QString &path, const Render &render, QString *error = nullptr, const Progress &progress = {});
bool writePdf(const QString &path, const Layout &layout, const DisplayList &list, QString *error = nullptr,
              const Progress &progress = {});

} // namespace Report
