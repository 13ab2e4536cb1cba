#pragma once

class LocalTable;
class Prompter;
class TRevisionAnualForm;

namespace Cylinders
{

// Hangs the regulator look-ups ("SpeedButton3", "SpeedButton7" and leaving
// either regulator code), the regulator management rule and the four
// cylinder buttons of the operation form on their code, and keeps the
// form's cylinder grid and valve details in step with the work table.
// Call once, after the form is built. `prompter` null: message boxes.
void WireOperationForm(TRevisionAnualForm &form, LocalTable &table, Prompter *prompter = nullptr);

} // namespace Cylinders
