#include "printing/reportexpr.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QVector>

namespace Report
{

QString toText(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == qint64(d))
            return QString::number(qint64(d));
    }
    return v.toString();
}

namespace
{

bool truthy(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString)
        return !v.toString().isEmpty();
    return v.isValid() && !v.isNull() && v.toDouble() != 0;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

struct Literal : Expression {
    QVariant v;
    explicit Literal(QVariant x) : v(std::move(x)) {}
    QVariant eval(const ExprContext &) const override { return v; }
};

struct FieldRef : Expression {
    QString name;
    explicit FieldRef(QString n) : name(std::move(n)) {}
    QVariant eval(const ExprContext &c) const override
    {
        if (name.compare(QLatin1String("PAGE"), Qt::CaseInsensitive) == 0)
            return c.page;
        if (name.compare(QLatin1String("PAGES"), Qt::CaseInsensitive) == 0)
            return c.pageCount;
        if (name.compare(QLatin1String("ROW"), Qt::CaseInsensitive) == 0)
            return c.row;
        return c.field ? c.field(name) : QVariant();
    }
};

using Ptr = std::shared_ptr<const Expression>;

struct Binary : Expression {
    QString op;
    Ptr a, b;
    Binary(QString o, Ptr x, Ptr y) : op(std::move(o)), a(std::move(x)), b(std::move(y)) {}
    QVariant eval(const ExprContext &c) const override
    {
        if (op == QLatin1String("and"))
            return truthy(a->eval(c)) && truthy(b->eval(c));
        if (op == QLatin1String("or"))
            return truthy(a->eval(c)) || truthy(b->eval(c));
        const QVariant x = a->eval(c), y = b->eval(c);
        const bool numeric = isNumber(x) && isNumber(y);
        if (op == QLatin1String("+"))
            return numeric ? QVariant(x.toDouble() + y.toDouble()) : QVariant(toText(x) + toText(y));
        int cmp = numeric ? (x.toDouble() < y.toDouble()   ? -1
                             : x.toDouble() > y.toDouble() ? 1
                                                           : 0)
                          : QString::compare(toText(x), toText(y));
        if (op == QLatin1String("="))
            return cmp == 0;
        if (op == QLatin1String("<>"))
            return cmp != 0;
        if (op == QLatin1String("<"))
            return cmp < 0;
        return cmp > 0;
    }
};

struct Not : Expression {
    Ptr a;
    explicit Not(Ptr x) : a(std::move(x)) {}
    QVariant eval(const ExprContext &c) const override { return !truthy(a->eval(c)); }
};

struct Call : Expression {
    QString fn;
    QVector<Ptr> args;
    QVariant eval(const ExprContext &c) const override
    {
        if (fn == QLatin1String("iif"))
            return truthy(args[0]->eval(c)) ? args[1]->eval(c) : args[2]->eval(c);
        if (fn == QLatin1String("date"))
            return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
        const QString s = toText(args[0]->eval(c));
        if (fn == QLatin1String("copy")) {
            const int start = qMax(1, args[1]->eval(c).toInt());
            return s.mid(start - 1, qMax(0, args[2]->eval(c).toInt()));
        }
        if (fn == QLatin1String("upper"))
            return s.toUpper();
        if (fn == QLatin1String("trim"))
            return s.trimmed();
        if (fn == QLatin1String("len"))
            return int(s.size());
        return s; // str
    }
};

struct Function {
    const char *name;
    int arity;
};
const Function kFunctions[] = {{"iif", 3}, {"copy", 3}, {"upper", 1}, {"trim", 1}, {"len", 1}, {"str", 1}, {"date", 0}};

class Parser
{
public:
    explicit Parser(const QString &t) : s(t) {}
    QString error;

    Ptr parseAll()
    {
        Ptr e = orExpr();
        skip();
        if (!error.isEmpty())
            return nullptr;
        if (pos < s.size()) {
            fail(QStringLiteral("texto inesperado en la posición %1").arg(pos + 1));
            return nullptr;
        }
        return e;
    }

private:
    const QString &s;
    int pos = 0;

