#pragma once

#include <QSqlDatabase>
#include <QString>

// Each test suite works in a database of its own, created fresh from
// db/schema.sql on the private test server. "localhost" reaches that server
// through MYSQL_UNIX_PORT, which CTest sets for the database suites.
namespace TestDb
{

// Drops and recreates the database `name`, loads the schema into it and
// returns an open QMYSQL connection to it registered as `connectionName`.
QSqlDatabase create(const QString &name, const QString &connectionName = QStringLiteral("test"));

// Runs every statement of an SQL file (split on ';' at line ends) on db.
void runSqlFile(QSqlDatabase db, const QString &path);

// Runs one statement; QFAILs are the caller's business, this throws on error.
void exec(QSqlDatabase db, const QString &sql);

// Drops the database; called from cleanupTestCase.
void drop(const QString &name);

QString schemaPath();
QString repoPath(const QString &relative);

// Host/user/password of the private server's application account.
QString host();
QString user();
QString password();

} // namespace TestDb
