#pragma once

#include "core/installationprofile.h"
#include "core/operationrecord.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "core/validation.h"
#include "data/writeonce.h"

#include <QDate>

class QWidget;
#include <optional>

// "Aceptar" of the operation form: the checks, then the pending operation
// stored in one transaction. The form applies the marks and the focus.
struct SaveOutcome {
    bool saved = false;
    int id = 0;                // the new pending id
    Validation::Result checks; // marks, focus, expiry and hydraulic-test state
};

// `replacing`: the pending id of an operation loaded for editing; its rows
// are replaced in the same transaction. Database errors propagate as DbError
// and unreadable attachments as PendingStore::AttachmentError; nothing is
// written in either case. Attempts under the same `ticket` store it once
// (WriteOnce::UnknownOutcome when the server cannot say whether it did).
// With `waitWindow` the rows are written off its thread while it repaints,
// with the progress line and "Cancelar" (Widgets::ServerWait).
SaveOutcome SaveOperation(OperationRecord &record, const InstallationProfile *profile, Prompter &prompter,
                          Progress &progress, const QDate &today, std::optional<int> replacing = std::nullopt,
                          WriteOnce::Ticket *ticket = nullptr, QWidget *waitWindow = nullptr);
