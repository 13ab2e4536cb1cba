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
class QPrinter;
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

// Whether the server just answered: a sheet printed right after an
// operation went to the outbox takes what is kept on the workstation at
// once instead of waiting for the server again.
enum class Server { Reachable, Unreachable };

// "Aceptar" after a successful save: the print question, the Cedar letter
// offer, then the profile's after-save sheet. Questions (TConfirmDlg) and
// notices go to the form's prompter; the cylinders are the form's list.
void AfterSave(TRevisionAnualForm &form, Server server = Server::Reachable);

// "Ficha": the profile's button sheet for what the form shows, in any mode.
void OnButton(TRevisionAnualForm &form);

// "Seleccionar Impresora": the button's sheet, straight to the printer the
// operator picks in the printer dialog (copies preset as in the preview).
void OnSelectPrinter(TRevisionAnualForm &form);

// The printer dialog; false when cancelled. Tests replace it.
using PrinterChooser = std::function<bool(QPrinter &printer, QWidget *parent)>;
bool ChoosePrinter(QPrinter &printer, QWidget *parent);
void setPrinterChooser(PrinterChooser chooser);

// Hangs "Ficha" on OnButton and "Seleccionar Impresora" on OnSelectPrinter.
// Call once, after the form is built.
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
