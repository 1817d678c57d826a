#include "registertools.h"

#include "shell/tools.h"

void RegisterToolWindows() {
    // Tools without a registered window open a stand-in with their caption.
}
