#include "documents/registry.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace Documents
{

namespace
{

const QString kLayoutDir = QStringLiteral(":/documents/layouts");

// Layouts that need a computation of their own, by name.
QHash<QString, Hook> hooks()
{
    return {};
}

QVector<Entry> scan()
{
    QVector<Entry> out;
    const QHash<QString, Hook> named = hooks();
    const QStringList files = QDir(kLayoutDir).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        QFile f(kLayoutDir + QLatin1Char('/') + file);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
        const QString document = o.value(QLatin1String("document")).toString();
        if (document.isEmpty())
            continue; // an ancestor only
        const QString name = file.chopped(5);
        out.append({name, document, named.value(name)});
    }
    return out;
}

} // namespace

const QVector<Entry> &Registry()
{
    static const QVector<Entry> entries = scan();
    return entries;
}

const Entry *Find(const QString &name)
{
    for (const Entry &e : Registry())
        if (e.name == name)
            return &e;
    return nullptr;
}

bool IsAvailable(const QString &name)
{
    return Find(name) != nullptr;
}

Report::Layout LoadLayout(const QString &name)
{
    return Report::loadLayoutFromDir(kLayoutDir, name);
}

Report::ReportForm MakeFixedDocument(const QString &name)
{
    if (!IsAvailable(name))
        throw std::runtime_error(QStringLiteral("No se encuentra el diseño %1").arg(name).toStdString());
    Report::ReportForm form(LoadLayout(name));
    form.bindValues(std::make_shared<Report::Values>());
    form.bindRows(std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>{}, QStringList{}));
    return form;
}

} // namespace Documents
