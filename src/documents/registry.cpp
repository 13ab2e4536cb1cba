#include "documents/registry.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

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

} // namespace Documents
