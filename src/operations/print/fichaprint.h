#pragma once

#include "app/requests.h"
#include "core/fichadata.h"

#include <QString>
#include <functional>

struct FichaChoice;
struct GlobalState;
struct InstallationProfile;
struct OperationRecord;
class TRevisionAnualForm;
class QWidget;

// Which technical sheet an operation gets, and printing it from the
// operation form: after a save ("Aceptar") and on "Ficha" (BitBtn5).
namespace FichaPrint
{

// The operation values a sheet prints, from the form's record, the login
// identity and the profile. The kind is the caller's (the form's shown kind);
// workshop block and cylinders are read separately.
FichaData DataFromRecord(const OperationRecord &r, const GlobalState &g, const InstallationProfile &p);

// The layout a choice names; empty for nothing. `chooseFormat` runs only for
// the format dialog and returns the dialog's result.
QString ResolveLayout(const FichaChoice &choice, int sheetFormat, const std::function<int()> &chooseFormat);

// Whether the layout is one the documents register.
bool IsAvailable(const QString &layout);

// Text shown instead of a sheet whose layout does not exist yet.
QString NotAvailableText();

// "Aceptar" after a successful save: the print question, the Cedar letter
// offer, then the profile's after-save sheet. Questions (TConfirmDlg) and
// notices go to the form's prompter; the cylinders are the form's list.
void AfterSave(TRevisionAnualForm &form);

// "Ficha": the profile's button sheet for what the form shows, in any mode.
void OnButton(TRevisionAnualForm &form);

// Hangs "Ficha" on OnButton. Call once, after the form is built.
void WireFichaButton(TRevisionAnualForm &form);

// The commitment letter prefilled from the operation: owner, document,
// postal code, previous sticker, locality, domain, telephone, and the street
// entry split into street and number.
Nav::OpenCommitmentLetter LetterRequest(const OperationRecord &r);

// The form's street entry holds street and house number: the number is what
// follows the last blank, at most five characters.
struct StreetAndNumber {
    QString street, number;
};
StreetAndNumber SplitStreet(const QString &entry);

} // namespace FichaPrint
