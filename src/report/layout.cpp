#include "report/layout.h"

#include <QFile>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <stdexcept>

namespace Report
{

namespace
{

const char *const kBandNames[kBandCount] = {"title",       "pageHeader", "groupHeader", "detail",
                                            "groupFooter", "pageFooter", "summary"};

[[noreturn]] void fail(const QString &layout, const QString &what)
{
    throw std::runtime_error(QStringLiteral("Diseño %1: %2").arg(layout, what).toStdString());
}

// Every key a layout file may hold, so a misspelt one fails instead of being
// ignored.
void checkKeys(const QJsonObject &o, std::initializer_list<const char *> known, const QString &layout,
               const QString &where)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool ok = false;
        for (const char *k : known)
            ok = ok || it.key() == QLatin1String(k);
        if (!ok)
            fail(layout, QStringLiteral("clave desconocida \"%1\" en %2").arg(it.key(), where));
    }
}

// "groupHeader.name" -> (GroupHeader, "name"); a bare "groupHeader" names the
// outermost group.
std::pair<BandKind, QString> bandFromName(const QString &s, const QString &layout)
{
    const int dot = s.indexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? s : s.left(dot);
    const QString group = dot < 0 ? QString() : s.mid(dot + 1);
    for (int i = 0; i < kBandCount; ++i)
        if (base == QLatin1String(kBandNames[i])) {
            const auto k = BandKind(i);
            if (!group.isEmpty() && k != BandKind::GroupHeader && k != BandKind::GroupFooter)
                break;
            return {k, group};
        }
    fail(layout, QStringLiteral("banda desconocida \"%1\"").arg(s));
}

ItemKind kindFromName(const QString &s, const QJsonObject &o, const QString &layout)
{
    if (s.isEmpty()) {
        if (o.contains(QLatin1String("expr")) || o.contains(QLatin1String("value")))
            return ItemKind::Expression;
        if (o.contains(QLatin1String("field")))
            return ItemKind::DataField;
        return ItemKind::Label;
    }
    if (s == QLatin1String("label"))
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
    fail(layout, QStringLiteral("tipo de componente desconocido \"%1\"").arg(s));
}

// A descendant's key replaces the ancestor's; null removes it.
QJsonObject mergeObjects(QJsonObject base, const QJsonObject &over)
{
    for (auto it = over.begin(); it != over.end(); ++it) {
        if (it.value().isNull())
            base.remove(it.key());
        else
            base.insert(it.key(), it.value());
    }
    return base;
}

// The ancestors' JSON merged with the descendant's, key by key; items and
// groups keep the order of their first appearance.
struct Merged {
    QJsonObject top;   // page, font, title, rows, preview, spreadsheet, exports
    QJsonObject bands; // band name -> object
    QVector<QString> groupOrder;
    QHash<QString, QJsonObject> groups;
    QVector<QString> order;
    QHash<QString, QJsonObject> items;
};

