#pragma once

#include "core/connectionsettings.h"

#include <QSqlRecord>
#include <QVariant>
#include <QVector>

// The searches of the look-up and query windows, each on one key. A search
// keeps its last result in the data module, shared: the rows a window showed
// stay there, on the row the operator took, for the code that reads the
// chosen operation or catalogue entry from there.
enum class Search {
    OperationsByDomain,    // the queries of the follow-up windows
    OperationsByCylinder,  //
    OperationsByRegulator, //
    OperationBySticker,    //
    PlateOwnPec,           // "Buscar por Dominio" of the operation form
    PlateAllPecs,          //
    Regulators,            // the catalogue look-ups
    Valves,                //
    RevisionCentres,       //
    CylinderModels,        //
    OwnersByName,          // "Buscar por Propietario": its pages are read by the recall
};

namespace Searches
{

using Rows = QVector<QSqlRecord>;

Conn ConnectionOf(Search search);
// Reads the search for `key` on this thread's session (a worker's): its
// rows, nothing kept. OwnersByName is read in pages by RecallRepository.
Rows Read(Search search, const QVariant &key);

// The shared last result; the window's thread only.
void Keep(Search search, const Rows &rows);
// The rows kept, none after Forget or before the first search.
Rows Kept(Search search);
void Forget(Search search);
// Leaves the kept result on `row`, the one the operator took.
void Choose(Search search, int row);

} // namespace Searches
