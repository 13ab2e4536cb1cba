#include "data/catalogue.h"

#include "data/dm1.h"

#include <QThreadStorage>

namespace Catalogue
{

namespace
{

struct Cache {
    quint64 session = 0;
    QHash<QString, std::optional<int>> validity; // upper-case code -> years
    std::optional<QStringList> workshops;
};

// The cache of the session now open; emptied when the session changed.
// Each thread has its own, as it has its own sessions. Qt's storage, not
// thread_local: a worker's copy ends while its thread still runs. On Windows
// the MinGW runtime ends a thread_local in its thread-exit callback, and one
// ended there left the heap locked: the program then hung as it left.
Cache &cache()
{
    static QThreadStorage<Cache> caches;
    Cache &c = caches.localData();
    const quint64 now = dm1().session(Conn::Operations);
    if (now == 0 || now != c.session)
        c = Cache{now, {}, {}};
    return c;
}

} // namespace

QHash<QString, std::optional<int>> CylinderValidityYears(const QStringList &codes)
{
    QStringList missing;
    {
        const Cache &c = cache();
        for (const QString &code : codes) {
            const QString key = code.trimmed().toUpper();
            if (!key.isEmpty() && !c.validity.contains(key) && !missing.contains(key))
                missing << key;
        }
    }
    if (!missing.isEmpty()) {
        NamedQuery &q = dm1().query(QStringLiteral("SQLQueryVencCodigos"));
        q.close();
        q.setParam(QStringLiteral("codigos"), missing.join(QLatin1Char(',')));
        q.open(); // may open the session: the cache is taken after it
        Cache &c = cache();
        for (const QString &key : std::as_const(missing))
            c.validity.insert(key, std::nullopt);
        for (bool more = q.first(); more; more = q.next())
            if (!q.isNull(QStringLiteral("VENC")))
                c.validity.insert(q.text(QStringLiteral("CODIGO")).toUpper(), q.integer(QStringLiteral("VENC")));
        q.close();
    }
    const Cache &c = cache();
    QHash<QString, std::optional<int>> out;
    for (const QString &code : codes) {
        const QString key = code.trimmed().toUpper();
        out.insert(code.trimmed(), c.validity.value(key));
    }
    return out;
}

QStringList WorkshopCodes()
{
    if (const auto &known = cache().workshops)
        return *known;
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryTalleres"));
    q.close();
    q.open();
    QStringList codes;
    for (bool more = q.first(); more; more = q.next())
        codes << q.text(QStringLiteral("tcodigoint"));
    q.close();
    cache().workshops = codes;
    return codes;
}

} // namespace Catalogue