void mergeInto(Merged &m, const QJsonObject &o, const QString &layout)
{
    checkKeys(o,
              {"name", "extends", "document", "comment", "title", "rows", "page", "font", "preview", "bands", "groups",
               "items", "spreadsheet", "exports"},
              layout, QStringLiteral("el diseño"));
    for (const char *key : {"page", "font", "preview"})
        m.top.insert(QLatin1String(key),
                     mergeObjects(m.top.value(QLatin1String(key)).toObject(), o.value(QLatin1String(key)).toObject()));
    for (const char *key : {"title", "rows", "spreadsheet", "exports"})
        if (o.contains(QLatin1String(key)))
            m.top.insert(QLatin1String(key), o.value(QLatin1String(key)));
    const QJsonObject bands = o.value(QLatin1String("bands")).toObject();
    for (auto it = bands.begin(); it != bands.end(); ++it) {
        const BandKind k = bandFromName(it.key(), layout).first;
        if (k == BandKind::GroupHeader || k == BandKind::GroupFooter)
            fail(layout, QStringLiteral("las bandas de grupo van en \"groups\""));
        m.bands.insert(it.key(), mergeObjects(m.bands.value(it.key()).toObject(), it.value().toObject()));
    }
    for (const QJsonValue v : o.value(QLatin1String("groups")).toArray()) {
        const QJsonObject g = v.toObject();
        const QString name = g.value(QLatin1String("name")).toString();
        if (name.isEmpty())
            fail(layout, QStringLiteral("grupo sin nombre"));
        checkKeys(g, {"name", "key", "header", "footer"}, layout, QStringLiteral("el grupo ") + name);
        if (!m.groups.contains(name))
            m.groupOrder.append(name);
        QJsonObject merged = m.groups.value(name);
        for (const char *band : {"header", "footer"})
            if (g.contains(QLatin1String(band)))
                merged.insert(QLatin1String(band), mergeObjects(merged.value(QLatin1String(band)).toObject(),
                                                                g.value(QLatin1String(band)).toObject()));
        if (g.contains(QLatin1String("key")))
            merged.insert(QStringLiteral("key"), g.value(QLatin1String("key")));
        m.groups.insert(name, merged);
    }
    const QJsonObject bandItems = o.value(QLatin1String("items")).toObject();
    for (auto g = bandItems.begin(); g != bandItems.end(); ++g) {
        bandFromName(g.key(), layout);
        for (const QJsonValue v : g.value().toArray()) {
            QJsonObject item = v.toObject();
            const QString name = item.value(QLatin1String("name")).toString();
            if (name.isEmpty())
                fail(layout, QStringLiteral("componente sin nombre"));
            checkKeys(item,
                      {"name", "kind", "at", "text", "field", "expr", "value", "picture", "pictureFile", "family",
                       "size", "bold", "italic", "align", "wrap", "visible", "pen", "when", "move"},
                      layout, name);
            item.insert(QStringLiteral("band"), g.key());
            if (!m.items.contains(name))
                m.order.append(name);
            // What a component prints comes from one place: giving it anew
            // drops the inherited one.
            QJsonObject base = m.items.value(name);
            static const char *const sources[] = {"text", "value", "expr", "field"};
            for (const char *k : sources)
                if (!item.value(QLatin1String(k)).isNull() && !item.value(QLatin1String(k)).isUndefined())
                    for (const char *other : sources)
                        if (!item.contains(QLatin1String(other)))
                            base.remove(QLatin1String(other));
            m.items.insert(name, mergeObjects(base, item));
        }
    }
}

QJsonObject parseObject(const QByteArray &json, const QString &label)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        fail(label, QStringLiteral("JSON inválido (%1)").arg(err.errorString()));
    return doc.object();
}

void collect(Merged &m, const QJsonObject &o, const std::function<QByteArray(const QString &)> &resolve,
             QStringList &chain)
{
    const QString ancestor = o.value(QLatin1String("extends")).toString();
    if (!ancestor.isEmpty()) {
        if (chain.contains(ancestor))
            fail(ancestor, QStringLiteral("herencia circular"));
        chain.append(ancestor);
        collect(m, parseObject(resolve(ancestor), ancestor), resolve, chain);
    }
    mergeInto(m, o, o.value(QLatin1String("name")).toString());
}

double num(const QJsonValue &v, double def)
{
    return v.isDouble() ? v.toDouble() : def;
}

QPageSize pageSizeFrom(const QJsonValue &v, const QString &layout)
{
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        if (a.size() != 2 || a.at(0).toDouble() <= 0 || a.at(1).toDouble() <= 0)
            fail(layout, QStringLiteral("tamaño de página inválido"));
        return QPageSize(QSizeF(a.at(0).toDouble(), a.at(1).toDouble()), QPageSize::Millimeter);
    }
    const QString s = v.toString(QStringLiteral("A4"));
    if (s == QLatin1String("A4"))
        return QPageSize(QPageSize::A4);
    if (s == QLatin1String("Legal"))
        return QPageSize(QPageSize::Legal);
    if (s == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    fail(layout, QStringLiteral("tamaño de página desconocido \"%1\"").arg(s));
}

