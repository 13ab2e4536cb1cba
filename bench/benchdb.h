#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <cstdio>

// A connection of the benchmark's own to `database` on the local server
// (account tarvil/tarvil), for reading its samples; not open when it failed
// (the reason is printed).
inline QSqlDatabase openBenchDatabase(const QString &database)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("bench"));
    db.setHostName(QStringLiteral("localhost"));
    db.setDatabaseName(database);
    db.setUserName(QStringLiteral("tarvil"));
    db.setPassword(QStringLiteral("tarvil"));
    if (!db.open())
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
    return db;
}
