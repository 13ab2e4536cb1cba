#include "printing/reportrenderer.h"

#include "printing/reportexpr.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace Report
{

QVector<DisplayItem> DisplayList::named(const QString &name) const
{
    QVector<DisplayItem> out;
    for (const DisplayItem &d : items)
        if (d.name == name)
            out.append(d);
    return out;
}

const DisplayItem *DisplayList::find(const QString &name, int page) const
{
    for (const DisplayItem &d : items)
        if (d.name == name && (page == 0 || d.page == page))
            return &d;
    return nullptr;
}

QVector<DisplayItem> DisplayList::onPage(int page) const
{
    if (page < 1 || page > pageCount)
        return {};
    return items.mid(pageStart[page - 1], pageStart[page] - pageStart[page - 1]);
}

namespace
{

struct Placement {
    BandKind band;
    int page;
    double top; // mm within the printable area
    int row;    // detail row; kFillRow for the frame run-on below the rows
    double height = 0;
};
constexpr int kFillRow = -2;

// Resolves a picture: the external file when it exists, else the built-in one.
QString pictureSource(const Item &it)
{
    if (!it.pictureFile.isEmpty()) {
        const QFileInfo fi(QDir::current(), it.pictureFile);
        if (fi.exists())
            return fi.absoluteFilePath();
    }
    return it.picture;
}

} // namespace

DisplayList paginate(const Layout &layout, const RowSource *rows)
{
    const QRectF area = layout.printableRectMm();
    const double H = area.height();
    const Band &title = layout.band(BandKind::Title);
    const Band &header = layout.band(BandKind::PageHeader);
    const Band &detail = layout.band(BandKind::Detail);
    const Band &footer = layout.band(BandKind::PageFooter);
    const Band &summary = layout.band(BandKind::Summary);
    const int rowCount = rows && detail.present ? rows->rowCount() : 0;

    QVector<Placement> places;
    int page = 1;
    double y = 0;
    bool fresh = true; // nothing but title/header on the page yet

    auto openPage = [&] {
        y = 0;
        fresh = true;
        if (page == 1 && title.present) {
            places.append({BandKind::Title, page, y, -1});
            y += title.height;
        }
        if (header.present && !(header.firstPageOnly && page > 1)) {
            places.append({BandKind::PageHeader, page, y, -1});
            y += header.height;
        }
    };
    auto footerOnEveryPage = footer.present && !footer.lastPageOnly;
    auto closePage = [&](bool last) {
        const bool withFooter = footer.present && (last || !footer.lastPageOnly);
        const double bottom = withFooter ? H - footer.height : H;
        if (detail.present && detail.frameToFooter && bottom > y + 0.01)
            places.append({BandKind::Detail, page, y, kFillRow, bottom - y});
        if (withFooter)
            places.append({BandKind::PageFooter, page, H - footer.height, -1});
    };

    openPage();
    const double reserve = footerOnEveryPage ? footer.height : 0;
    for (int r = 0; r < rowCount; ++r) {
        // A row that cannot fit even on a fresh page is placed anyway, so a
        // layout taller than the paper still ends.
        if (y + detail.height > H - reserve + 1e-6 && !fresh) {
            closePage(false);
            ++page;
            openPage();
        }
        places.append({BandKind::Detail, page, y, r});
        y += detail.height;
        fresh = false;
    }
    if (summary.present) {
        if (y + summary.height > H - reserve + 1e-6 && !fresh) {
            closePage(false);
            ++page;
            openPage();
        }
        places.append({BandKind::Summary, page, y, -1});
        y += summary.height;
        fresh = false;
    }
    if (footer.present && footer.lastPageOnly && y > H - footer.height + 1e-6 && !fresh) {
        closePage(false);
        ++page;
        openPage();
    }
    closePage(true);

    DisplayList list;
    list.pageCount = page;
    ExprContext ctx;
    ctx.pageCount = page;
    int currentRow = -1;
    ctx.field = [&](const QString &f) { return rows && currentRow >= 0 ? rows->value(currentRow, f) : QVariant(); };

    auto frameLine = [&](BandKind b, int pg, QRectF r) {
        DisplayItem d;
        d.name = bandKindName(b) + QStringLiteral(".frame");
        d.page = pg;
        d.rect = r.translated(area.topLeft());
        d.kind = ItemKind::Line;
        list.items.append(d);
    };
    auto frames = [&](BandKind b, int pg, double top) {
        const Band &band = layout.band(b);
        const double w = area.width(), h = band.height;
        if (band.frameTop)
            frameLine(b, pg, QRectF(0, top, w, 0));
        if (band.frameLeft)
            frameLine(b, pg, QRectF(0, top, 0, h));
        if (band.frameRight)
            frameLine(b, pg, QRectF(w, top, 0, h));
        if (band.frameBottom)
            frameLine(b, pg, QRectF(0, top + h, w, 0));
    };

    // Item indexes per band, in paint order.
    QVector<int> byBand[kBandCount];
    for (int i = 0; i < layout.items.size(); ++i)
        if (layout.items[i].visible)
            byBand[int(layout.items[i].band)].append(i);

    // Placements are made page by page, so the list comes out sorted.
    list.pageStart.fill(-1, page + 1);
    qsizetype estimate = 0;
    for (const Placement &p : std::as_const(places))
        estimate += (p.row == kFillRow ? 2 : byBand[int(p.band)].size() + 4);
    list.items.reserve(estimate);
    for (const Placement &p : std::as_const(places)) {
        if (list.pageStart[p.page - 1] < 0)
            list.pageStart[p.page - 1] = int(list.items.size());
        if (p.row == kFillRow) {
            if (detail.frameLeft)
                frameLine(BandKind::Detail, p.page, QRectF(0, p.top, 0, p.height));
            if (detail.frameRight)
                frameLine(BandKind::Detail, p.page, QRectF(area.width(), p.top, 0, p.height));
            continue;
        }
        currentRow = p.row;
        ctx.page = p.page;
        ctx.row = p.row >= 0 ? p.row + 1 : 0;
        frames(p.band, p.page, p.top);
        for (int idx : byBand[int(p.band)]) {
            const Item &it = layout.items[idx];
            DisplayItem d;
            d.name = it.name;
            d.page = p.page;
            d.rect = it.rect.translated(area.left(), area.top() + p.top);
            d.kind = it.kind;
            d.itemIndex = idx;
            d.row = p.row;
            switch (it.kind) {
            case ItemKind::Label:
                d.text = it.text;
                break;
            case ItemKind::DataField:
                d.text = toText(ctx.field(it.field));
                break;
            case ItemKind::Expression:
                d.text = it.parsed ? toText(it.parsed->eval(ctx)) : QString();
                break;
            case ItemKind::Picture:
                d.text = pictureSource(it);
                break;
            case ItemKind::Line:
            case ItemKind::Box:
                break;
            }
            list.items.append(std::move(d));
        }
    }
    list.pageStart[page] = int(list.items.size());
    for (int p = page - 1; p >= 0; --p)
        if (list.pageStart[p] < 0)
            list.pageStart[p] = list.pageStart[p + 1];
    return list;
}

namespace
{

// Fonts and ascents per layout item, worked out once per painter: setting a
// font and laying text out in a rectangle dominate long reports.
struct PaintCache {
    QVector<QFont> fonts;
    QVector<double> ascent; // px; < 0 until measured
    explicit PaintCache(const Layout &l) : fonts(l.items.size()), ascent(l.items.size(), -1) {}
};

void paintPageCached(QPainter &painter, const Layout &layout, const DisplayList &list, int page, double sx, double sy,
                     PaintCache &cache)
{
    static QHash<QString, QImage> pictures; // one decode per run of the program
    if (page < 1 || page > list.pageCount)
        return;
    auto px = [&](const QRectF &r) { return QRectF(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy); };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    int fontOf = -1; // item whose font the painter holds
    bool textPen = false;
    for (int i = list.pageStart[page - 1]; i < list.pageStart[page]; ++i) {
        const DisplayItem &d = list.items[i];
        const Item *it = d.itemIndex >= 0 ? &layout.items[d.itemIndex] : nullptr;
        switch (d.kind) {
        case ItemKind::Line:
        case ItemKind::Box: {
            QPen pen(Qt::black);
            pen.setWidthF(qMax(1.0, (it ? it->penWidth : 0.2) * sx));
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            textPen = false;
            const QRectF r = px(d.rect);
            if (d.kind == ItemKind::Box)
                painter.drawRect(r);
            else if (d.rect.height() == 0 || d.rect.width() >= d.rect.height())
                painter.drawLine(r.topLeft(), QPointF(r.right(), r.top()));
            else
                painter.drawLine(r.topLeft(), QPointF(r.left(), r.bottom()));
            break;
        }
        case ItemKind::Picture: {
            if (d.text.isEmpty())
                break;
            auto found = pictures.find(d.text);
            if (found == pictures.end())
                found = pictures.insert(d.text, QImage(d.text));
            if (!found->isNull()) {
                const QRectF r = px(d.rect);
                const QSizeF s = QSizeF(found->size()).scaled(r.size(), Qt::KeepAspectRatio);
                painter.drawImage(QRectF(r.topLeft(), s), *found);
            }
            break;
        }
        default: {
            if (d.text.isEmpty() || !it)
                break;
            const int k = d.itemIndex;
            if (fontOf != k) {
                if (cache.ascent[k] < 0) {
                    cache.fonts[k] = it->font();
                    painter.setFont(cache.fonts[k]);
                    cache.ascent[k] = painter.fontMetrics().ascent();
                } else {
                    painter.setFont(cache.fonts[k]);
                }
                fontOf = k;
            }
            if (!textPen) {
                painter.setPen(Qt::black);
                textPen = true;
            }
            const QRectF r = px(d.rect);
            if (it->wordWrap) {
                painter.drawText(r, int(it->align) | Qt::AlignTop | Qt::TextWordWrap, d.text);
            } else if (it->align & Qt::AlignLeft) {
                // One line from the top-left corner: no layout pass needed.
                painter.drawText(QPointF(r.left(), r.top() + cache.ascent[k]), d.text);
            } else {
                painter.drawText(r, int(it->align) | Qt::AlignTop | Qt::TextSingleLine, d.text);
            }
        }
        }
    }
    painter.restore();
}

} // namespace

void paintPage(QPainter &painter, const Layout &layout, const DisplayList &list, int page, double sx, double sy)
{
    PaintCache cache(layout);
    paintPageCached(painter, layout, list, page, sx, sy, cache);
}

bool paintAll(QPagedPaintDevice &device, const Layout &layout, const DisplayList &list, const Progress &progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double sx = device.logicalDpiX() / 25.4, sy = device.logicalDpiY() / 25.4;
    PaintCache cache(layout);
    for (int p = 1; p <= list.pageCount; ++p) {
        if (progress && !progress(p - 1, list.pageCount)) {
            painter.end();
            return false;
        }
        if (p > 1)
            device.newPage();
        paintPageCached(painter, layout, list, p, sx, sy, cache);
    }
    if (progress)
        progress(list.pageCount, list.pageCount);
    return painter.end();
}

bool writePdf(const QString &path, const Layout &layout, const DisplayList &list, QString *error,
              const Progress &progress)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(layout.title);
    writer.setCreator(QStringLiteral("Tarvil"));
    writer.setPageLayout(QPageLayout(layout.pageSize, layout.orientation, QMarginsF(0, 0, 0, 0)));
    if (!paintAll(writer, layout, list, progress)) {
        if (error)
            *error = QStringLiteral("No se pudo escribir el archivo PDF %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace Report
