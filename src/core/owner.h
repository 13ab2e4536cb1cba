#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A vehicle owner of the post-sales owners file (`propietarios`), as the
// owner dialog edits it.
namespace Owners
{

struct Owner {
    int id = 0; // propietario_id; 0 for a new owner
    QString apellido, nombres;
    QString tipoDoc = QStringLiteral("DNI"), nroDoc;
    QString email;
    QString telefono; // not edited: kept as stored
    QString caracteristica, celular;
    QString calle, barrio, codigoPostal, localidad, provincia;

    // `propietario`: surname, one space, given names, within the column's 50
    // characters (the surname and the names are also stored whole apart).
    QString fullName() const { return (apellido + QLatin1Char(' ') + nombres).left(50); }
    bool operator==(const Owner &) const = default;
};

// "DNI", "CUIT", "CI", "LC", "LE".
const QStringList &DocumentTypes();
// Mask of the document number for a type, in the form's mask language.
QString DocumentMask(const QString &documentType);

// Fields of the dialog a check may mark.
enum class Field { Apellido, Nombres, Caracteristica, Celular, NroDoc, Email };

struct Check {
    QList<Field> failed;  // painted light red; the others go back to normal
    QStringList warnings; // shown first (the e-mail)
    QString information;  // then this, when anything failed
    bool ok() const { return failed.isEmpty(); }
};
inline const QString kInvalidEmail = QStringLiteral("El email ingresado no es valido");
inline const QString kIncomplete = QStringLiteral("Hay datos que no han sido completados.");

// The checks of "Aceptar" in add and edit mode.
Check CheckOwner(const Owner &owner);

// Column -> value of the stored row (without the id).
QVariantMap Columns(const Owner &owner);
// A stored row; an old row with only `propietario` gives its first word as
// the surname and the rest as the given names.
Owner FromRow(const QVariantMap &row);

// How many owners one search lists at most.
inline constexpr int kSearchLimit = 1000;

} // namespace Owners
