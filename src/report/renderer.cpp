#include "report/renderer.h"

#include "core/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <vector>

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

constexpr int kFillRow = -2; // the detail frame run on below the last row
constexpr double kEps = 1e-6;

// One band placed on a page. Kept small: a long list has one per row.
struct Placement {
    double top;   // mm within the printable area
    float height; // the fill's height
    int page;     // 1-based
    int row;      // the band's row, -1 none, kFillRow for the fill
    int totals;   // group instance whose totals the band reads; -1 the report's
    qint8 band;   // BandKind
    qint8 group;  // group bands
};

// Resolves a picture: the file the item names when it exists, else the
// layout's external file when it exists, else the built-in one.
QString pictureSource(const Item &it, const QString &named)
{
    for (const QString &file : {named, it.pictureFile}) {
        if (file.isEmpty())
            continue;
        const QFileInfo fi(QDir::current(), file);
        if (fi.exists())
            return fi.absoluteFilePath();
    }
    return it.picture;
}

} // namespace

struct Render::Impl {
    Layout layout;
    const RowSource *rows = nullptr;
    const Values *values = nullptr;
    QDateTime printedAt;
    QRectF area;
    int pageCount = 1;
    std::vector<Placement> places;
    std::vector<int> pageStart; // index into places of each page's first placement, plus the end
    QVector<int> byBand[kBandCount];

    struct Aggregate {
        const Expression *node;
        const Expression *arg; // sum's; nullptr for count
        int level;             // group level, -1 the whole report
    };
    QVector<Aggregate> aggregates;
    QHash<const Expression *, int> aggregateIndex;
    QVector<double> reportTotals;
    std::vector<QVector<double>> groupTotals; // per group instance

    // A name's binding, looked up once: its column in the rows and its value.
    struct Binding {
        int column = -1;
        QVariant value;
    };
    mutable QHash<QString, Binding> bindings;
    mutable int currentRow = -1;
    mutable int currentTotals = -1;

    QVariant lookup(const QString &name) const
    {
        auto it = bindings.constFind(name);
        if (it == bindings.constEnd()) {
            Binding b;
            b.column = rows ? rows->column(name) : -1;
            if (values)
                b.value = values->value(name);
            it = bindings.insert(name, b);
        }
        if (currentRow >= 0 && it->column >= 0)
            return rows->valueAt(currentRow, it->column);
        return it->value;
    }

    double total(const Expression &e) const
    {
        const int i = aggregateIndex.value(&e, -1);
        if (i < 0)
            return 0;
        if (aggregates[i].level < 0 || currentTotals < 0)
            return reportTotals[i];
        return groupTotals[size_t(currentTotals)][i];
    }

    ExprContext context() const
    {
        ExprContext ctx;
        ctx.field = [this](const QString &name) { return lookup(name); };
        ctx.aggregate = [this](const Expression &e) { return total(e); };
        ctx.pageCount = pageCount;
        ctx.printedAt = printedAt;
        return ctx;
    }

    void collectAggregates()
    {
        const int innermost = int(layout.groups.size()) - 1;
        for (const Item &it : std::as_const(layout.items)) {
            if (!it.visible)
                continue;
            int level = -1;
            if (it.band == BandKind::GroupHeader || it.band == BandKind::GroupFooter)
                level = it.group;
            else if (it.band == BandKind::Detail)
                level = innermost;
            for (const ExprPtr &e : {it.parsed, it.whenParsed})
                if (e)
                    for (const Expression *a : e->aggregates()) {
                        aggregateIndex.insert(a, int(aggregates.size()));
                        aggregates.append({a, a->argument(), level});
                    }
        }
        reportTotals.fill(0, aggregates.size());
    }

    void paginate();
    void addItems(const Placement &p, QVector<DisplayItem> &out, ExprContext &ctx) const;
};

