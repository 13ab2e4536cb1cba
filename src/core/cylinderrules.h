#pragma once

#include "core/operationrecord.h"
#include "core/prompter.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

// Hydraulic-test ("PH") rules and the checks of the cylinder dialog. Dates of
// the cylinder work table are "MM/YYYY"; the central tables keep month and a
// two-digit year.
namespace Cylinders
{

enum class PhStatus { Valid, DueWithinYear, Required };

// Whole months from the last test to the enabling month; a test after the
// enabling month counts as 0.
int MonthsSinceTest(int testMonth, int testYear, const QDate &enabling);
PhStatus PhDueStatus(int testMonth, int testYear, const QDate &enabling);

// Sticker-expiry limits for a cylinder due within the year (m = test month,
// H = enabling date). A limit already past `today` moves one year on.
QDate ExpiryLimitOnSave(int testMonth, const QDate &enabling, const QDate &today);
QDate ExpiryLimitOnRecall(int testMonth, const QDate &enabling, const QDate &today);

// Last day of the test month, `validityYears` (codcil.VENC; 5 when the model
// is not in the catalogue) after the test.
QDate CrpcExpiryDate(std::optional<int> validityYears, int testMonth, int testYear);

// "49" -> "2049", "50" -> "1950"; a year of more than two digits is returned as is.
QString CenturyYear(const QString &twoDigitYear);

// "MM/YYYY" -> month and year; false when the text is not a month and year.
bool SplitMonthYear(const QString &mmYyyy, int *month, int *year);
// Month and year as stored centrally ("06", "18") -> "06/2018".
QString JoinMonthYear(const QString &month, const QString &twoDigitYear);

// Certificate number: 4-character CRPC code followed by a number of up to 6
// digits, normalised to code + 6 digits ("ABCD123" -> "ABCD000123").
struct Certificate {
    enum Outcome { Normalised, UnknownCentre, NotANumber } outcome;
    QString text; // normalised text when Normalised, otherwise the input untouched
};
Certificate NormaliseCertificate(const QString &input, const std::function<bool(const QString &)> &centreExists);

// Fields of the dialog a failed check puts the focus on.
enum class Field { None, NroSerie, Gestion, Fabricac, UphTaller, UphFecha, UphResult, ValNro, ValGest, NroCertif };

struct AcceptResult {
    bool accepted = false;
    Field focus = Field::None;
    bool highlight = false; // the focused field turns light red and stays so
};

// The "Aceptar" sequence of the cylinder dialog over the row it shows.
// `valveDomain` returns the domain of the first stored cylinder carrying this
// valve (empty if none); it is asked only in a modification.
AcceptResult
CheckCylinderDialog(const CylinderRow &v, const QString &operationKind, const QString &operationDomain,
                    const std::function<QString(const QString &valCod, const QString &valNro)> &valveDomain,
                    Prompter &prompter);

} // namespace Cylinders
