#include "app/navigator.h"
#include "app/startup.h"
#include "app/tarvilapplication.h"
#include "app/tmainform.h"
#include "app/windows.h"
#include "data/dm1.h"
#include "followup/windows.h"
#include "operations/windows.h"
#include "widgets/tconfirmdlg.h"
#include "workshop/windows.h"

int main(int argc, char *argv[])
{
    TarvilApplication app(argc, argv);
    Startup::prepareApplication(app); // Spanish captions before any window
    dm1();                            // all connections closed until first use

    // Every window plugs into the main window and the hand-overs here.
    Navigator &nav = navigator();
    App::registerWindows(nav);
    Operations::registerWindows(nav);
    Followup::registerWindows(nav);
    Workshop::registerWindows(nav);

    TMainForm mainForm; // runs the login
    if (!mainForm.loginAccepted())
        return 0;
    TConfirmDlg::shared();
    Operations::startOutbox();

    mainForm.showMaximized();
    return app.exec();
}
