#include "data/lettertable.h"

#include "data/localstore.h"

namespace LetterTable
{

namespace
{

std::optional<double> measure(const QVariant &v)
{
    return v.isNull() || !v.isValid() ? std::nullopt : std::optional<double>(v.toDouble());
}

void setMeasure(LocalTable &t, const QString &field, const std::optional<double> &v)
{
    t.setValue(field, v ? QVariant(*v) : QVariant());
}

} // namespace

Letter::Item At(const LocalTable &t, int row)
{
    const auto value = [&](const char *field) { return t.valueAt(row, t.fieldIndex(QLatin1String(field))); };
    const auto text = [&](const char *field) { return value(field).toString(); };
    Letter::Item i;
    i.cylinderCode = text("codigo_cil");
    i.cylinderSerial = text("numero_cil");
    i.capacity = measure(value("capacidad_cil"));
    i.mass = measure(value("masa_cil"));
    i.manufactured = text("fab_cil");
    i.diameter = measure(value("diametro_cil"));
    i.valveCode = text("codigo_val");
    i.valveModel = text("modelo_val");
    i.valveSerial = text("numero_val");
    i.observations = text("observaciones_val");
    return i;
}

QVector<Letter::Item> Read(LocalTable &table)
{
    if (!table.isOpen())
        table.open();
    QVector<Letter::Item> items;
    for (int r = 0; r < table.count(); ++r)
        items << At(table, r);
    return items;
}

void Append(LocalTable &t, const Letter::Item &i)
{
    if (!t.isOpen())
        t.open();
    t.append();
    t.setText(QStringLiteral("codigo_cil"), i.cylinderCode);
    t.setText(QStringLiteral("numero_cil"), i.cylinderSerial);
    setMeasure(t, QStringLiteral("capacidad_cil"), i.capacity);
    setMeasure(t, QStringLiteral("masa_cil"), i.mass);
    t.setText(QStringLiteral("fab_cil"), i.manufactured);
    setMeasure(t, QStringLiteral("diametro_cil"), i.diameter);
    t.setText(QStringLiteral("codigo_val"), i.valveCode);
    t.setText(QStringLiteral("modelo_val"), i.valveModel);
    t.setText(QStringLiteral("numero_val"), i.valveSerial);
    t.setText(QStringLiteral("observaciones_val"), i.observations);
    t.post();
}

void Replace(LocalTable &table, const QVector<Letter::Item> &items)
{
    if (!table.isOpen())
        table.open();
    table.empty();
    for (const Letter::Item &i : items)
        Append(table, i);
}

void Update(LocalTable &t, int row, const Letter::Item &i)
{
    if (!t.moveTo(row))
        return;
    t.edit();
    setMeasure(t, QStringLiteral("capacidad_cil"), i.capacity);
    setMeasure(t, QStringLiteral("masa_cil"), i.mass);
    setMeasure(t, QStringLiteral("diametro_cil"), i.diameter);
    t.setText(QStringLiteral("modelo_val"), i.valveModel);
    t.setText(QStringLiteral("observaciones_val"), i.observations);
    t.post();
}

} // namespace LetterTable
