#include "widgets/modalrun.h"

#include <QCoreApplication>

namespace Widgets
{

namespace
{
ExecHook &hook()
{
    static ExecHook h;
    return h;
}
} // namespace

void setExecHook(ExecHook h)
{
    hook() = std::move(h);
}
bool hasExecHook()
{
    return bool(hook());
}

int runModal(QDialog &dialog)
{
    if (!hook())
        return dialog.exec();
    dialog.show();
    QCoreApplication::processEvents();
    const int result = hook()(dialog);
    dialog.setResult(result);
    dialog.hide();
    return result;
}

} // namespace Widgets
