#pragma once

#include <QString>

class LocalTable;
class Prompter;
class QWidget;

// The operation form's cylinder buttons, over the cylinder work table. `row`
// is the grid's selected row (-1 for none). Each returns true when the work
// table changed.
namespace Cylinders
{

struct EntryContext {
    QString kind;   // the operation form's kind
    QString domain; // the operation's domain, for the valve check of a modification
    QWidget *parent;
    Prompter &prompter;
};

// "Agregar Cilindro": a new row (preset for a conversion) in the dialog.
bool AddCylinder(LocalTable &table, const EntryContext &context);
// "Modificar Datos del Cilindro": the selected row in the dialog; with no
// cylinders yet it starts a new one.
bool ModifyCylinder(LocalTable &table, int row, const EntryContext &context);
// "Borrar Cilindro": asks, then deletes the selected row. An empty list or no
// selection is reported and nothing changes.
bool DeleteCylinder(LocalTable &table, int row, const EntryContext &context);
// "Reemplazo de Válvula": the selected row with VALGEST "DESMONTAJE" and
// RVALGEST "MONTAJE" in the replacement dialog.
bool ReplaceValve(LocalTable &table, int row, const EntryContext &context);

} // namespace Cylinders
