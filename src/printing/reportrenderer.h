#pragma once

#include "printing/reportlayout.h"
#include "printing/rowsource.h"

#include <QRectF>
#include <QString>
#include <QVector>
#include <functional>

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
    int row = -1;       // detail row, -1 outside the detail band
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

// Lays the bands out over the rows: the title on the first page, the page
// header and footer on every page (unless the band says first/last page
// only), detail rows flowing onto new pages, the summary at the end.
DisplayList paginate(const Layout &layout, const RowSource *rows);

// Draws one page; `pxPerMm` is the device's resolution in pixels per mm.
void paintPage(QPainter &painter, const Layout &layout, const DisplayList &list, int page, double pxPerMmX,
               double pxPerMmY);

// Paints every page onto a printer or PDF writer whose page size is already
// the layout's, full page, no margins. False when cancelled or the painter
// cannot start.
bool paintAll(QPagedPaintDevice &device, const Layout &layout, const DisplayList &list, const Progress &progress = {});

// Writes the report as a PDF file; false with a message on failure.
bool writePdf(const QString &path, const Layout &layout, const DisplayList &list, QString *error = nullptr,
              const Progress &progress = {});

} // namespace Report
