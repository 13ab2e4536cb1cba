#include "data/checklookups.h"

#include "data/dm1.h"

#include <QRegularExpression>

namespace
{

enum class Kind { Domain, Sticker, Regulator };

struct Source {
    const char *statement; // of the catalogue
    const char *param;
    const char *clean; // how the guard holds the clean answer
};

Source sourceOf(Kind k)
{
    switch (k) {
    case Kind::Domain:
        return {"SQLQueryBuscarDominio", "do", "not exists"};
    case Kind::Sticker:
        return {"SQLQueryAnteriorEnSerio", "ob", "not exists"};
    case Kind::Regulator:
        break;
    }
    return {"SQLQueryBuscarReg", "re", "exists"};
}

QString suffixed(const QString &sql, int index)
{
    static const QRegularExpression param(QStringLiteral(":(\\w+)"));
    return QString(sql).replace(param, QStringLiteral(":\\1_") + QString::number(index));
}

} // namespace

struct CheckLookups::Question {
    Kind kind;
    QString value;
    bool found = false;
    QString replacedBy; // of a sticker found
};

CheckLookups::CheckLookups() = default;
CheckLookups::~CheckLookups() = default;

Validation::Lookups CheckLookups::expected()
{
    Validation::Lookups l;
    l.domainExists = [this](const QString &domain) {
        m_questions.push_back({Kind::Domain, domain, false, {}});
        return false;
    };
    l.stickerReplacedBy = [this](const QString &sticker) -> std::optional<QString> {
        m_questions.push_back({Kind::Sticker, sticker, false, {}});
        return std::nullopt;
    };
    l.regulatorExists = [this](const QString &code) {
        m_questions.push_back({Kind::Regulator, code, false, {}});
        return true;
    };
    return l;
}

bool CheckLookups::anyAsked() const
{
    return !m_questions.isEmpty();
}

NamedQuery &CheckLookups::statementOf(Question &q, int index)
{
    const Source s = sourceOf(q.kind);
    const QString catalogueName = QString::fromLatin1(s.statement);
    NamedQuery &st = dm1().statement(QStringLiteral("%1#%2").arg(catalogueName).arg(index), Conn::Operations,
                                     [&] { return dm1().query(catalogueName).sql(); });
    st.close();
    st.setParam(QString::fromLatin1(s.param), q.value);
    return st;
}

NamedQuery &CheckLookups::guard()
{
    QString key = QStringLiteral("CheckLookups.guard.");
    for (const Question &q : std::as_const(m_questions))
        key += QString::number(int(q.kind));
    NamedQuery &g = dm1().statement(key, Conn::Operations, [&] {
        QStringList clean;
        for (int i = 0; i < m_questions.size(); ++i) {
            const Source s = sourceOf(m_questions[i].kind);
            clean << QStringLiteral("%1 (%2)").arg(QLatin1String(s.clean),
                                                   suffixed(dm1().query(QString::fromLatin1(s.statement)).sql(), i));
        }
        // Two rows where one value is expected: the server stops the
        // exchange here (error 1242) unless every answer is the clean one.
        return QStringLiteral("select (select 1 from (select 1 as n union all select 2) tarvil_guardia where not (%1)) "
                              "as guardia")
            .arg(clean.join(QStringLiteral(" and ")));
    });
    g.close();
    for (int i = 0; i < m_questions.size(); ++i)
        g.setParam(QStringLiteral("%1_%2").arg(QLatin1String(sourceOf(m_questions[i].kind).param)).arg(i),
                   m_questions[i].value);
    return g;
}

void CheckLookups::addTo(Batch &b)
{
    for (int i = 0; i < m_questions.size(); ++i)
        b.add(statementOf(m_questions[i], i), true);
    if (!m_questions.isEmpty())
        b.add(guard(), false);
    m_answered = false;
}

bool CheckLookups::stoppedBy(const DbError &e) const
{
    return e.code() == 1242 && e.statement().startsWith(QLatin1String("CheckLookups.guard."));
}

void CheckLookups::read()
{
    Batch b(Conn::Operations);
    for (int i = 0; i < m_questions.size(); ++i)
        b.add(statementOf(m_questions[i], i), true);
    b.run();
}

Validation::Lookups CheckLookups::actual()
{
    if (!m_answered) {
        for (int i = 0; i < m_questions.size(); ++i) {
            Question &q = m_questions[i];
            const Source s = sourceOf(q.kind);
            NamedQuery &st = dm1().statement(QStringLiteral("%1#%2").arg(QLatin1String(s.statement)).arg(i),
                                             Conn::Operations, [&] { return QString(); });
            q.found = st.first();
            if (q.found && q.kind == Kind::Sticker)
                q.replacedBy = st.text(QStringLiteral("uobleanew"));
        }
        m_answered = true;
    }
    const auto answer = [this](Kind kind, const QString &value) -> const Question * {
        for (const Question &q : std::as_const(m_questions))
            if (q.kind == kind && q.value == value)
                return &q;
        m_questions.push_back({kind, value, false, {}});
        read();
        m_answered = false;
        actual();
        return &m_questions.last();
    };
    Validation::Lookups l;
    l.domainExists = [answer](const QString &domain) { return answer(Kind::Domain, domain)->found; };
    l.stickerReplacedBy = [answer](const QString &sticker) -> std::optional<QString> {
        const Question *q = answer(Kind::Sticker, sticker);
        return q->found ? std::optional<QString>(q->replacedBy) : std::nullopt;
    };
    l.regulatorExists = [answer](const QString &code) { return answer(Kind::Regulator, code)->found; };
    return l;
}
