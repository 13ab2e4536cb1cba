#pragma once

#include "core/cylinderrules.h"
#include "core/operationrecord.h"
#include "core/prompter.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

// The checks "Aceptar" runs over the whole operation form before the pending
// operation is stored. The rule reads plain values, asks its questions through
// the prompter and returns what the form must show; it writes nothing.
namespace Validation
{

// What the checks take besides the operation itself.
struct Options {
    bool checksReusedSticker = false; // installation profile flag
    QDate today;
};

// Central look-ups the checks need; both may throw the data layer's error,
// which ends the attempt.
struct Lookups {
    std::function<bool(const QString &domain)> domainExists;
    // uobleanew of an operation whose uobleaant is the sticker, if any.
    std::function<std::optional<QString>(const QString &sticker)> stickerReplacedBy;
    // The code is in the regulator catalogue (codreg).
    std::function<bool(const QString &code)> regulatorExists;
};

enum class Kind { Mark, Error, Warning, Question };

struct Finding {
    int check;
    QString field; // objectName of the form control, empty when none
    Kind kind;
    QString text; // message shown, empty for a plain mark
    bool operator==(const Finding &) const = default;
};

struct Result {
    bool ok = true;
    QList<Finding> findings; // in the order they happened
    QString focus;           // control to focus afterwards, if any
    QDate expiry;            // expiry after the hydraulic-test pass
    bool phRequired = false;
    bool hydraulicPassRan = false; // the progress panel was opened for it
    QStringList marked() const;
};

// `hydraulicPassStarts` runs when checks 1-11 passed, before the
// hydraulic-test pass and its warnings (the form opens its progress panel).
Result Check(const OperationRecord &operation, const Options &options, const Lookups &db, Prompter &prompter,
             const std::function<void()> &hydraulicPassStarts = {});

} // namespace Validation