Qt::Alignment alignFrom(const QString &s)
{
    if (s == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (s == QLatin1String("right"))
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

Band bandFrom(const QJsonObject &b, const QString &layout, const QString &where)
{
    checkKeys(b, {"height", "present", "frame", "firstPageOnly", "lastPageOnly", "frameToFooter"}, layout, where);
    Band band;
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
    return band;
}

ExprPtr parseOrFail(const QString &text, const QString &layout, const QString &where)
{
    QString error;
    ExprPtr e = Expression::parse(text, &error);
    if (!e)
        fail(layout, QStringLiteral("%1: %2").arg(where, error));
    return e;
}

std::optional<double> coordinate(const QJsonValue &v, const QString &layout, const QString &where)
{
    if (v.isNull() || v.isUndefined())
        return std::nullopt;
    if (!v.isDouble())
        fail(layout, QStringLiteral("%1: posición no numérica").arg(where));
    return v.toDouble();
}

std::shared_ptr<const Move> moveFrom(const QJsonObject &o, const QString &layout, const QString &item)
{
    checkKeys(o, {"by", "left", "top", "at"}, layout, item + QStringLiteral(".move"));
    auto m = std::make_shared<Move>();
    m->by = o.value(QLatin1String("by")).toString();
    m->parsed = parseOrFail(m->by, layout, item);
    const QJsonObject left = o.value(QLatin1String("left")).toObject();
    for (auto it = left.begin(); it != left.end(); ++it)
        m->to[it.key()].left = coordinate(it.value(), layout, item);
    const QJsonObject top = o.value(QLatin1String("top")).toObject();
    for (auto it = top.begin(); it != top.end(); ++it)
        m->to[it.key()].top = coordinate(it.value(), layout, item);
    const QJsonObject at = o.value(QLatin1String("at")).toObject();
    for (auto it = at.begin(); it != at.end(); ++it) {
        const QJsonArray a = it.value().toArray();
        if (a.size() != 2)
            fail(layout, QStringLiteral("%1: \"at\" de move lleva [izquierda, arriba]").arg(item));
        m->to[it.key()] = {coordinate(a.at(0), layout, item), coordinate(a.at(1), layout, item)};
    }
    if (m->to.isEmpty())
        fail(layout, QStringLiteral("%1: move sin posiciones").arg(item));
    return m;
}

bool rowBand(BandKind b)
{
    return b == BandKind::Detail || b == BandKind::GroupHeader || b == BandKind::GroupFooter;
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
    const QJsonObject own = parseObject(json, QStringLiteral("?"));
    Layout l;
    l.name = own.value(QLatin1String("name")).toString();
    l.ancestor = own.value(QLatin1String("extends")).toString();
    // What a layout prints as is its own: an ancestor is not printed by itself.
    l.document = own.value(QLatin1String("document")).toString();
    Merged m;
    QStringList chain{l.name};
    collect(m, own, resolve, chain);

    const QJsonObject page = m.top.value(QLatin1String("page")).toObject();
    checkKeys(page, {"size", "orientation", "margins", "copies", "copiesFrom", "printer", "printIfEmpty"}, l.name,
              QStringLiteral("page"));
    l.pageSize = pageSizeFrom(page.value(QLatin1String("size")), l.name);
    const QString orientation = page.value(QLatin1String("orientation")).toString(QStringLiteral("portrait"));
    if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
        fail(l.name, QStringLiteral("orientación desconocida \"%1\"").arg(orientation));
    l.orientation = orientation == QLatin1String("landscape") ? QPageLayout::Landscape : QPageLayout::Portrait;
    const QJsonArray mg = page.value(QLatin1String("margins")).toArray();
    if (mg.size() == 4)
        l.margins = QMarginsF(mg[0].toDouble(), mg[1].toDouble(), mg[2].toDouble(), mg[3].toDouble());
    l.copies = page.value(QLatin1String("copies")).toInt(1);
    l.copiesFrom = page.value(QLatin1String("copiesFrom")).toString();
    if (!l.copiesFrom.isEmpty())
        l.copiesParsed = parseOrFail(l.copiesFrom, l.name, QStringLiteral("copiesFrom"));
    l.printerIndex = page.value(QLatin1String("printer")).toInt(-1);
    l.printIfEmpty = page.value(QLatin1String("printIfEmpty")).toBool(true);
    const QJsonObject preview = m.top.value(QLatin1String("preview")).toObject();
    checkKeys(preview, {"fitWidth"}, l.name, QStringLiteral("preview"));
    l.previewFitsWidth = preview.value(QLatin1String("fitWidth")).toBool();
    l.title = m.top.value(QLatin1String("title")).toString(l.name);
    l.rows = m.top.value(QLatin1String("rows")).toString();

    for (auto it = m.bands.begin(); it != m.bands.end(); ++it)
        l.band(bandFromName(it.key(), l.name).first) = bandFrom(it.value().toObject(), l.name, it.key());

    for (const QString &name : m.groupOrder) {
        const QJsonObject o = m.groups.value(name);
        Group g;
        g.name = name;
        g.key = o.value(QLatin1String("key")).toString();
        g.parsed = parseOrFail(g.key, l.name, QStringLiteral("grupo ") + name);
        if (o.contains(QLatin1String("header")))
            g.header = bandFrom(o.value(QLatin1String("header")).toObject(), l.name, name);
        if (o.contains(QLatin1String("footer")))
            g.footer = bandFrom(o.value(QLatin1String("footer")).toObject(), l.name, name);
        l.groups.append(g);
    }

    const QJsonObject font = m.top.value(QLatin1String("font")).toObject();
    const QString defFamily = font.value(QLatin1String("family")).toString(QStringLiteral("Tahoma"));
    const double defSize = num(font.value(QLatin1String("size")), 8);
    for (const QString &name : m.order) {
        const QJsonObject o = m.items.value(name);
        Item it;
        it.name = name;
        const auto [band, group] = bandFromName(o.value(QLatin1String("band")).toString(), l.name);
        it.band = band;
        if (band == BandKind::GroupHeader || band == BandKind::GroupFooter) {
            it.group = group.isEmpty() ? (l.groups.isEmpty() ? -1 : 0) : -1;
            for (int g = 0; g < l.groups.size() && it.group < 0; ++g)
                if (l.groups[g].name == group)
                    it.group = g;
            if (it.group < 0)
                fail(l.name, QStringLiteral("%1: grupo desconocido \"%2\"").arg(name, group));
        }
        it.kind = kindFromName(o.value(QLatin1String("kind")).toString(), o, l.name);
        const QJsonArray at = o.value(QLatin1String("at")).toArray();
        it.rect = QRectF(at.at(0).toDouble(), at.at(1).toDouble(), at.at(2).toDouble(), at.at(3).toDouble());
        it.text = o.value(QLatin1String("text")).toString();
        it.field = o.value(QLatin1String("field")).toString();
        it.expression = o.value(QLatin1String("expr")).toString();
        if (o.contains(QLatin1String("value"))) {
            if (o.contains(QLatin1String("expr")))
                fail(l.name, QStringLiteral("%1: \"value\" y \"expr\" a la vez").arg(name));
            it.expression = o.value(QLatin1String("value")).toString();
        }
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
        it.when = o.value(QLatin1String("when")).toString();
        if (it.kind == ItemKind::DataField && it.field.isEmpty())
            fail(l.name, QStringLiteral("%1: campo sin nombre").arg(name));
        if (it.kind == ItemKind::Expression && it.expression.isEmpty())
            fail(l.name, QStringLiteral("%1: expresión vacía").arg(name));
        if (it.kind == ItemKind::Expression || (it.kind == ItemKind::Picture && !it.expression.isEmpty()))
            it.parsed = parseOrFail(it.expression, l.name, name);
        else if (it.kind == ItemKind::DataField)
            it.parsed = parseOrFail(it.field, l.name, name);
        if (!it.when.isEmpty())
            it.whenParsed = parseOrFail(it.when, l.name, name);
        if (o.contains(QLatin1String("move")))
            it.move = moveFrom(o.value(QLatin1String("move")).toObject(), l.name, name);
        l.items.append(it);
    }
    for (const QJsonValue v : m.top.value(QLatin1String("spreadsheet")).toArray()) {
        const QJsonObject c = v.toObject();
        l.spreadsheet.append({c.value(QLatin1String("title")).toString(), c.value(QLatin1String("field")).toString()});
    }
    if (m.top.contains(QLatin1String("exports"))) {
        l.exportsPdf = l.exportsSpreadsheet = false;
        for (const QJsonValue v : m.top.value(QLatin1String("exports")).toArray()) {
            if (v.toString() == QLatin1String("pdf"))
                l.exportsPdf = true;
            else if (v.toString() == QLatin1String("xlsx") && !l.spreadsheet.isEmpty())
                l.exportsSpreadsheet = true;
            else
                fail(l.name, QStringLiteral("\"exports\" admite \"pdf\" y, con \"spreadsheet\", \"xlsx\""));
        }
    } else {
        l.exportsSpreadsheet = !l.spreadsheet.isEmpty();
    }
    return l;
}

Layout loadLayoutFromDir(const QString &dir, const QString &name)
{
    const auto read = [&dir](const QString &n) {
        QFile f(QStringLiteral("%1/%2.json").arg(dir, n));
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error(QStringLiteral("No se encuentra el diseño %1").arg(n).toStdString());
        return f.readAll();
    };
    return loadLayoutFromJson(read(name), read);
}

Band &Layout::band(BandKind k, int group)
{
    if (k == BandKind::GroupHeader || k == BandKind::GroupFooter) {
        if (group < 0 || group >= groups.size())
            throw std::out_of_range(
                QStringLiteral("Diseño %1: grupo %2 inexistente").arg(name).arg(group).toStdString());
        return k == BandKind::GroupHeader ? groups[group].header : groups[group].footer;
    }
    return bands[int(k)];
}

const Band &Layout::band(BandKind k, int group) const
{
    return const_cast<Layout *>(this)->band(k, group);
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

QStringList Layout::unboundNames(const QStringList &values, const QStringList &fields) const
{
    QSet<QString> valueSet, fieldSet;
    for (const QString &v : values)
        valueSet.insert(v.toLower());
    for (const QString &f : fields)
        fieldSet.insert(f.toLower());
    QStringList out;
    const auto check = [&](const ExprPtr &e, bool withRow, const QString &where) {
        if (!e)
            return;
        for (const QString &n : e->names())
            if (!valueSet.contains(n.toLower()) && !(withRow && fieldSet.contains(n.toLower())))
                out.append(QStringLiteral("%1, %2: %3").arg(name, where, n));
    };
    check(copiesParsed, false, QStringLiteral("copiesFrom"));
    for (const Group &g : groups)
        check(g.parsed, true, QStringLiteral("grupo ") + g.name);
    for (const Item &it : items) {
        if (!it.visible)
            continue;
        const bool withRow = rowBand(it.band);
        check(it.parsed, withRow, it.name);
        check(it.whenParsed, withRow, it.name);
        if (it.move)
            check(it.move->parsed, withRow, it.name);
    }
    return out;
}

} // namespace Report
