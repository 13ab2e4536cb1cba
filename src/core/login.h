#pragma once

// The workshop login as a rule: what the typed code and password, the `tal`
// row and the installation's administrator password decide. The dialog runs
// the statements and shows the message; nothing here touches a screen.

#include "core/global.h"

#include <QChar>
#include <QString>
#include <optional>

namespace Login
{

inline constexpr int kCodeMaxLength = 7;
inline constexpr int kPasswordMaxLength = 25;

enum class Outcome {
    MissingCode,     // nothing typed: the dialog stays open
    UnknownWorkshop, // no `tal` row
    WrongPassword,
    Disabled, // `Estado` is not 1
    Accepted
};

enum class MessageKind { None, Warning, Error, Info };

struct Decision {
    Outcome outcome = Outcome::MissingCode;
    bool adminMode = false;
    MessageKind kind = MessageKind::None;
    QString message;

    bool accepted() const { return outcome == Outcome::Accepted; }
    // Every refusal but a missing code ends the program: no second attempt.
    bool endsProgram() const { return outcome != Outcome::Accepted && outcome != Outcome::MissingCode; }
};

// What the server answered about a `tal` row: the passwords are compared
// there (exactly, byte for byte), so the workstation never holds one.
struct Account {
    bool ownMatches = false;   // the typed text equals `tal.Password`
    bool adminMatches = false; // it equals the PEC's administrator password, which is not empty
    int estado = 0;            // `tal.Estado`
};

// Keys the code box lets through: backspace, digits and ASCII letters.
bool codeKeyPasses(QChar c);

// The code as the box holds it: upper case; false when it cannot be a code
// (empty, longer than seven, or with characters the box refuses).
bool isWellFormedCode(const QString &code);

// The typed code says nothing yet: the check that needs no query.
Decision checkCode(const QString &code);

// After the `tal` query. Without an administrator password (no profile, or
// no PEC row read at the set-up: `adminAvailable` false) there is no
// administrator mode, and an empty typed password never opens an account.
Decision checkPassword(const std::optional<Account> &account, const QString &typedPassword, bool adminAvailable);

// The `tal` columns the global state takes, read by field name by the dialog.
struct WorkshopRow {
    QString code; // the typed code
    QString name, cuit, street, number, town;
    QString repMatricula;
    QString stamp1, stamp2, stamp3, stamp4;
    int copies = 0;
    QString locality, province;
    int sheetFormat = 0;
    int managesWorkshop = 0;
};

// The PEC columns (`pec` joined to its representative in `res`).
struct PecRow {
    QString code, name, repMatricula, repName, repDocNumber, address;
};

// Street + " " + number + " - " + town, as documents print it.
QString workshopAddress(const QString &street, const QString &number, const QString &town);

void applyWorkshop(GlobalState &g, const WorkshopRow &row, bool adminMode);
void applyPec(GlobalState &g, const PecRow &row);
// `rnombre` + " " + `rapellido`.
QString representativeName(const QString &firstName, const QString &surname);

} // namespace Login
