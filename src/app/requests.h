#pragma once

#include "core/conversionorder.h"
#include "core/navigation.h"
#include "core/owner.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <optional>

// What one window asks of another through the navigator. Each request names
// the window that answers it and what comes back (`Result`), so a feature
// never includes another feature's headers. A request nobody answers yet
// shows the "not available" notice and gives back an empty result.
namespace Nav
{

// A main-window function with nothing to hand over.
struct Open {
    using Result = void;
    WindowId window;
    WindowId target() const { return window; }
};

// A new operation of `kind` ("C", "M", "R", "B", "H", "X").
struct OpenOperation {
    using Result = void;
    static constexpr WindowId window = WindowId::OperationForm;
    QString kind;
    WindowId target() const { return window; }
};

// A pending operation loaded for editing.
struct EditPending {
    using Result = void;
    static constexpr WindowId window = WindowId::OperationForm;
    int pendingId = 0;
    QString kind; // its ucodgest
    WindowId target() const { return window; }
};

// An operation waiting in this workstation's outbox, opened to be corrected
// and sent with "Aceptar"; true when it was stored.
struct OpenWaiting {
    using Result = bool;
    static constexpr WindowId window = WindowId::OperationForm;
    qint64 outboxId = 0;
    WindowId target() const { return window; }
};

// An earlier operation shown read-only.
struct ViewOperation {
    using Result = void;
    static constexpr WindowId window = WindowId::OperationForm;
    QString kind;            // ucodgest: the caption and the sheet's kind
    QString sticker;         // uobleanew
    QString previousSticker; // uobleaant, used when the sticker is "0000000000"
    // The domain query also hands over the operation's workshop and its two
    // technical representatives.
    bool carriesWorkshop = false;
    QString workshopCode;
    QString workshopCuit;
    QString workshopRepMatricula; // rmatreshab
    QString pecRepMatricula;      // pmatreshab
    bool operator==(const ViewOperation &) const = default;
    WindowId target() const { return window; }
};

// An operation of the central tables (usr, reg, cil).
struct OperationKey {
    QString peccod;
    QString talcuit;
    qint64 tnrointopr = 0;
    bool operator==(const OperationKey &) const = default;
};

// The cylinder query in its selection mode: the chosen operation.
struct ChooseOperationByCylinder {
    using Result = std::optional<OperationKey>;
    static constexpr WindowId window = WindowId::QueryByCylinder;
    WindowId target() const { return window; }
};

// The regulator query in its selection mode: the chosen operation.
struct ChooseOperationByRegulator {
    using Result = std::optional<OperationKey>;
    static constexpr WindowId window = WindowId::QueryByRegulator;
    WindowId target() const { return window; }
};

// A cylinder's whole life: every operation naming its serial (and model
// code, when given), the vehicles it was in, its test status today.
struct ShowCylinderLife {
    using Result = void;
    static constexpr WindowId window = WindowId::CylinderLife;
    QString serial;
    QString code;
    WindowId target() const { return window; }
};

// The regulator catalogue's search dialog: the chosen code and brand. With
// `search`, the dialog opens already searched for codes containing it.
struct RegulatorChoice {
    QString codigo, marca;
    bool operator==(const RegulatorChoice &) const = default;
};
struct PickRegulator {
    using Result = std::optional<RegulatorChoice>;
    static constexpr WindowId window = WindowId::RegulatorSearch;
    QString search;
    WindowId target() const { return window; }
};

// The cylinder dialog over the cylinder work table ("CILAUX01"): a new
// cylinder preset for `kind` ("C" for a conversion order), or work-table row
// `row` changed. True when the table changed.
struct EditCylinder {
    using Result = bool;
    static constexpr WindowId window = WindowId::CylinderData;
    QString kind;
    QString domain;
    int row = -1; // -1: a new cylinder
    WindowId target() const { return window; }
};

// The commitment letter, prefilled from the operation on screen.
struct OpenCommitmentLetter {
    using Result = void;
    static constexpr WindowId window = WindowId::CommitmentLetter;
    QString ownerName, docType, docNumber;
    QString street, number; // the form's street entry split at its last blank
    QString postalCode, locality;
    QString previousSticker;
    QString domain;
    QString phone;
    bool operator==(const OpenCommitmentLetter &) const = default;
    WindowId target() const { return window; }
};

// The owners list: the owner of its current row when it closes.
struct PickOwner {
    using Result = std::optional<Owners::Owner>;
    static constexpr WindowId window = WindowId::Owners;
    WindowId target() const { return window; }
};

// A conversion order chosen in the order list's selection mode, with its
// regulator and cylinders.
struct PickConversionOrder {
    using Result = std::optional<Orders::ConversionOrder>;
    static constexpr WindowId window = WindowId::ConversionOrders;
    WindowId target() const { return window; }
};

// A stored work order shown read-only, with its faults and jobs.
struct ViewWorkOrder {
    using Result = void;
    static constexpr WindowId window = WindowId::WorkOrderView;
    QString taller;
    int numero = 0;
    WindowId target() const { return window; }
};

} // namespace Nav
