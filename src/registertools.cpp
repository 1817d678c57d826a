#include "registertools.h"

#include "colour/frmfarg.h"
#include "shell/tools.h"

void RegisterToolWindows() {
    RegisterColourPicker();
    // Tools without a registered window open a stand-in with their caption.
}
