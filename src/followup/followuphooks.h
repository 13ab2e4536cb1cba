#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

// Where the follow-up windows hand over to the operation form. The form lives
// in another layer, so start-up sets these; until then the buttons that need
// them do nothing.
namespace Followup {

// An operation of the central tables (usr, reg, cil).
struct OperationKey {
    QString peccod;
    QString talcuit;
    qint64 tnrointopr = 0;
    bool operator==(const OperationKey &) const = default;
};

// An earlier operation to show in the operation form's consultation mode.
struct ConsultationRequest {
    QString kind;            // ucodgest; already written to Global.OperationKind
    QString sticker;         // uobleanew
    QString previousSticker; // uobleaant, used when the sticker is "0000000000"
    // The domain query also hands over the operation's workshop and the two
    // technical representatives, as the owner search does.
    bool carriesWorkshop = false;
    QString workshopCode;
    QString workshopCuit;
    QString workshopRepMatricula; // rmatreshab
    QString pecRepMatricula;      // pmatreshab
    bool operator==(const ConsultationRequest &) const = default;
};

// Opens the operation form on a pending operation of kind `kind` for editing,
// modally; returns when it closes.
using PendingEditor = std::function<void(int pendingId, const QString &kind, QWidget *parent)>;

// Opens the operation form in consultation mode, modally.
using ConsultationOpener = std::function<void(const ConsultationRequest &request, QWidget *parent)>;

void setPendingEditor(PendingEditor editor);
const PendingEditor &pendingEditor();

void setConsultationOpener(ConsultationOpener opener);
const ConsultationOpener &consultationOpener();

// Registers the pending list and the four queries for their main-window nodes.
void registerWindows();

} // namespace Followup
