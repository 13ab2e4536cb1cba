#pragma once

#include <QString>
#include <functional>

class QWidget;

// Opens the window behind a node or menu item of the main window. Windows
// register a factory at start-up; the factory creates its window, shows it
// modally and frees it. Registering under one key serves every key that
// opens the same window ("Cambiar Password" and "Cambiar clave de acceso").
namespace Dispatch {

using Opener = std::function<void(QWidget *parent)>;

// False when the key is not a node or menu item that opens a window.
bool registerWindow(const QString &key, Opener opener);

// Forgets every registration (tests).
void clearRegistrations();

bool isRegistered(const QString &key);

// Runs the opener for the key. Operation nodes write their kind code into
// Global.OperationKind and show the hourglass until the window is up. A key
// that is not in the table, or whose window is not registered, does nothing
// and returns false.
bool open(const QString &key, QWidget *parent);

} // namespace Dispatch
