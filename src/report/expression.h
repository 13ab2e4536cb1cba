#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

namespace Report
{

class Expression;

// What an expression can see while a band is laid out.
struct ExprContext {
    // A name's value: the current row's field in the bands that have a row,
    // otherwise the document's named value; invalid when neither exists.
    std::function<QVariant(const QString &name)> field;
    int page = 0;
    int pageCount = 0;
    int row = 0;         // 1-based row of the detail band, 0 outside it
    QDateTime printedAt; // date() and time(); invalid: now
    // The total of count()/sum() for the band being laid out.
    std::function<double(const Expression &aggregate)> aggregate;
};

// A small expression language for computed report cells:
//   literals 'text' "text" 12, names (row fields and named values; letters,
//   digits, '_' and '.'), PAGE, PAGES, ROW,
//   a + b (text joins, numbers add), = <> < >, and, or, not, ( ),
//   copy(s, start, len) 1-based, upper(s), trim(s), len(s), iif(cond, a, b),
//   str(n), fmt(n, decimals), date() and time() (the print's, short format),
//   count() and sum(x) over the rows of the group or the report.
class Expression
{
public:
    enum class Node { Other, Name, Count, Sum };

    virtual ~Expression() = default;
    virtual QVariant eval(const ExprContext &ctx) const = 0;

    virtual Node node() const { return Node::Other; }
    virtual QString name() const { return {}; }                    // Node::Name
    virtual const Expression *argument() const { return nullptr; } // Node::Sum
    virtual void children(QVector<const Expression *> &) const {}

    // The names read, PAGE, PAGES and ROW left out; aggregates' own included.
    QStringList names() const;
    // The count()/sum() calls, outermost first.
    QVector<const Expression *> aggregates() const;

    // nullptr and a Spanish message in *error when the text does not parse.
    static std::shared_ptr<const Expression> parse(const QString &text, QString *error);
    // True when the text reads PAGES and so needs the page count.
    static bool usesPageCount(const QString &text);
};

using ExprPtr = std::shared_ptr<const Expression>;

QString toText(const QVariant &v);
bool truthy(const QVariant &v);

} // namespace Report