void Render::Impl::paginate()
{
    const double H = area.height();
    const Band &title = layout.band(BandKind::Title);
    const Band &header = layout.band(BandKind::PageHeader);
    const Band &detail = layout.band(BandKind::Detail);
    const Band &footer = layout.band(BandKind::PageFooter);
    const Band &summary = layout.band(BandKind::Summary);
    const int levels = int(layout.groups.size());
    const int rowCount = rows && (detail.present || levels > 0) ? rows->rowCount() : 0;

    int page = 1;
    double y = 0;
    bool fresh = true; // nothing but title/header on the page yet

    const auto place = [&](BandKind b, int group, int row, int totals, double h) {
        places.push_back({y, 0.f, page, row, totals, qint8(b), qint8(group)});
        y += h;
    };
    const auto openPage = [&] {
        pageStart.push_back(int(places.size()));
        y = 0;
        fresh = true;
        if (page == 1 && title.present)
            place(BandKind::Title, -1, -1, -1, title.height);
        if (header.present && !(header.firstPageOnly && page > 1))
            place(BandKind::PageHeader, -1, -1, -1, header.height);
    };
    const auto closePage = [&](bool last) {
        const bool withFooter = footer.present && (last || !footer.lastPageOnly);
        const double bottom = withFooter ? H - footer.height : H;
        if (detail.present && detail.frameToFooter && bottom > y + 0.01)
            places.push_back({y, float(bottom - y), page, kFillRow, -1, qint8(BandKind::Detail), -1});
        if (withFooter) {
            y = H - footer.height;
            place(BandKind::PageFooter, -1, -1, -1, footer.height);
        }
    };
    const double reserve = footer.present && !footer.lastPageOnly ? footer.height : 0;
    // A band that cannot fit even on a fresh page is placed anyway, so a
    // layout taller than the paper still ends.
    const auto ensure = [&](double h) {
        if (y + h > H - reserve + kEps && !fresh) {
            closePage(false);
            ++page;
            openPage();
        }
    };

    openPage();
    if (rowCount > 0) {
        ExprContext ctx = context();
        QVector<QString> previous(levels);
        QVector<int> open(levels, -1); // group instance per level
        const double detailHeight = detail.present ? detail.height : 0;
        const auto closeGroup = [&](int g, int lastRow) {
            const Band &f = layout.groups[g].footer;
            if (f.present) {
                ensure(f.height);
                place(BandKind::GroupFooter, g, lastRow, open[g], f.height);
                fresh = false;
            }
        };
        for (int r = 0; r < rowCount; ++r) {
            currentRow = r;
            int from = r == 0 ? 0 : levels;
            QVector<QString> keys(levels);
            for (int g = 0; g < levels; ++g) {
                keys[g] = toText(layout.groups[g].parsed->eval(ctx));
                if (from == levels && keys[g] != previous[g])
                    from = g;
            }
            if (r > 0)
                for (int g = levels - 1; g >= from; --g)
                    closeGroup(g, r - 1);
            for (int g = from; g < levels; ++g) {
                open[g] = int(groupTotals.size());
                groupTotals.emplace_back(aggregates.size(), 0.0);
                const Band &h = layout.groups[g].header;
                if (h.present) {
                    ensure(h.height + detailHeight); // a header never ends a page alone
                    place(BandKind::GroupHeader, g, r, open[g], h.height);
                    fresh = false;
                }
            }
            previous = keys;
            if (detail.present) {
                ensure(detail.height);
                place(BandKind::Detail, -1, r, levels > 0 ? open[levels - 1] : -1, detail.height);
                fresh = false;
            }
            for (int i = 0; i < aggregates.size(); ++i) {
                const Aggregate &a = aggregates[i];
                const double v = a.arg ? a.arg->eval(ctx).toDouble() : 1.0;
                if (a.level < 0)
                    reportTotals[i] += v;
                else
                    groupTotals[size_t(open[a.level])][i] += v;
            }
        }
        for (int g = levels - 1; g >= 0; --g)
            closeGroup(g, rowCount - 1);
        currentRow = -1;
    }
    if (summary.present) {
        ensure(summary.height);
        place(BandKind::Summary, -1, -1, -1, summary.height);
        fresh = false;
    }
    if (footer.present && footer.lastPageOnly && y > H - footer.height + kEps && !fresh) {
        closePage(false);
        ++page;
        openPage();
    }
    closePage(true);
    pageStart.push_back(int(places.size()));
    pageCount = page;
}

