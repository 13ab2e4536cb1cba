#include "testdb.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <stdexcept>

#ifndef TARVIL_SOURCE_DIR
#error "TARVIL_SOURCE_DIR must be defined"
#endif

namespace TestDb
{

QString repoPath(const QString &relative)
{
    return QStringLiteral(TARVIL_SOURCE_DIR) + QLatin1Char('/') + relative;
}

QString schemaPath()
{
    return repoPath(QStringLiteral("db/schema.sql"));
}
QString host()
{
    return QStringLiteral("localhost");
}
QString user()
{
    return QStringLiteral("tarvil");
}
QString password()
{
    return QStringLiteral("tarvil");
}

static QSqlDatabase serverConnection()
{
    const QString name = QStringLiteral("testdb-admin");
    QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                   : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    if (!db.isOpen()) {
        db.setHostName(host());
        db.setUserName(user());
        db.setPassword(password());
        if (!db.open())
            throw std::runtime_error("cannot reach the test server (is MYSQL_UNIX_PORT set?): " +
                                     db.lastError().text().toStdString());
    }
    return db;
}

void exec(QSqlDatabase db, const QString &sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql))
        throw std::runtime_error(("SQL failed: " + sql.left(200) + " -> " + q.lastError().text()).toStdString());
}

void runSqlFile(QSqlDatabase db, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    const QString text = QString::fromUtf8(f.readAll());
    QString statement;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) && statement.trimmed().isEmpty())
            continue;
        statement += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            const QString s = statement.trimmed();
            if (s.size() > 1)
                exec(db, s);
            statement.clear();
        }
    }
    if (!statement.trimmed().isEmpty())
        exec(db, statement.trimmed());
}

QSqlDatabase create(const QString &name, const QString &connectionName)
{
    QSqlDatabase admin = serverConnection();
    exec(admin, QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
    exec(admin, QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci").arg(name));

    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName);
    db.setHostName(host());
    db.setDatabaseName(name);
    db.setUserName(user());
    db.setPassword(password());
    if (!db.open())
        throw std::runtime_error("cannot open test database: " + db.lastError().text().toStdString());
    runSqlFile(db, schemaPath());
    return db;
}

void drop(const QString &name)
{
    QSqlDatabase admin = serverConnection();
    exec(admin, QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name));
}

} // namespace TestDb
