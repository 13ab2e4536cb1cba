#pragma once

#include "core/conversionorder.h"
#include "core/cylinderrules.h"
#include "core/operationrecord.h"
#include "core/owner.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>

// Filling the operation form from a stored operation: an earlier operation
// recalled for a new one or shown in consultation, a pending operation loaded
// for editing, a conversion order copied into a new operation. Rows are
// column -> value maps; column names are matched without regard to case.
namespace Recall
{

using Row = QVariantMap;

enum class Mode { NewOperation, Consultation };

// Reads a column whatever the case of its name; trimmed text.
QString Text(const Row &row, const QString &column);
QDate Date(const Row &row, const QString &column);

// Owner, vehicle and contact fields shared by the recall and the pending
// load. The street takes "ucalle unro".
void CopyOwnerAndVehicle(const Row &usr, bool keepsObservations, OperationRecord &r);

struct Copied {
    QString workshopCode;    // CODTAL, shown in consultation
    QString assignedSticker; // consultation: the sticker recalled
    QString domainMask;      // in the form's mask language; empty: no mask
};

// Step "copy the operation" of a recall; `kind` is the new operation's kind
// (ignored in consultation, which takes the stored one into `r.kind`).
Copied CopyOperation(const Row &usr, Mode mode, const QString &kind, const QDate &today, bool keepsObservations,
                     OperationRecord &r);

// Regulator rows of a recall. `brandOf` gives codreg.MARCA of a code.
void CopyRegulators(const QList<Row> &regs, Mode mode, const QString &kind,
                    const std::function<QString(const QString &code)> &brandOf, OperationRecord &r);

// Cylinder rows of a recall (new operation: retired cylinders stay behind).
QVector<CylinderRow> CopyCylinders(const QList<Row> &cils, Mode mode, const QString &kind);

// The stored cylinder as consultation shows it (also the pending load and the
// conversion-order copy).
CylinderRow ConsultationCylinder(const Row &cil);

struct HydraulicPass {
    QVector<CylinderRow> letterRows; // cylinders needing a commitment letter
    bool enablesLetterButton = false;
    bool phRequired = false;
    bool expiryChanged = false;
    QDate expiry;
    bool frameExpiry = false; // red frame around the expiry
    QString warning;          // shown as a warning, if any
    QString information;      // shown as information, if any
};

// The test pass after a recall for a new operation. `byNumber`: the recall
// came from a search (domain, owner, cylinder, regulator) rather than the sticker.
HydraulicPass RunHydraulicPass(const QVector<CylinderRow> &cylinders, const QString &kind, const QDate &enabling,
                               const QDate &expiry, const QDate &today, bool offersCommitmentLetter, bool byNumber);

// Pending operation loaded for editing.
struct PendingLoad {
    QString kind;
    bool hidesPreviousSticker = false; // "H"
    QString assignedSticker;           // "H": the sticker of the operation
};
PendingLoad LoadPending(const Row &tempUsr, const QList<Row> &tempRegs, const QList<Row> &tempCils,
                        const QString &previousOfAssigned, bool keepsObservations, const QDate &today,
                        const std::function<QString(const QString &code)> &brandOf, OperationRecord &r);

// The owner of the owners list's current row copied into the operation
// (document mask by type is the form's business).
void CopyOwner(const Owners::Owner &owner, OperationRecord &r);

// Conversion order copied into a new operation.
void CopyConversionOrder(const Orders::ConversionOrder &order, OperationRecord &r, QString *domainMask);

} // namespace Recall
