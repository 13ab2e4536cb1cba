#pragma once

#include <QString>

// The process-wide record of the logged-in workshop, its PEC and the
// installation. Empty text and 0 until set; the login fills it once. Only the
// recall re-reads the workshop's identity, and the stamp and copies dialogs
// write what they change. Nothing else is passed through here: a window gets
// what it needs (an operation's kind, another workshop) as arguments.
struct GlobalState {
    // Workshop (login; the operation form rewrites the identity fields when it
    // prepares another workshop's operation for printing).
    QString WorkshopCode;
    QString WorkshopName;
    QString WorkshopName2;
    QString WorkshopCuit;
    QString WorkshopAddress;
    QString WorkshopAddress2;
    QString RepMatricula;
    QString RepName;
    QString Stamp1, Stamp2, Stamp3, Stamp4;
    int Copies = 0;
    QString WorkshopLocality;
    QString WorkshopProvince;
    int SheetFormat = 0;
    int ManagesWorkshop = 0;

    // PEC (login)
    QString PecCode;
    QString PecName;
    QString PecRepMatricula;
    QString PecRepName;
    QString PecRepDocNumber;
    QString PecAddress;

    bool AdminMode = false;
    bool LoggedIn = false;
    int PecUserId = 0; // never set by any path: always 0

    // Installation (start-up)
    QString InstallationId;
    QString ServerCode;
    int AccentColour = 0; // Windows colour value 0x00BBGGRR
    int PanelColour = 0;
    QString WorkingFolder;
    int ProgramVersion = 0;
};

// The one instance; tests reset it with `Global = GlobalState{}`.
extern GlobalState Global;

#include "core/version.h"
