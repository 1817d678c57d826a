#include "dialogs/pagedialogs.h"

#include "dialogs/bodydialog.h"
#include "dialogs/framedialogs.h"
#include "dialogs/headdialogs.h"
#include "dialogs/marqueedialog.h"
#include "dialogs/timedialog.h"

void RegisterPageDialogs() {
    RegisterHeadDialogs();
    RegisterBodyDialog();
    RegisterFrameDialogs();
    RegisterMarqueeDialog();
    RegisterTimeDialog();
}
