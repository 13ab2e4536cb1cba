#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace Report
{

// The named values a document supplies to its report: the sheet's data, the
// login identity, the profile's letterhead. Every band and expression reads
// them; names compare without regard to case.
class Values
{
public:
    void set(const QString &name, const QVariant &value);
    bool contains(const QString &name) const;
    QVariant value(const QString &name) const; // invalid when unknown
    QStringList names() const;                 // as set, unordered
    int size() const { return int(m_values.size()); }

private:
    struct Entry {
        QString name;
        QVariant value;
    };
    QHash<QString, Entry> m_values; // lower-case name -> entry
};

} // namespace Report
