#include "data/sheetrepository.h"

#include "data/catalogue.h"
#include "data/dm1.h"
#include "data/errordetails.h"
#include "data/localstore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QSaveFile>

namespace SheetRepository
{

namespace
{

// What a sheet prints from the server, kept on the workstation after each
// reading: the sheet of an operation left in the outbox still prints while
// the server cannot be reached.
class Kept
{
public:
    static Kept &instance()
    {
        static Kept kept;
        return kept;
    }
    void keep(const QString &key, const QJsonValue &value)
    {
        QMutexLocker lock(&m_mutex);
        load();
        if (m_values.value(key) == value)
            return;
        m_values.insert(key, value);
        QSaveFile f(path());
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QJsonDocument(m_values).toJson(QJsonDocument::Compact));
            f.commit(); // a copy that cannot be written only costs the offline print
        }
    }
    std::optional<QJsonValue> kept(const QString &key)
    {
        QMutexLocker lock(&m_mutex);
        load();
        if (!m_values.contains(key))
            return std::nullopt;
        return m_values.value(key);
    }

private:
    static QString path() { return QDir(LocalStore::directory()).filePath(QStringLiteral("DatosFicha.json")); }
    void load()
    {
        if (m_loaded)
            return;
        m_loaded = true;
        QFile f(path());
        if (f.open(QIODevice::ReadOnly))
            m_values = QJsonDocument::fromJson(f.readAll()).object();
    }
    QMutex m_mutex;
    bool m_loaded = false;
    QJsonObject m_values;
};

QJsonObject toJson(const WorkshopRow &w)
{
    return {{"code", w.code},
            {"name", w.name},
            {"street", w.street},
            {"number", w.number},
            {"locality", w.locality},
            {"cuit", w.cuit},
            {"repName", w.repName},
            {"repMatricula", w.repMatricula},
            {"phone", w.phone},
            {"enabled", w.enabled},
            {"associatedCode", w.associatedCode},
            {"stamps", QJsonArray::fromStringList(w.stamps)}};
}

WorkshopRow workshopOf(const QJsonObject &o)
{
    WorkshopRow w;
    w.code = o.value("code").toString();
    w.name = o.value("name").toString();
    w.street = o.value("street").toString();
    w.number = o.value("number").toString();
    w.locality = o.value("locality").toString();
    w.cuit = o.value("cuit").toString();
    w.repName = o.value("repName").toString();
    w.repMatricula = o.value("repMatricula").toString();
    w.phone = o.value("phone").toString();
    w.enabled = o.value("enabled").toInt();
    w.associatedCode = o.value("associatedCode").toString();
    for (const auto &v : o.value("stamps").toArray())
        w.stamps << v.toString();
    return w;
}

thread_local bool t_keptOnly = false;

// `read` from the server, kept; the kept value when the server cannot be reached.
template <class T, class Read, class ToJson, class FromJson>
T readOrKept(const QString &key, Read read, ToJson toJsonValue, FromJson fromJsonValue)
{
    if (t_keptOnly)
        if (const std::optional<QJsonValue> v = Kept::instance().kept(key))
            return fromJsonValue(*v);
    try {
        T value = read();
        Kept::instance().keep(key, toJsonValue(value));
        return value;
    } catch (const DbError &e) {
        if (!ErrorDetails::unreachable(e.code()))
            throw;
        if (const std::optional<QJsonValue> v = Kept::instance().kept(key))
            return fromJsonValue(*v);
        throw;
    }
}

std::optional<WorkshopRow> readWorkshop(const QString &code)
{
    NamedQuery &q = dm1().query(QStringLiteral("SQLQueryTaller"));
    q.close();
    q.setParam(QStringLiteral("ct"), code);
    q.open();
    if (!q.first()) {
        q.close();
        return std::nullopt;
    }
    WorkshopRow w;
    w.code = q.text(QStringLiteral("tcodigoint"));
    w.name = q.text(QStringLiteral("trazsoc"));
    w.street = q.text(QStringLiteral("tcalle"));
    w.number = q.text(QStringLiteral("tnumero"));
    w.locality = q.text(QStringLiteral("tlocalidad"));
    w.cuit = q.text(QStringLiteral("talcuit"));
    w.repName = q.text(QStringLiteral("rapellido")) + QLatin1Char(' ') + q.text(QStringLiteral("rnombre"));
    w.repMatricula = q.text(QStringLiteral("rmatreshab"));
    w.phone = q.text(QStringLiteral("ttelefono"));
    w.enabled = q.integer(QStringLiteral("thabilitad"));
    w.associatedCode = q.text(QStringLiteral("codtalaso"));
    for (int i = 1; i <= 4; ++i)
        w.stamps.append(q.text(QStringLiteral("sello%1").arg(i)));
    q.close();
    return w;
}

} // namespace

KeptOnly::KeptOnly() : m_outer(t_keptOnly)
{
    t_keptOnly = true;
}

KeptOnly::~KeptOnly()
{
    t_keptOnly = m_outer;
}

std::optional<WorkshopRow> Workshop(const QString &code)
{
    using Row = std::optional<WorkshopRow>;
    return readOrKept<Row>(
        QStringLiteral("tal/") + code, [&code] { return readWorkshop(code); },
        [](const Row &w) { return w ? QJsonValue(toJson(*w)) : QJsonValue(); },
        [](const QJsonValue &v) { return v.isObject() ? Row(workshopOf(v.toObject())) : Row(); });
}

Ficha::ValidityLookup CylinderValidity()
{
    // Kept for the session: after the save that precedes a print it costs nothing.
    return [](const QString &codigo) -> std::optional<int> {
        using Years = std::optional<int>;
        return readOrKept<Years>(
            QStringLiteral("codcil/") + codigo.trimmed().toUpper(),
            [&codigo] { return Catalogue::CylinderValidityYears({codigo}).value(codigo.trimmed()); },
            [](const Years &y) { return y ? QJsonValue(*y) : QJsonValue(); },
            [](const QJsonValue &v) { return v.isDouble() ? Years(v.toInt()) : Years(); });
    };
}

} // namespace SheetRepository
