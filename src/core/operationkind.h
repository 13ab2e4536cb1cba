#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Operation kinds: "C" conversion, "M" modification, "R" annual renewal,
// "B" dismantling ("D" is its synonym), "X" CRPC review, "H" valve
// replacement; "#" is the form's consultation mode.

inline const QString ConsultationKind = QStringLiteral("#");

// Name printed on the technical sheets; empty for any other code.
QString OperationKindName(const QString &code);

// What the operation form does for one kind; the form only applies it.
struct OperationKindLayout {
    QString code;
    QString caption;          // window caption
    QString description;      // udescgest
    QString regulatorGestion; // "SIN CAMBIOS", "MONTAJE", ...
    bool regulatorGestionLocked = false;
    QString regulatorNuevo; // "SI" / "NO"
    bool hidesValveReplacement = false;
    bool hidesPreviousSticker = false; // field, its year, label and recall button
    bool hidesEnablingAndExpiry = false;
    QString mountingDateLabel;    // "Fecha Montaje" / "Fecha Desmontaje"
    QString previousStickerLabel; // "Oblea Anterior" / "Oblea Actual"
};

// The layout of an entry kind; nothing for "#" and unknown codes.
std::optional<OperationKindLayout> LayoutForKind(const QString &code);

// Caption of the consultation mode, from the viewed operation's kind.
QString ConsultationCaption(const QString &viewedKind);
inline const QString DefaultFormCaption = QStringLiteral("Revisión Anual");

// Same day and month a year later; 29 February becomes 28 February.
QDate OneYearLater(const QDate &date);

struct KindDates {
    QDate mounting;
    QDate enabling;
    QDate expiry;
};
// Mounting and enabling today, expiry a year later.
KindDates StandardDates(const QDate &today);

// The highest model year accepted: next year once 10 December has passed.
int MaxModelYear(const QDate &today);
inline constexpr int MinModelYear = 1951;
bool IsAcceptedModelYear(int year, const QDate &today);

// The sticker expiry may be at most a year after the enabling date.
bool IsExpiryWithinLimit(const QDate &expiry, const QDate &enabling);

// Management ("gestión") codes: the stored letter is the first of the text.
QString GestionLetter(const QString &text);
const QStringList &RegulatorGestionTexts(); // also the cylinder's list
const QStringList &ValveGestionTexts();
QString GestionName(const QString &letter);         // regulator shown again
QString CylinderGestionName(const QString &letter); // "B"/"D" DESMONTAJE, "R" SIN CAMBIOS
QString ValveGestionName(const QString &letter);    // "B"/"D" DESMONTAJE

// Vehicle use list and its stored code (position + 1, as text).
const QStringList &VehicleUseTexts();
QString VehicleUseCode(const QString &text); // empty for a text not in the list
QString VehicleUseText(const QString &code);
