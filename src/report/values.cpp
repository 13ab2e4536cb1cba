#include "report/values.h"

namespace Report
{

void Values::set(const QString &name, const QVariant &value)
{
    m_values.insert(name.toLower(), {name, value});
}

bool Values::contains(const QString &name) const
{
    return m_values.contains(name.toLower());
}

QVariant Values::value(const QString &name) const
{
    const auto it = m_values.constFind(name.toLower());
    return it == m_values.constEnd() ? QVariant() : it->value;
}

QStringList Values::names() const
{
    QStringList out;
    out.reserve(m_values.size());
    for (const Entry &e : m_values)
        out.append(e.name);
    return out;
}

} // namespace Report
