#pragma once

#include <QString>
#include <stdexcept>

// A failed statement or connection. `text` is what the error dialog shows:
// the database client's own message, in Spanish words where the data layer
// knows what it means (a lost or stalled connection, a value the server
// refused).
class DbError : public std::runtime_error
{
public:
    DbError(const QString &text, const QString &statement = {}, unsigned code = 0)
        : std::runtime_error(text.toStdString()), m_text(text), m_statement(statement), m_code(code)
    {
    }
    const QString &text() const { return m_text; }
    const QString &statement() const { return m_statement; } // statement name, if any
    unsigned code() const { return m_code; }                 // the client's error number; 0 for our own

private:
    QString m_text;
    QString m_statement;
    unsigned m_code;
};
