#pragma once

#include "report/expression.h"

#include <QFont>
#include <QHash>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace Report
{

enum class BandKind { Title, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, Summary };
inline constexpr int kBandCount = 7;
enum class ItemKind { Label, DataField, Expression, Line, Box, Picture };

// "title", "pageHeader", "groupHeader", "detail", "groupFooter", "pageFooter", "summary"
QString bandKindName(BandKind k);

// A position taken from a value (the "X" markers of pre-printed forms): the
// value's text picks a left and/or top; a value the map lacks uses the "*"
// entry, or leaves the item where the layout puts it.
struct Move {
    QString by; // expression
    ExprPtr parsed;
    struct To {
        std::optional<double> left, top;
    };
    QHash<QString, To> to;
};

struct Item {
    QString name;
    ItemKind kind = ItemKind::Label;
    BandKind band = BandKind::PageHeader;
    int group = -1;      // group bands: index into Layout::groups
    QRectF rect;         // mm from the band's top-left corner
    QString text;        // caption of a label
    QString field;       // data field
    QString expression;  // expression text ("value" is one made of a name)
    QString picture;     // built-in picture (resource path)
    QString pictureFile; // external picture preferred when it exists
    QString fontFamily;
    double fontSize = 8;
    bool bold = false;
    bool italic = false;
    Qt::Alignment align = Qt::AlignLeft;
    bool wordWrap = false;
    bool visible = true;
    double penWidth = 0.2; // mm, lines and boxes
    QString when;          // expression: printed only when it holds

    QFont font() const;
    ExprPtr parsed;     // the expression; for a picture, its file
    ExprPtr whenParsed; // filled by the loader
    std::shared_ptr<const Move> move;
};

struct Band {
    bool present = false;
    double height = 0; // mm
    bool frameTop = false, frameLeft = false, frameRight = false, frameBottom = false;
    bool firstPageOnly = false; // page header only on the first page
    bool lastPageOnly = false;  // page footer only on the last page
    bool frameToFooter = false; // detail: side frame runs on down to the footer
};

// A break in the detail rows where the key changes, with a header before the
// group's rows and a footer after them (count() and sum() there total the
// group). Groups nest in list order, outermost first.
struct Group {
    QString name;
    QString key; // expression over the row
    ExprPtr parsed;
    Band header, footer;
};

struct SpreadsheetColumn {
    QString title, field;
};

// A banded page description. Lookups are by component name and an unknown
// name is an error, so a misspelt name fails loudly instead of printing nothing.
class Layout
{
public:
    QString name;
    QString ancestor;
    QString document; // what the layout is printed as ("sheet", "letter", "list"); empty for an ancestor only
    QString rows;     // which detail rows the document supplies
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // mm
    int copies = 1;
    QString copiesFrom; // expression over the named values; overrides `copies`
    ExprPtr copiesParsed;
    int printerIndex = -1; // -1: the system's default printer
    bool printIfEmpty = true;
    bool previewFitsWidth = false; // the preview opens maximised at the page's width
    QString title;                 // preview caption and PDF title
    std::array<Band, kBandCount> bands;
    QVector<Group> groups;
    QVector<Item> items;                    // paint order
    QVector<SpreadsheetColumn> spreadsheet; // empty: no spreadsheet export
    // The preview's export buttons: "exports" lists them ("pdf", "xlsx");
    // without it, PDF and, where there are columns, the spreadsheet.
    bool exportsPdf = true;
    bool exportsSpreadsheet = false;

    Band &band(BandKind k, int group = -1);
    const Band &band(BandKind k, int group = -1) const;

    bool has(const QString &name) const;
    Item &item(const QString &name);             // throws std::out_of_range
    const Item &item(const QString &name) const; // throws std::out_of_range

    void setText(const QString &name, const QString &text);
    QString text(const QString &name) const;
    void setVisible(const QString &name, bool visible);
    void moveTo(const QString &name, double left, double top);
    void setLeft(const QString &name, double left);
    void setTop(const QString &name, double top);
    void resize(const QString &name, double width, double height);

    QSizeF paperSizeMm() const; // oriented
    QRectF printableRectMm() const;

    // Names the layout reads that neither `values` nor, in the bands that
    // run over rows, `fields` supplies: one message per component and name.
    QStringList unboundNames(const QStringList &values, const QStringList &fields) const;
};

// The ancestors' JSON merged with the descendant's: a descendant repeats a
// component's name to override any of its properties (null removes one; a
// new "text", "value", "expr" or "field" replaces the inherited one), adds
// new names, and hides inherited ones with "visible": false. Throws
// std::runtime_error with the layout name on bad JSON, an unknown key, an
// expression that does not parse or an extends cycle; `resolve` gives an
// ancestor's text by name and throws when there is none.
Layout loadLayoutFromJson(const QByteArray &json, const std::function<QByteArray(const QString &)> &resolve);
// The same from the files of a folder or resource prefix: "<dir>/<name>.json".
Layout loadLayoutFromDir(const QString &dir, const QString &name);

// "Tahoma" when installed, otherwise a metric-compatible sans family.
QString reportFontFamily();

} // namespace Report
