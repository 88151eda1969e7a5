// Temporary stand-in until the options dialog (vekScreenSaverOptions.cpp) lands: the
// configuration mode opens nothing. CMake leaves this file out once the dialog exists; the
// dialog's author deletes it.
#include "vekTypes.h"

namespace vek {

int ShowScreenSaverOptions(const TOptionsDialogSetup&) { return IDCANCEL; }

}  // namespace vek
