#pragma once

#include "core/commitmentletter.h"
#include "report/reportform.h"

// The commitment letters: a registered "letter" layout filled from the
// letter's values. What each value is called is in README.md.
namespace Documents
{

Report::Values LetterValues(const Letter::PrintData &d);

// A registered letter built for `d`; throws std::runtime_error when the
// registry has no such layout.
Report::ReportForm MakeLetter(const QString &layout, const Letter::PrintData &d);

// The workshop block of the letters that follow enablement, from the own
// `tal` row and, for a workshop that is not enabled, its associated one.
// Throws DbError.
void LoadLetterWorkshop(Letter::PrintData &d, const GlobalState &global);

} // namespace Documents
