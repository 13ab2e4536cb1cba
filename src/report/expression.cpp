#include "report/expression.h"

#include <QDate>
#include <QRegularExpression>
#include <QVector>

namespace Report
{

// Workshops read dates day first with the whole year, as the grids and the local tables show them.
const QString DateFormat = QStringLiteral("dd/MM/yyyy");

QString toText(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString(DateFormat);
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == qint64(d))
            return QString::number(qint64(d));
    }
    return v.toString();
}

bool truthy(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString)
        return !v.toString().isEmpty();
    return v.isValid() && !v.isNull() && v.toDouble() != 0;
}

namespace
{

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
    QString id;
    enum { Named, Page, Pages, Row } special = Named;
    explicit FieldRef(QString n) : id(std::move(n))
    {
        if (id.compare(QLatin1String("PAGE"), Qt::CaseInsensitive) == 0)
            special = Page;
        else if (id.compare(QLatin1String("PAGES"), Qt::CaseInsensitive) == 0)
            special = Pages;
        else if (id.compare(QLatin1String("ROW"), Qt::CaseInsensitive) == 0)
            special = Row;
    }
    Node node() const override { return special == Named ? Node::Name : Node::Other; }
    QString name() const override { return id; }
    QVariant eval(const ExprContext &c) const override
    {
        switch (special) {
        case Page:
            return c.page;
        case Pages:
            return c.pageCount;
        case Row:
            return c.row;
        case Named:
            break;
        }
        return c.field ? c.field(id) : QVariant();
    }
};

using Ptr = std::shared_ptr<const Expression>;

struct Binary : Expression {
    enum Op { And, Or, Plus, Eq, Ne, Lt, Gt } op;
    Ptr a, b;
    Binary(Op o, Ptr x, Ptr y) : op(o), a(std::move(x)), b(std::move(y)) {}
    void children(QVector<const Expression *> &out) const override { out << a.get() << b.get(); }
    QVariant eval(const ExprContext &c) const override
    {
        if (op == And)
            return truthy(a->eval(c)) && truthy(b->eval(c));
        if (op == Or)
            return truthy(a->eval(c)) || truthy(b->eval(c));
        const QVariant x = a->eval(c), y = b->eval(c);
        const bool numeric = isNumber(x) && isNumber(y);
        if (op == Plus)
            return numeric ? QVariant(x.toDouble() + y.toDouble()) : QVariant(toText(x) + toText(y));
        int cmp = numeric ? (x.toDouble() < y.toDouble()   ? -1
                             : x.toDouble() > y.toDouble() ? 1
                                                           : 0)
                          : QString::compare(toText(x), toText(y));
        switch (op) {
        case Eq:
            return cmp == 0;
        case Ne:
            return cmp != 0;
        case Lt:
            return cmp < 0;
        default:
            return cmp > 0;
        }
    }
};

struct Not : Expression {
    Ptr a;
    explicit Not(Ptr x) : a(std::move(x)) {}
    void children(QVector<const Expression *> &out) const override { out << a.get(); }
    QVariant eval(const ExprContext &c) const override { return !truthy(a->eval(c)); }
};

QDateTime printedAt(const ExprContext &c)
{
    return c.printedAt.isValid() ? c.printedAt : QDateTime::currentDateTime();
}

enum class Fn { Iif, Copy, Upper, Trim, Len, Str, Fmt, Date, Time, Count, Sum };

struct Function {
    const char *name;
    Fn fn;
    int arity;
};
const Function kFunctions[] = {{"iif", Fn::Iif, 3},     {"copy", Fn::Copy, 3}, {"upper", Fn::Upper, 1},
                               {"trim", Fn::Trim, 1},   {"len", Fn::Len, 1},   {"str", Fn::Str, 1},
                               {"fmt", Fn::Fmt, 2},     {"date", Fn::Date, 0}, {"time", Fn::Time, 0},
                               {"count", Fn::Count, 0}, {"sum", Fn::Sum, 1}};

struct Call : Expression {
    Fn fn = Fn::Str;
    QVector<Ptr> args;
    Node node() const override { return fn == Fn::Count ? Node::Count : fn == Fn::Sum ? Node::Sum : Node::Other; }
    const Expression *argument() const override { return fn == Fn::Sum ? args[0].get() : nullptr; }
    void children(QVector<const Expression *> &out) const override
    {
        for (const Ptr &p : args)
            out << p.get();
    }
    QVariant eval(const ExprContext &c) const override
    {
        switch (fn) {
        case Fn::Iif:
            return truthy(args[0]->eval(c)) ? args[1]->eval(c) : args[2]->eval(c);
        case Fn::Date:
            return printedAt(c).date().toString(DateFormat);
        case Fn::Time:
            return printedAt(c).time().toString(QStringLiteral("HH:mm"));
        case Fn::Count:
        case Fn::Sum:
            return c.aggregate ? c.aggregate(*this) : 0.0;
        case Fn::Fmt: {
            const QVariant v = args[0]->eval(c);
            if (toText(v).isEmpty())
                return QString();
            return QString::number(v.toDouble(), 'f', qBound(0, args[1]->eval(c).toInt(), 10));
        }
        default:
            break;
        }
        const QString s = toText(args[0]->eval(c));
        switch (fn) {
        case Fn::Copy: {
            const int start = qMax(1, args[1]->eval(c).toInt());
            return s.mid(start - 1, qMax(0, args[2]->eval(c).toInt()));
        }
        case Fn::Upper:
            return s.toUpper();
        case Fn::Trim:
            return s.trimmed();
        case Fn::Len:
            return int(s.size());
        default:
            return s; // str
        }
    }
};

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
            a = std::make_shared<Binary>(Binary::Or, a, andExpr());
        return a;
    }
    Ptr andExpr()
    {
        Ptr a = cmpExpr();
        while (error.isEmpty() && word("and"))
            a = std::make_shared<Binary>(Binary::And, a, cmpExpr());
        return a;
    }
    Ptr cmpExpr()
    {
        Ptr a = addExpr();
        static const std::pair<const char *, Binary::Op> ops[] = {
            {"<>", Binary::Ne}, {"=", Binary::Eq}, {"<", Binary::Lt}, {">", Binary::Gt}};
        for (const auto &[text, op] : ops)
            if (error.isEmpty() && sym(text))
                return std::make_shared<Binary>(op, a, addExpr());
        return a;
    }
    Ptr addExpr()
    {
        Ptr a = unary();
        while (error.isEmpty() && sym("+"))
            a = std::make_shared<Binary>(Binary::Plus, a, unary());
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
            while (end < s.size() &&
                   (s[end].isLetterOrNumber() || s[end] == QLatin1Char('_') || s[end] == QLatin1Char('.')))
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
        node->fn = f->fn;
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

QStringList Expression::names() const
{
    QStringList out;
    QVector<const Expression *> todo{this};
    while (!todo.isEmpty()) {
        const Expression *e = todo.takeLast();
        if (e->node() == Node::Name && !out.contains(e->name(), Qt::CaseInsensitive))
            out.append(e->name());
        e->children(todo);
    }
    return out;
}

QVector<const Expression *> Expression::aggregates() const
{
    QVector<const Expression *> out;
    QVector<const Expression *> todo{this};
    while (!todo.isEmpty()) {
        const Expression *e = todo.takeFirst();
        if (e->node() == Node::Count || e->node() == Node::Sum)
            out.append(e);
        else
            e->children(todo);
    }
    return out;
}

bool Expression::usesPageCount(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("\\bPAGES\\b"), QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

} // namespace Report
