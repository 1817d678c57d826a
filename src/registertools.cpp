#include "registertools.h"

#include "batch/frmbearbeta.h"
#include "colour/frmfarg.h"
#include "dialogs/tagdialogs.h"
#include "editor/frmeditor.h"
#include "filecopy/frmfilecopy.h"
#include "guides/guides.h"
#include "shell/tools.h"

void RegisterToolWindows() {
    RegisterBatchWindow();
    RegisterColourPicker();
    RegisterEditorWindow();
    RegisterFileCopyWindow();
    RegisterTagDialogs();
    RegisterGuides();
    // Tools without a registered window open a stand-in with their caption.
}
