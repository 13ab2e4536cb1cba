#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Rules behind the look-up dialogs and the cylinder/regulator entry that do
// not need a screen.
namespace Lookups
{

// Pattern for a `like` that finds values containing `text` literally: "%" and
// "_" typed by the user (and the escape character itself) are escaped, so
// they never act as wildcards. The statement must use the same escape.
QString ContainsPattern(const QString &text, QChar escape = QLatin1Char('\\'));

// Rows of the owner search sent over the link at once (a screenful).
constexpr int kOwnerPage = 40;

// Caption of the two domain dialogs.
QString DomainCaption(const QString &domain);

} // namespace Lookups

namespace Cylinders
{

// What the cylinder dialog forces on every activation for the operation kind.
struct ActivationDefaults {
    std::optional<QString> cNuevo, gestion, uphResult; // values set, when any
    bool cNuevoEnabled = true, gestionEnabled = true, uphResultEnabled = true;
};
ActivationDefaults DialogDefaultsFor(const QString &kind);

// Values a new row starts with ("Agregar Cilindro"): field name -> value.
struct Preset {
    QString field, value;
};
QList<Preset> NewRowPresets(const QString &kind);

// The valve code is checked on leaving its field unless the operation is a
// dismantling ("B", or its synonym "D").
bool ChecksValveOnExit(const QString &kind);

// Management of the current regulator changed.
struct RegulatorGestionOutcome {
    bool showSecondLine = false; // the "Nuevo" line appears (and stays)
    bool refused = false;        // reset the list to `resetTo` after `message`
    QString resetTo;
    QString message;
};
RegulatorGestionOutcome RegulatorGestionChanged(const QString &kind, const QString &gestion,
                                                bool forbidsMountInModification);

} // namespace Cylinders
