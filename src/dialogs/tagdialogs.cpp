#include "dialogs/tagdialogs.h"

#include "dialogs/fontdialog.h"
#include "dialogs/formdialogs.h"
#include "dialogs/linkdialogs.h"
#include "dialogs/listdialogs.h"
#include "dialogs/pagedialogs.h"
#include "dialogs/smalldialogs.h"
#include "dialogs/tabledialogs.h"
#include "dialogs/tagatcursor.h"
#include "dialogs/tagdialog.h"

#include <QCoreApplication>

void RegisterTagDialogs() {
    // Each group of dialogs registers its own menu items.
    RegisterSmallDialogs();
    RegisterFontDialog();
    RegisterLinkDialogs();
    RegisterListDialogs();
    RegisterPageDialogs();
    RegisterTableDialogs();
    RegisterFormDialogs();
    RegisterTagAtCursor();

    // The kept dialogs have no parent window: they go when the program ends.
    static bool cleanupConnected = false;
    if (!cleanupConnected && QCoreApplication::instance()) {
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                         &DeleteTagDialogs);
        cleanupConnected = true;
    }
}
