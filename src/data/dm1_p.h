#pragma once

// Inside the data module: what NamedQuery, Batch and Transaction share.
#include "data/dm1.h"
#include "data/wire.h"

struct DataModulePrivate {
    // The statement's text with its values written in for this session.
    static QByteArray render(NamedQuery &q, st_mysql *mysql);
    // The statement ran: its rows (when `select`), count and insert id.
    static void accept(NamedQuery &q, Wire::Result &result, bool select);
    static void forgetRows(NamedQuery &q);
};
