#pragma once

// The built-in table of installation profiles. `tarvil.ini` names one row by
// its installation ID; the row decides the database servers, the colours and
// every per-installation choice later windows make. Windows read the fields
// below; nothing compares IDs or names.

#include "core/connectionsettings.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// What a connection does with a server letter the row does not list.
enum class OtherLetters {
    LeaveDefault, // write nothing: the connection keeps its default settings
    UseFixed,     // write `otherSettings` (local, or Chestnut's secondary server)
    DoNotOpen     // write nothing and open nothing at start-up
};

struct ConnectionPlan {
    QMap<QString, ConnectionSettings> byLetter; // exact, case-sensitive letters
    OtherLetters otherLetters = OtherLetters::LeaveDefault;
    ConnectionSettings otherSettings; // with UseFixed

    bool isEmpty() const { return byLetter.isEmpty() && otherLetters != OtherLetters::UseFixed; }
};

// The outcome of looking a letter up in a plan.
struct SettingsChoice {
    enum Action { Write, LeaveDefault, DoNotOpen };
    Action action = LeaveDefault;
    ConnectionSettings settings; // with Write

    bool operator==(const SettingsChoice &) const = default;
};

// Which technical sheet a trigger prints.
struct FichaChoice {
    enum Kind {
        Nothing,
        Fixed,         // `layout`
        BySheetFormat, // Global.SheetFormat: 0 A4 layout, 1 Legal layout, other nothing
        FormatDialog   // the user picks `blankLayout` or `preprintedLayout`
    };
    Kind kind = Nothing;
    QString layout;
    QString blankLayout;
    QString preprintedLayout;
};

// A workshop identity printed instead of a not-enabled workshop's own.
struct FixedWorkshopIdentity {
    QString code, name, address, cuit, repName, repMatricula, phone;
    bool isEmpty() const { return code.isEmpty() && name.isEmpty(); }
};

// One letterhead line of a profile's sheets.
enum class LetterheadLine {
    PecName,         // `pec`.PECRSOC
    PecCaption,      // "Productor de Equipos Completos"
    PecAddress,      // `pec`.DIRECCION
    PecRepName,      // `pec`.PRESHABAYN
    PecRepMatricula, // "Mat. " + `pec`.PMATRESHAB
};

struct InstallationProfile {
    QString name;           // Aspen, Birch, ... (for messages and logs only)
    QString installationId; // six characters, the `ID` of tarvil.ini

    // Connections: SQLConnection1, SQLConnectionPostVenta, SQLConnection2.
    ConnectionPlan operations;
    ConnectionPlan postSales;
    ConnectionPlan sister;
    bool opensPostSalesAtStartup = false; // the others open it on first use

    // Look and files.
    int dialogColour = 0;  // Windows colour 0x00BBGGRR; also Global.PanelColour
    int accentColour = 0;  // the two title labels of login and main window
    QString workingFolder; // attached pictures and exports; empty: none
    QString downloadUrl;   // where "Descargar" sends a new version; empty: none

    // Main window.
    QString workshopOnlyCodePrefix;   // codes starting with it see only the "Taller" tab
    bool pendingListShowsVin = false; // pending-operations list with the "VIN" column

    // Operation form.
    bool offersCommitmentLetter = false;             // letter work table and "Carta Compromiso" buttons
    bool recordsAccessories = false;                 // "Accesorios" button
    bool showsOwnerListButton = false;               // owner list inside the "Propietario" group
    bool keepsObservationsOnRecall = true;           // a recall copies the earlier observations
    bool checksReusedSticker = true;                 // "M"/"R" save asks when the previous sticker was replaced
    bool forbidsRegulatorMountInModification = true; // "MONTAJE" refused for the regulator in "M"
    bool searchesAllPecs = false;                    // "Buscar por Dominio" reads the consolidated tables
    bool numbersFromOperationNumberTable = false;    // operation numbers come from the `tnrointopr` table

    // Documents.
    FichaChoice fichaAfterSave;
    FichaChoice fichaOnButton;
    bool offersLetterAfterSave = false;       // asks "Imprimir Carta Compromiso" before the ficha
    QString commitmentLetterLayout;           // empty with choosesLetterRevisionCentre or no letter
    bool choosesLetterRevisionCentre = false; // "CRPC" list picks the letter layout
    QString emptyFichaLayout = QStringLiteral("TQFichaEnBlancoQuinceForm"); // blank-sheet printing
    int buckeyeFichaCopies = 1;                                             // copies preset on TQFichaBuckeyeForm
    bool printsLetterheadLines = false;          // the four letterhead lines of the blank layouts
    bool fichaKeepsLayoutRepresentative = false; // no PEC representative lines on TQFichaBuckeyeForm
    // Lines the profile's sheets print as its letterhead: the four Quince
    // lines, Juniper's contact lines, the PEC name of the Cypress family, the
    // representative lines of Buckeye and Hazel, the address lines of the
    // empty Larch sheet. Each names what of the PEC's `pec` row it prints, so
    // an installation prints its own data, and nothing where its row is empty.
    QVector<LetterheadLine> letterhead;
    // With choosesLetterRevisionCentre the letter layout of each centre name
    // of `carta_crpc` (any other centre prints nothing). The letter's
    // letterhead is the PEC's own (its `pec` row), not profile data.
    QMap<QString, QString> letterLayoutByCentre;
    FixedWorkshopIdentity fixedWorkshop; // identity some layouts print for a not-enabled workshop
    QString logo;                        // the PEC's logo on its sheets, a picture of the documents

    // Workshop management.
    QString workOrderLayout;                         // printed after a work order is saved; empty: nothing
    QString workOrderConsentCompany;                 // the consent line's company; empty: the layout's own
    bool workOrderPrintsConversionDate = false;      // "Fecha de Conversión" under "EN GARANTIA"
    QString workOrderReprintLayout;                  // "Imprimir Orden"; empty: nothing
    bool workOrderReprintUsesConsentCompany = false; // reprint carries workOrderConsentCompany
    bool workOrderReprintNamesFromForm = false;      // reprint names as the pick lists show them, not re-read
    bool showsWorkOrderOperationType = false;        // "Tipo de Operación" pick list
    // Picture file of the working directory printed as the letterhead of a
    // reprinted conversion order; none when the installation has no such file.
    QString conversionOrderLetterhead = QStringLiteral("MembreteOrden.jpg");

    bool hasSisterDatabase() const { return !sister.isEmpty(); }
};

// All 31 rows, in table order.
const QVector<InstallationProfile> &installationProfiles();

// The row whose ID equals `id` exactly, or nullptr.
const InstallationProfile *profileById(const QString &id);

// The profile of this run, by Global.InstallationId; when the ID matches no
// row, a row named "" with every field at its default.
const InstallationProfile &currentProfile();

// What the set-up writes into `conn` for the server letter `letter`.
SettingsChoice resolveSettings(const InstallationProfile &profile, Conn conn, const QString &letter);

// The local MySQL server's settings ("L") for database `database`.
ConnectionSettings localSettings(const QString &database = QStringLiteral("tarvil"));
