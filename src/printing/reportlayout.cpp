#include "printing/reportlayout.h"

#include "printing/reportexpr.h"

#include <QFile>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

// Resources of a static library must be registered by hand, outside any namespace.
static void initLayoutResources()
{
    Q_INIT_RESOURCE(layouts);
}

namespace Report
{

namespace
{

const char *const kBandNames[kBandCount] = {"title", "pageHeader", "detail", "pageFooter", "summary"};

BandKind bandFromName(const QString &s, const QString &layout)
{
    for (int i = 0; i < kBandCount; ++i)
        if (s == QLatin1String(kBandNames[i]))
            return BandKind(i);
    throw std::runtime_error(QStringLiteral("Diseño %1: banda desconocida \"%2\"").arg(layout, s).toStdString());
}

ItemKind kindFromName(const QString &s, const QString &layout)
{
    if (s.isEmpty() || s == QLatin1String("label"))
        return ItemKind::Label;
    if (s == QLatin1String("field"))
        return ItemKind::DataField;
    if (s == QLatin1String("expr"))
        return ItemKind::Expression;
    if (s == QLatin1String("line"))
        return ItemKind::Line;
    if (s == QLatin1String("box"))
        return ItemKind::Box;
    if (s == QLatin1String("picture"))
        return ItemKind::Picture;
    throw std::runtime_error(
        QStringLiteral("Diseño %1: tipo de componente desconocido \"%2\"").arg(layout, s).toStdString());
}

QJsonObject mergeObjects(QJsonObject base, const QJsonObject &over)
{
    for (auto it = over.begin(); it != over.end(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

// The ancestors' JSON merged with the descendant's, key by key; items keep
// the order of their first appearance.
struct Merged {
    QJsonObject top;   // page, font, title, spreadsheet
    QJsonObject bands; // band name -> object
    QVector<QString> order;
    QHash<QString, QJsonObject> items;
};

void mergeInto(Merged &m, const QJsonObject &o, const QString &layout)
{
    for (const char *key : {"page", "font"})
        m.top.insert(QLatin1String(key),
                     mergeObjects(m.top.value(QLatin1String(key)).toObject(), o.value(QLatin1String(key)).toObject()));
    for (const char *key : {"title", "spreadsheet"})
        if (o.contains(QLatin1String(key)))
            m.top.insert(QLatin1String(key), o.value(QLatin1String(key)));
    const QJsonObject bands = o.value(QLatin1String("bands")).toObject();
    for (auto it = bands.begin(); it != bands.end(); ++it) {
        bandFromName(it.key(), layout);
        m.bands.insert(it.key(), mergeObjects(m.bands.value(it.key()).toObject(), it.value().toObject()));
    }
    const QJsonObject groups = o.value(QLatin1String("items")).toObject();
    for (auto g = groups.begin(); g != groups.end(); ++g) {
        bandFromName(g.key(), layout);
        for (const QJsonValue &v : g.value().toArray()) {
            QJsonObject item = v.toObject();
            const QString name = item.value(QLatin1String("name")).toString();
            if (name.isEmpty())
                throw std::runtime_error(QStringLiteral("Diseño %1: componente sin nombre").arg(layout).toStdString());
            item.insert(QStringLiteral("band"), g.key());
            if (!m.items.contains(name))
                m.order.append(name);
            m.items.insert(name, mergeObjects(m.items.value(name), item));
        }
    }
}

void collect(Merged &m, const QByteArray &json, const std::function<QByteArray(const QString &)> &resolve,
             QStringList &chain, QString *ownName)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    const QString label = chain.isEmpty() ? QStringLiteral("?") : chain.last();
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw std::runtime_error(
            QStringLiteral("Diseño %1: JSON inválido (%2)").arg(label, err.errorString()).toStdString());
    const QJsonObject o = doc.object();
    const QString ancestor = o.value(QLatin1String("extends")).toString();
    if (ownName)
        *ownName = ancestor;
    if (!ancestor.isEmpty()) {
        if (chain.contains(ancestor))
            throw std::runtime_error(QStringLiteral("Diseño %1: herencia circular").arg(ancestor).toStdString());
        chain.append(ancestor);
        collect(m, resolve(ancestor), resolve, chain, nullptr);
    }
    mergeInto(m, o, label);
}

double num(const QJsonValue &v, double def)
{
    return v.isDouble() ? v.toDouble() : def;
}

QPageSize pageSizeFrom(const QJsonValue &v)
{
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        return QPageSize(QSizeF(a.at(0).toDouble(), a.at(1).toDouble()), QPageSize::Millimeter);
    }
    const QString s = v.toString(QStringLiteral("A4"));
    if (s == QLatin1String("Legal"))
        return QPageSize(QPageSize::Legal);
    if (s == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    return QPageSize(QPageSize::A4);
}

Qt::Alignment alignFrom(const QString &s)
{
    if (s == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (s == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

} // namespace

QString bandKindName(BandKind k)
{
    return QLatin1String(kBandNames[int(k)]);
}

QString reportFontFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *f : {"Tahoma", "Liberation Sans", "DejaVu Sans", "Arial"})
            if (installed.contains(QLatin1String(f), Qt::CaseInsensitive))
                return QString::fromLatin1(f);
        return QStringLiteral("Sans Serif");
    }();
    return family;
}

QFont Item::font() const
{
    QString fam = fontFamily;
    if (fam.isEmpty() || (fam == QLatin1String("Tahoma") && reportFontFamily() != fam))
        fam = reportFontFamily();
    QFont f(fam);
    f.setPointSizeF(fontSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setKerning(false);
    return f;
}

Layout loadLayoutFromJson(const QByteArray &json, const std::function<QByteArray(const QString &)> &resolve)
{
    Merged m;
    QStringList chain;
    Layout l;
    {
        QJsonParseError err;
        const QJsonDocument d = QJsonDocument::fromJson(json, &err);
        l.name = d.object().value(QLatin1String("name")).toString();
        chain.append(l.name);
    }
    collect(m, json, resolve, chain, &l.ancestor);

    const QJsonObject page = m.top.value(QLatin1String("page")).toObject();
    l.pageSize = pageSizeFrom(page.value(QLatin1String("size")));
    l.orientation = page.value(QLatin1String("orientation")).toString() == QLatin1String("landscape")
                        ? QPageLayout::Landscape
                        : QPageLayout::Portrait;
    const QJsonArray mg = page.value(QLatin1String("margins")).toArray();
    if (mg.size() == 4)
        l.margins = QMarginsF(mg[0].toDouble(), mg[1].toDouble(), mg[2].toDouble(), mg[3].toDouble());
    l.copies = page.value(QLatin1String("copies")).toInt(1);
    l.printerIndex = page.value(QLatin1String("printer")).toInt(-1);
    l.printIfEmpty = page.value(QLatin1String("printIfEmpty")).toBool(true);
    l.title = m.top.value(QLatin1String("title")).toString(l.name);

    for (auto it = m.bands.begin(); it != m.bands.end(); ++it) {
        const QJsonObject b = it.value().toObject();
        Band &band = l.band(bandFromName(it.key(), l.name));
        band.present = b.value(QLatin1String("present")).toBool(true);
        band.height = num(b.value(QLatin1String("height")), 0);
        const QString frame = b.value(QLatin1String("frame")).toString();
        band.frameTop = frame.contains(QLatin1Char('t'));
        band.frameLeft = frame.contains(QLatin1Char('l'));
        band.frameRight = frame.contains(QLatin1Char('r'));
        band.frameBottom = frame.contains(QLatin1Char('b'));
        band.firstPageOnly = b.value(QLatin1String("firstPageOnly")).toBool();
        band.lastPageOnly = b.value(QLatin1String("lastPageOnly")).toBool();
        band.frameToFooter = b.value(QLatin1String("frameToFooter")).toBool();
    }

    const QJsonObject font = m.top.value(QLatin1String("font")).toObject();
    const QString defFamily = font.value(QLatin1String("family")).toString(QStringLiteral("Tahoma"));
    const double defSize = num(font.value(QLatin1String("size")), 8);
    for (const QString &name : m.order) {
        const QJsonObject o = m.items.value(name);
        Item it;
        it.name = name;
        it.band = bandFromName(o.value(QLatin1String("band")).toString(), l.name);
        it.kind = kindFromName(o.value(QLatin1String("kind")).toString(), l.name);
        const QJsonArray at = o.value(QLatin1String("at")).toArray();
        it.rect = QRectF(at.at(0).toDouble(), at.at(1).toDouble(), at.at(2).toDouble(), at.at(3).toDouble());
        it.text = o.value(QLatin1String("text")).toString();
        it.field = o.value(QLatin1String("field")).toString();
        it.expression = o.value(QLatin1String("expr")).toString();
        it.picture = o.value(QLatin1String("picture")).toString();
        it.pictureFile = o.value(QLatin1String("pictureFile")).toString();
        it.fontFamily = o.value(QLatin1String("family")).toString(defFamily);
        it.fontSize = num(o.value(QLatin1String("size")), defSize);
        it.bold = o.value(QLatin1String("bold")).toBool();
        it.italic = o.value(QLatin1String("italic")).toBool();
        it.align = alignFrom(o.value(QLatin1String("align")).toString());
        it.wordWrap = o.value(QLatin1String("wrap")).toBool();
        it.visible = o.value(QLatin1String("visible")).toBool(true);
        it.penWidth = num(o.value(QLatin1String("pen")), 0.2);
        if (it.kind == ItemKind::Expression) {
            QString error;
            it.parsed = Expression::parse(it.expression, &error);
            if (!it.parsed)
                throw std::runtime_error(QStringLiteral("Diseño %1, %2: %3").arg(l.name, name, error).toStdString());
        }
        l.items.append(it);
    }
    for (const QJsonValue &v : m.top.value(QLatin1String("spreadsheet")).toArray()) {
        const QJsonObject c = v.toObject();
        l.spreadsheet.append({c.value(QLatin1String("title")).toString(), c.value(QLatin1String("field")).toString()});
    }
    return l;
}

static QByteArray layoutResource(const QString &name)
{
    QFile f(QStringLiteral(":/layouts/%1.json").arg(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("No se encuentra el diseño %1").arg(name).toStdString());
    return f.readAll();
}

Layout loadLayout(const QString &name)
{
    initLayoutResources();
    return loadLayoutFromJson(layoutResource(name), layoutResource);
}

bool Layout::has(const QString &n) const
{
    for (const Item &i : items)
        if (i.name == n)
            return true;
    return false;
}

Item &Layout::item(const QString &n)
{
    for (Item &i : items)
        if (i.name == n)
            return i;
    throw std::out_of_range(QStringLiteral("Diseño %1: no existe el componente %2").arg(name, n).toStdString());
}

const Item &Layout::item(const QString &n) const
{
    return const_cast<Layout *>(this)->item(n);
}

void Layout::setText(const QString &n, const QString &text)
{
    item(n).text = text;
}
QString Layout::text(const QString &n) const
{
    return item(n).text;
}
void Layout::setVisible(const QString &n, bool visible)
{
    item(n).visible = visible;
}
void Layout::moveTo(const QString &n, double left, double top)
{
    item(n).rect.moveTo(left, top);
}
void Layout::setLeft(const QString &n, double left)
{
    item(n).rect.moveLeft(left);
}
void Layout::setTop(const QString &n, double top)
{
    item(n).rect.moveTop(top);
}
void Layout::resize(const QString &n, double width, double height)
{
    item(n).rect.setSize(QSizeF(width, height));
}

QSizeF Layout::paperSizeMm() const
{
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QRectF Layout::printableRectMm() const
{
    const QSizeF p = paperSizeMm();
    return QRectF(margins.left(), margins.top(), p.width() - margins.left() - margins.right(),
                  p.height() - margins.top() - margins.bottom());
}

} // namespace Report
