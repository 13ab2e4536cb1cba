#include "report/rowsource.h"

namespace Report
{

QVariant RowSource::value(int row, const QString &field) const
{
    const int c = column(field);
    return c < 0 ? QVariant() : valueAt(row, c);
}

VectorRowSource::VectorRowSource(QVector<QVariantMap> rows, QStringList fields)
    : m_rows(std::move(rows)), m_fields(std::move(fields))
{
    if (m_fields.isEmpty() && !m_rows.isEmpty())
        m_fields = m_rows.first().keys();
    const auto add = [this](const QString &key) {
        if (!m_columnOf.contains(key.toLower())) {
            m_columnOf.insert(key.toLower(), int(m_keys.size()));
            m_keys.append(key);
        }
    };
    for (const QVariantMap &r : std::as_const(m_rows))
        for (auto it = r.keyBegin(); it != r.keyEnd(); ++it)
            add(*it);
    for (const QString &f : std::as_const(m_fields))
        add(f);
}

int VectorRowSource::rowCount() const
{
    return int(m_rows.size());
}

QStringList VectorRowSource::fields() const
{
    return m_fields;
}

int VectorRowSource::column(const QString &field) const
{
    return m_columnOf.value(field.toLower(), -1);
}

QVariant VectorRowSource::valueAt(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_keys.size())
        return {};
    return m_rows[row].value(m_keys[column]);
}

} // namespace Report