void Render::Impl::addItems(const Placement &p, QVector<DisplayItem> &out, ExprContext &ctx) const
{
    const BandKind kind = BandKind(p.band);
    const auto frameLine = [&](QRectF r) {
        DisplayItem d;
        d.name = bandKindName(kind) + QStringLiteral(".frame");
        d.page = p.page;
        d.rect = r.translated(area.topLeft());
        d.kind = ItemKind::Line;
        out.append(d);
    };
    const Band &band = layout.band(kind, p.group);
    const double w = area.width();
    if (p.row == kFillRow) {
        if (band.frameLeft)
            frameLine(QRectF(0, p.top, 0, p.height));
        if (band.frameRight)
            frameLine(QRectF(w, p.top, 0, p.height));
        return;
    }
    const double h = band.height;
    if (band.frameTop)
        frameLine(QRectF(0, p.top, w, 0));
    if (band.frameLeft)
        frameLine(QRectF(0, p.top, 0, h));
    if (band.frameRight)
        frameLine(QRectF(w, p.top, 0, h));
    if (band.frameBottom)
        frameLine(QRectF(0, p.top + h, w, 0));

    currentRow = p.row;
    currentTotals = p.totals;
    ctx.page = p.page;
    ctx.row = p.row >= 0 ? p.row + 1 : 0;
    for (int idx : byBand[int(kind)]) {
        const Item &it = layout.items[idx];
        if (it.group != p.group)
            continue;
        if (it.whenParsed && !truthy(it.whenParsed->eval(ctx)))
            continue;
        QRectF rect = it.rect;
        if (it.move) {
            const QString key = toText(it.move->parsed->eval(ctx)).trimmed();
            auto to = it.move->to.constFind(key);
            if (to == it.move->to.constEnd())
                to = it.move->to.constFind(QStringLiteral("*"));
            if (to != it.move->to.constEnd()) {
                if (to->left)
                    rect.moveLeft(*to->left);
                if (to->top)
                    rect.moveTop(*to->top);
            }
        }
        DisplayItem d;
        d.name = it.name;
        d.page = p.page;
        d.rect = rect.translated(area.left(), area.top() + p.top);
        d.kind = it.kind;
        d.itemIndex = idx;
        d.row = p.row;
        switch (it.kind) {
        case ItemKind::Label:
            d.text = it.text;
            break;
        case ItemKind::DataField:
        case ItemKind::Expression:
            d.text = toText(it.parsed->eval(ctx));
            break;
        case ItemKind::Picture:
            d.text = pictureSource(it, it.parsed ? toText(it.parsed->eval(ctx)) : QString());
            break;
        case ItemKind::Line:
        case ItemKind::Box:
            break;
        }
        out.append(std::move(d));
    }
    currentRow = -1;
    currentTotals = -1;
}

Render::Render(Layout layout, const RowSource *rows, const Values *values, const QDateTime &printedAt)
    : d(std::make_unique<Impl>())
{
    d->layout = std::move(layout);
    d->rows = rows;
    d->values = values;
    d->printedAt = printedAt.isValid() ? printedAt : QDateTime::currentDateTime();
    d->area = d->layout.printableRectMm();
    for (int i = 0; i < d->layout.items.size(); ++i)
        if (d->layout.items[i].visible)
            d->byBand[int(d->layout.items[i].band)].append(i);
    d->collectAggregates();
    d->paginate();
}

