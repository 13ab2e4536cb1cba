#pragma once

#include "report/rowsource.h"

class LocalTable;
class QSqlQuery;

// Detail rows from the product's own data: a query's result or a local
// working table.
namespace Documents
{

// Reads a query's result once, so forward-only queries work and the query
// may be reused after construction; long results stay compact.
class SqlRowSource : public Report::TableRowSource
{
public:
    explicit SqlRowSource(QSqlQuery &query);
};

// A snapshot of a local working table's records (the table stays open and
// positioned as it was).
class LocalTableRowSource : public Report::TableRowSource
{
public:
    explicit LocalTableRowSource(const LocalTable &table);
};

} // namespace Documents