    void fail(const QString &m)
    {
        if (error.isEmpty())
            error = m;
    }
    void skip()
    {
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
    }
    bool word(const char *w)
    {
        skip();
        const QString ws = QString::fromLatin1(w);
        if (s.mid(pos, ws.size()).compare(ws, Qt::CaseInsensitive) != 0)
            return false;
        const int end = pos + ws.size();
        if (end < s.size() && (s[end].isLetterOrNumber() || s[end] == QLatin1Char('_')))
            return false;
        pos = end;
        return true;
    }
    bool sym(const char *w)
    {
        skip();
        const QString ws = QString::fromLatin1(w);
        if (!s.mid(pos).startsWith(ws))
            return false;
        pos += ws.size();
        return true;
    }
    Ptr orExpr()
    {
        Ptr a = andExpr();
        while (error.isEmpty() && word("or"))
            a = std::make_shared<Binary>(QStringLiteral("or"), a, andExpr());
        return a;
    }
    Ptr andExpr()
    {
        Ptr a = cmpExpr();
        while (error.isEmpty() && word("and"))
            a = std::make_shared<Binary>(QStringLiteral("and"), a, cmpExpr());
        return a;
    }
    Ptr cmpExpr()
    {
        Ptr a = addExpr();
        for (const char *op : {"<>", "=", "<", ">"})
            if (error.isEmpty() && sym(op))
                return std::make_shared<Binary>(QString::fromLatin1(op), a, addExpr());
        return a;
    }
    Ptr addExpr()
    {
        Ptr a = unary();
        while (error.isEmpty() && sym("+"))
            a = std::make_shared<Binary>(QStringLiteral("+"), a, unary());
        return a;
    }
    Ptr unary()
    {
        if (word("not"))
            return std::make_shared<Not>(unary());
        return primary();
    }
    Ptr primary()
    {
        skip();
        if (pos >= s.size()) {
            fail(QStringLiteral("expresión incompleta"));
            return std::make_shared<Literal>(QVariant());
        }
        const QChar c = s[pos];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = s.indexOf(c, pos + 1);
            if (end < 0) {
                fail(QStringLiteral("falta cerrar un texto"));
                return std::make_shared<Literal>(QVariant());
            }
            const QString lit = s.mid(pos + 1, end - pos - 1);
            pos = end + 1;
            return std::make_shared<Literal>(lit);
        }
        if (c.isDigit()) {
            int end = pos;
            while (end < s.size() && (s[end].isDigit() || s[end] == QLatin1Char('.')))
                ++end;
            const double d = s.mid(pos, end - pos).toDouble();
            pos = end;
            return std::make_shared<Literal>(d);
        }
        if (sym("(")) {
            Ptr e = orExpr();
            if (!sym(")"))
                fail(QStringLiteral("falta ')'"));
            return e;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            int end = pos;
            while (end < s.size() && (s[end].isLetterOrNumber() || s[end] == QLatin1Char('_')))
                ++end;
            const QString id = s.mid(pos, end - pos);
            pos = end;
            skip();
            if (pos < s.size() && s[pos] == QLatin1Char('('))
                return call(id.toLower());
            return std::make_shared<FieldRef>(id);
        }
        fail(QStringLiteral("carácter inesperado '%1'").arg(c));
        return std::make_shared<Literal>(QVariant());
    }
    Ptr call(const QString &fn)
    {
        const Function *f = nullptr;
        for (const Function &k : kFunctions)
            if (fn == QLatin1String(k.name))
                f = &k;
        if (!f) {
            fail(QStringLiteral("función desconocida %1").arg(fn));
            return std::make_shared<Literal>(QVariant());
        }
        auto node = std::make_shared<Call>();
        node->fn = fn;
        sym("(");
        if (!sym(")")) {
            do
                node->args.append(orExpr());
            while (error.isEmpty() && sym(","));
            if (!sym(")"))
                fail(QStringLiteral("falta ')' tras los argumentos de %1").arg(fn));
        }
        if (error.isEmpty() && node->args.size() != f->arity)
            fail(QStringLiteral("%1 lleva %2 argumentos").arg(fn).arg(f->arity));
        return node;
    }
};

} // namespace

std::shared_ptr<const Expression> Expression::parse(const QString &text, QString *error)
{
    Parser p(text);
    Ptr e = p.parseAll();
    if (error)
        *error = p.error;
    return e;
}

bool Expression::usesPageCount(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("\\bPAGES\\b"), QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

} // namespace Report
