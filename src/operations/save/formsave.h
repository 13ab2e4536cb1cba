#pragma once

class TRevisionAnualForm;
struct OutboxEntry;

namespace OperationSave
{

// Hangs "Aceptar" (checks and save), "Accesorios" and "Adjuntar
// Documentacion" of the operation form on their code. The operation saved is
// the form's record, its cylinders the form's list. Call once, after the
// form is built. With `waiting`, the form shows that outbox entry: its save
// goes under the entry's ticket and takes it out of the outbox.
void WireOperationForm(TRevisionAnualForm &form, const OutboxEntry *waiting = nullptr);

} // namespace OperationSave
