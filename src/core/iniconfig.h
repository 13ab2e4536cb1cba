#pragma once

#include <QString>
#include <QStringList>

// tarvil.ini, section DATA: the installation ID and server letter, and how
// the connections reach the PEC's servers.
//
//   [DATA]
//   ID=OLIV01        installation profile ("NADA" when missing)
//   SERVER=W         server letter ("W" when missing)
//   TIMEOUT=30       seconds a statement may wait for the server (1 to 600)
//   TLS=SI           encrypt the connection to the PEC's server (SI/NO)
//   TLS_CA=ca.pem    authority of the server's certificate; relative to the ini's folder
//   USER=...         database account instead of the profile's built-in one
//   PASSWORD=...
struct IniConfig {
    enum class Status { Missing, Unreadable, Read };
    Status status = Status::Missing;
    // Why the program cannot start (no file, an empty or unreadable one, no
    // ID), in Spanish; empty when it can.
    QString fatal;
    // Mistakes that leave the default in place (a TIMEOUT that is no number
    // of seconds, an unknown SERVER letter, half the TLS settings), in Spanish.
    QStringList warnings;
    QString id = QStringLiteral("NADA");
    QString server = QStringLiteral("W");
    int timeoutSeconds = 30;
    bool tls = false;
    QString tlsCaFile;
    QString user, password; // both set, or the profile's account
    bool hasAccount() const { return !user.isEmpty(); }
};

// Reads the file at `path`. A file that is not text (binary garbage, UTF-16)
// or whose lines are neither sections, keys nor comments is Unreadable and
// gives the defaults; so does a file that cannot be opened.
IniConfig ReadIni(const QString &path);

// What the operator is told about an unreadable file.
QString UnreadableIniMessage(const QString &path);

// What the operator is told about an ID that names no installation.
QString UnknownIdMessage(const QString &id, const QStringList &validIds);
