#pragma once

#include <QString>
#include <stdexcept>

// A failed statement or connection. `text` is the database client's own
// message, shown as is in the error dialog.
class DbError : public std::runtime_error
{
public:
    DbError(const QString &text, const QString &statement = {}, const QString &serverCode = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_statement(statement), m_serverCode(serverCode)
    {
    }
    const QString &text() const { return m_text; }
    const QString &statement() const { return m_statement; } // statement name, if any
    // The server's error number ("1062" duplicate key, "1213" deadlock), if any.
    const QString &serverCode() const { return m_serverCode; }

private:
    QString m_text;
    QString m_statement;
    QString m_serverCode;
};
