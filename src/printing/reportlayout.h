#pragma once

#include <QFont>
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

namespace Report
{

enum class BandKind { Title, PageHeader, Detail, PageFooter, Summary };
inline constexpr int kBandCount = 5;
enum class ItemKind { Label, DataField, Expression, Line, Box, Picture };

QString bandKindName(BandKind k); // "title", "pageHeader", "detail", "pageFooter", "summary"

class Expression; // parsed expression, see reportexpr.h

struct Item {
    QString name;
    ItemKind kind = ItemKind::Label;
    BandKind band = BandKind::PageHeader;
    QRectF rect;         // mm from the band's top-left corner
    QString text;        // caption of a label
    QString field;       // data field
    QString expression;  // expression text
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

    QFont font() const;
    std::shared_ptr<const Expression> parsed; // filled by the loader
};

struct Band {
    bool present = false;
    double height = 0; // mm
    bool frameTop = false, frameLeft = false, frameRight = false, frameBottom = false;
    bool firstPageOnly = false; // page header only on the first page
    bool lastPageOnly = false;  // page footer only on the last page
    bool frameToFooter = false; // detail: side frame runs on down to the footer
};

struct SpreadsheetColumn {
    QString title, field;
};

// A banded page description. Fillers change it through the methods below;
// every lookup is by component name and an unknown name is an error, so a
// misspelt name fails loudly instead of printing nothing.
class Layout
{
public:
    QString name;
    QString ancestor;
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{10, 10, 10, 10}; // mm
    int copies = 1;
    int printerIndex = -1; // -1: the system's default printer
    bool printIfEmpty = true;
    QString title; // preview caption and PDF title
    std::array<Band, kBandCount> bands;
    QVector<Item> items;                    // paint order
    QVector<SpreadsheetColumn> spreadsheet; // empty: no spreadsheet export

    Band &band(BandKind k) { return bands[int(k)]; }
    const Band &band(BandKind k) const { return bands[int(k)]; }

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
};

// Loads ":/layouts/<name>.json" with its ancestors. A descendant repeats a
// component's name to override any of its properties, adds new names, and
// hides inherited ones with "visible": false. Throws std::runtime_error with
// the layout name on a missing file, bad JSON or an extends cycle.
Layout loadLayout(const QString &name);
// The same from JSON text; `resolve` gives an ancestor's text by name.
Layout loadLayoutFromJson(const QByteArray &json, const std::function<QByteArray(const QString &)> &resolve);

// "Tahoma" when installed, otherwise a metric-compatible sans family.
QString reportFontFamily();

} // namespace Report
