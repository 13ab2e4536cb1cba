#pragma once

// Inside the data module: what NamedQuery, Batch and Transaction share.
#include "data/dm1.h"
#include "data/wire.h"

#include <memory>

struct DataModulePrivate {
    // The statement's text with its values written in for this session.
    static QByteArray render(NamedQuery &q, st_mysql *mysql);
    // The statement ran: its rows (when `select`), count and insert id.
    static void accept(NamedQuery &q, Wire::Result &result, bool select);
    static void forgetRows(NamedQuery &q);

    // A module for the calling thread, which instance() returns there until
    // it is destroyed; `suffix` names it, and its connections close with
    // it. Made and destroyed on that thread.
    static std::unique_ptr<DataModule> makeThreadModule(const QString &suffix);
    // The client handle of the connection, opened when it was not.
    static st_mysql *handle(Conn conn);
    // The server's id of the connection's open session (for KILL QUERY from
    // another session); 0 when it is closed.
    static qulonglong serverSession(Conn conn);
    // The server's id of the session the connection's last exchange went on,
    // kept after that session is lost: what a new session must end before it
    // asks what became of a write sent there.
    static qulonglong lastServerSession(Conn conn);
};
