#pragma once

class TRevisionAnualForm;

namespace OperationSave
{

// Hangs "Aceptar" (checks and save), "Accesorios" and "Adjuntar
// Documentacion" of the operation form on their code. The operation saved is
// the form's record, its cylinders the form's list. Call once, after the
// form is built.
void WireOperationForm(TRevisionAnualForm &form);

} // namespace OperationSave