Render::~Render() = default;
Render::Render(Render &&) noexcept = default;
Render &Render::operator=(Render &&) noexcept = default;

const Layout &Render::layout() const
{
    return d->layout;
}

int Render::pageCount() const
{
    return d->pageCount;
}

QVector<DisplayItem> Render::page(int page) const
{
    QVector<DisplayItem> out;
    if (page < 1 || page > d->pageCount)
        return out;
    ExprContext ctx = d->context();
    const int from = d->pageStart[size_t(page - 1)], to = d->pageStart[size_t(page)];
    for (int i = from; i < to; ++i)
        d->addItems(d->places[size_t(i)], out, ctx);
    return out;
}

DisplayList Render::all() const
{
    DisplayList list;
    list.pageCount = d->pageCount;
    for (int p = 1; p <= d->pageCount; ++p) {
        list.pageStart.append(int(list.items.size()));
        list.items += page(p);
    }
    list.pageStart.append(int(list.items.size()));
    return list;
}

DisplayList paginate(const Layout &layout, const RowSource *rows, const Values *values)
{
    return Render(layout, rows, values).all();
}

namespace
{

// Fonts and ascents per layout item, worked out once per painter: setting a
// font and laying text out in a rectangle dominate long reports.
// Text gathered over a page, one glyph run per item's font: drawing a page's
// text in a few runs instead of one call per item, and mapping characters to
// glyphs straight from the font instead of shaping each text, is what keeps
// long lists fast.
struct TextRun {
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
};

// Fonts per layout item, worked out once per painter.
struct PaintCache {
    QVector<QFont> fonts;
    QVector<QRawFont> raw; // the font at the device's size; invalid until needed
    QVector<TextRun> runs; // this page's text per item
    QVector<bool> ready;
    explicit PaintCache(const Layout &l)
        : fonts(l.items.size()), raw(l.items.size()), runs(l.items.size()), ready(l.items.size(), false)
    {
    }
};

// Adds one line of text to its run; false when the font lacks a glyph, so
// the caller draws it the usual way, with font fallback.
bool addToRun(TextRun &run, const QRawFont &raw, const QRectF &r, Qt::Alignment align, const QString &text)
{
    const QVector<quint32> glyphs = raw.glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0u))
        return false;
    const QVector<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    double width = 0;
    for (const QPointF &a : advances)
        width += a.x();
    double x = r.left();
    if (align & Qt::AlignRight)
        x = r.right() - width;
    else if (align & Qt::AlignHCenter)
        x = r.left() + (r.width() - width) / 2;
    const double y = r.top() + raw.ascent();
    for (int i = 0; i < glyphs.size(); ++i) {
        run.glyphs.append(glyphs[i]);
        run.positions.append(QPointF(x, y));
        x += advances[i].x();
    }
    return true;
}

void paintItems(QPainter &painter, const Layout &layout, const DisplayItem *begin, const DisplayItem *end, double sx,
                double sy, PaintCache &cache)
{
    static QHash<QString, QImage> pictures; // one decode per run of the program
    auto px = [&](const QRectF &r) { return QRectF(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy); };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    int fontOf = -1; // item whose font the painter holds
    bool textPen = false;
    QVector<int> withRuns;
    for (const DisplayItem *dp = begin; dp != end; ++dp) {
        const DisplayItem &d = *dp;
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
            if (!cache.ready[k]) {
                cache.ready[k] = true;
                cache.fonts[k] = it->font();
                cache.raw[k] = QRawFont::fromFont(cache.fonts[k]);
                cache.raw[k].setPixelSize(it->fontSize * painter.device()->logicalDpiY() / 72.0);
            }
            const QRectF r = px(d.rect);
            if (!it->wordWrap && cache.raw[k].isValid() &&
                addToRun(cache.runs[k], cache.raw[k], r, it->align, d.text)) {
                if (!withRuns.contains(k))
                    withRuns.append(k);
                break;
            }
            if (fontOf != k) {
                painter.setFont(cache.fonts[k]);
                fontOf = k;
            }
            if (!textPen) {
                painter.setPen(Qt::black);
                textPen = true;
            }
            const int flags = it->wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
            painter.drawText(r, int(it->align) | Qt::AlignTop | flags, d.text);
        }
        }
    }
    painter.setPen(Qt::black);
    for (int k : std::as_const(withRuns)) {
        TextRun &t = cache.runs[k];
        QGlyphRun run;
        run.setRawFont(cache.raw[k]);
        run.setGlyphIndexes(t.glyphs);
        run.setPositions(t.positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
        t.glyphs.clear();
        t.positions.clear();
    }
    painter.restore();
}

