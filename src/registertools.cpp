#include "registertools.h"

#include "colour/frmfarg.h"
#include "dialogs/tagdialogs.h"
#include "editor/frmeditor.h"
#include "filecopy/frmfilecopy.h"
#include "shell/tools.h"

void RegisterToolWindows() {
    RegisterColourPicker();
    RegisterEditorWindow();
    RegisterFileCopyWindow();
    RegisterTagDialogs();
    // Tools without a registered window open a stand-in with their caption.
}
