#pragma once

#include <QDialog>
#include <functional>

// Every dialog a window opens is run through here, so that tests can drive
// the dialog (already shown, not modal) instead of blocking on its loop.
namespace Widgets
{

using ExecHook = std::function<int(QDialog &dialog)>; // returns the dialog result
void setExecHook(ExecHook hook);
bool hasExecHook();

// exec() of the dialog, or the hook after show() while one is set.
int runModal(QDialog &dialog);

} // namespace Widgets
