#include "workshop/common/gridrows.h"

#include <QSqlField>

namespace GridRows
{

QSqlRecord record(std::initializer_list<std::pair<QString, QVariant>> fields)
{
    QSqlRecord r;
    for (const auto &[name, value] : fields) {
        QSqlField f(name, value.metaType());
        f.setValue(value);
        r.append(f);
    }
    return r;
}

QVector<QSqlRecord> items(const QVector<MasterFiles::Item> &items)
{
    QVector<QSqlRecord> out;
    out.reserve(items.size());
    for (const MasterFiles::Item &i : items)
        out << record({{QStringLiteral("id"), i.id}, {QStringLiteral("name"), i.name}});
    return out;
}

QVector<QSqlRecord> texts(const QStringList &texts, const QString &field)
{
    QVector<QSqlRecord> out;
    out.reserve(texts.size());
    for (const QString &t : texts)
        out << record({{field, t}});
    return out;
}

} // namespace GridRows
