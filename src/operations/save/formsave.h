#pragma once

#include "core/operationrecord.h"

#include <QVector>

class LocalTable;
class Prompter;
class TRevisionAnualForm;

namespace OperationSave {

// Hangs "Aceptar" (checks and save), "Accesorios" and "Adjuntar
// Documentacion" of the operation form on their code. The cylinders saved
// are those of `table`. Call once, after the form is built.
void WireOperationForm(TRevisionAnualForm &form, LocalTable &table, Prompter *prompter = nullptr);

} // namespace OperationSave
