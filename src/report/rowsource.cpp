#include "report/rowsource.h"

#include <QDateTime>

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

TableRowSource::TableRowSource(QStringList fields) : m_fields(std::move(fields))
{
    for (int i = 0; i < m_fields.size(); ++i)
        m_index.insert(m_fields[i].toLower(), i);
}

void TableRowSource::reserve(int rows, int charsPerRow)
{
    m_types.reserve(size_t(rows) * size_t(m_fields.size()));
    m_cells.reserve(size_t(rows) * size_t(m_fields.size()));
    m_text.reserve(qsizetype(rows) * charsPerRow);
}

void TableRowSource::append(const QVector<QVariant> &cells)
{
    for (int c = 0; c < m_fields.size(); ++c) {
        const QVariant v = cells.value(c);
        Cell cell{};
        Type type = Type::Text;
        if (!v.isValid() || v.isNull()) {
            type = Type::Null;
        } else {
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                type = Type::Int;
                cell.whole = v.toLongLong();
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                type = Type::Real;
                cell.real = v.toDouble();
                break;
            case QMetaType::QDate:
                type = Type::Date;
                cell.whole = v.toDate().toJulianDay();
                break;
            case QMetaType::QDateTime:
                type = Type::DateTime;
                cell.whole = v.toDateTime().toMSecsSinceEpoch();
                break;
            case QMetaType::Bool:
                type = Type::Bool;
                cell.whole = v.toBool();
                break;
            default: {
                const QString text = v.toString();
                cell.text.offset = quint32(m_text.size());
                cell.text.size = quint32(text.size());
                m_text += text;
            }
            }
        }
        m_types.push_back(type);
        m_cells.push_back(cell);
    }
}

int TableRowSource::rowCount() const
{
    return m_fields.isEmpty() ? 0 : int(m_types.size() / size_t(m_fields.size()));
}

QStringList TableRowSource::fields() const
{
    return m_fields;
}

int TableRowSource::column(const QString &field) const
{
    return m_index.value(field.toLower(), -1);
}

QVariant TableRowSource::valueAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_fields.size())
        return {};
    const size_t i = size_t(row) * size_t(m_fields.size()) + size_t(column);
    const Cell &c = m_cells[i];
    switch (m_types[i]) {
    case Type::Null:
        return {};
    case Type::Text:
        return QString(m_text.constData() + c.text.offset, c.text.size);
    case Type::Int:
        return c.whole;
    case Type::Real:
        return c.real;
    case Type::Date:
        return QDate::fromJulianDay(c.whole);
    case Type::DateTime:
        return QDateTime::fromMSecsSinceEpoch(c.whole);
    case Type::Bool:
        return bool(c.whole);
    }
    return {};
}

} // namespace Report
