#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace Report
{

// What an expression can see: the current row's fields and the page counters.
struct ExprContext {
    std::function<QVariant(const QString &field)> field;
    int page = 0;
    int pageCount = 0;
    int row = 0; // 1-based row of the detail band, 0 outside it
};

// A small expression language for computed report cells:
//   literals 'text' "text" 12, field names, PAGE, PAGES, ROW,
//   a + b (text joins, numbers add), = <> < >, and, or, not, ( ),
//   copy(s, start, len) 1-based, upper(s), trim(s), len(s), iif(cond, a, b),
//   str(n), date() (today, short format).
class Expression
{
public:
    virtual ~Expression() = default;
    virtual QVariant eval(const ExprContext &ctx) const = 0;

    // nullptr and a Spanish message in *error when the text does not parse.
    static std::shared_ptr<const Expression> parse(const QString &text, QString *error);
    // True when the text reads PAGES and so needs the page count.
    static bool usesPageCount(const QString &text);
};

QString toText(const QVariant &v);

} // namespace Report