using PageItems = std::function<QVector<DisplayItem>(int page)>;

bool paintPages(QPagedPaintDevice &device, const Layout &layout, int pageCount, const PageItems &pageItems,
                const Progress &progress)
{
    // Qt's PDF engine (also behind printing on Linux) takes two buffers of
    // several megabytes for every page it compresses. glibc would hand each
    // back to the system and fault it in again on the next page, a third of a
    // long list's time; keeping them in the heap costs nothing at the peak.
    Platform::keepLargeBlocks();
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double sx = device.logicalDpiX() / 25.4, sy = device.logicalDpiY() / 25.4;
    PaintCache cache(layout);
    for (int p = 1; p <= pageCount; ++p) {
        if (progress && !progress(p - 1, pageCount)) {
            painter.end();
            return false;
        }
        if (p > 1)
            device.newPage();
        const QVector<DisplayItem> items = pageItems(p);
        paintItems(painter, layout, items.constData(), items.constData() + items.size(), sx, sy, cache);
    }
    if (progress)
        progress(pageCount, pageCount);
    return painter.end();
}

bool pdf(const QString &path, const Layout &layout, int pageCount, const PageItems &pageItems, QString *error,
         const Progress &progress)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(layout.title);
    writer.setCreator(QStringLiteral("Tarvil"));
    writer.setPageLayout(QPageLayout(layout.pageSize, layout.orientation, QMarginsF(0, 0, 0, 0)));
    if (!paintPages(writer, layout, pageCount, pageItems, progress)) {
        if (error)
            *error = QStringLiteral("No se pudo escribir el archivo PDF %1").arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace

void paintPage(QPainter &painter, const Layout &layout, const QVector<DisplayItem> &items, double sx, double sy)
{
    PaintCache cache(layout);
    paintItems(painter, layout, items.constData(), items.constData() + items.size(), sx, sy, cache);
}

bool paintAll(QPagedPaintDevice &device, const Render &render, const Progress &progress)
{
    return paintPages(
        device, render.layout(), render.pageCount(), [&render](int p) { return render.page(p); }, progress);
}

bool paintCopies(QPagedPaintDevice &device, const Render &render, int copies, const Progress &progress)
{
    const int pages = render.pageCount();
    return paintPages(
        device, render.layout(), pages * qMax(1, copies),
        [&render, pages](int p) { return render.page((p - 1) % pages + 1); }, progress);
}

bool paintAll(QPagedPaintDevice &device, const Layout &layout, const DisplayList &list, const Progress &progress)
{
    return paintPages(
        device, layout, list.pageCount, [&list](int p) { return list.onPage(p); }, progress);
}

bool writePdf(const QString &path, const Render &render, QString *error, const Progress &progress)
{
    return pdf(
        path, render.layout(), render.pageCount(), [&render](int p) { return render.page(p); }, error, progress);
}

bool writePdf(const QString &path, const Layout &layout, const DisplayList &list, QString *error,
              const Progress &progress)
{
    return pdf(
        path, layout, list.pageCount, [&list](int p) { return list.onPage(p); }, error, progress);
}

} // namespace Report
