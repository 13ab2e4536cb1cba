#pragma once

class TRevisionAnualForm;

namespace Cylinders
{

// Hangs the regulator look-ups ("SpeedButton3", "SpeedButton7" and leaving
// either regulator code), the regulator management rule and the four
// cylinder buttons of the operation form on their code, over the form's
// cylinder list and prompter. Call once, after the form is built.
void WireOperationForm(TRevisionAnualForm &form);

} // namespace Cylinders
