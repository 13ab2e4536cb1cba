#pragma once

#include <QString>

// The four values written into one MySQL connection before it opens, plus
// the text the login dialog's server label shows for them.
struct ConnectionSettings {
    QString hostName;
    QString database;
    QString userName;
    QString password;
    QString label;

    bool isEmpty() const { return hostName.isEmpty() && database.isEmpty(); }
    bool operator==(const ConnectionSettings &) const = default;
};

// The connections of the data module.
enum class Conn { Operations, PostVenta, Sister };
