#include "data/errorlog.h"

#include "data/localstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <mutex>

namespace ErrorLog
{

QString path()
{
    return QDir(LocalStore::directory()).filePath(QStringLiteral("tarvil.log"));
}

void write(const QString &text, const QString &details)
{
    static std::mutex lock;
    const std::lock_guard<std::mutex> hold(lock);
    QDir().mkpath(LocalStore::directory());
    QFile f(path());
    if (!f.open(QIODevice::Append | QIODevice::Text))
        return; // the log must never stop the program
    QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                   QStringLiteral(" | ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!details.isEmpty())
        line += QStringLiteral(" | ") + QString(details).replace(QLatin1Char('\n'), QLatin1Char(' '));
    f.write(line.toUtf8() + '\n');
}

} // namespace ErrorLog
