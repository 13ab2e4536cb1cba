#pragma once

#include <QString>
#include <stdexcept>

// A failed statement or connection. `text` is the database client's own
// message, shown as is in the error dialog.
class DbError : public std::runtime_error
{
public:
    DbError(const QString &text, const QString &statement = {})
        : std::runtime_error(text.toStdString()), m_text(text), m_statement(statement)
    {
    }
    const QString &text() const { return m_text; }
    const QString &statement() const { return m_statement; } // statement name, if any

private:
    QString m_text;
    QString m_statement;
};
