// render on a host without GDI: refused with a usage message.
#include "commands.h"

namespace senvola::inspect {

// Rendering needs real GDI: only the Windows build has it.
int CmdRender(const Args&) { return UsageError("render is available in the Windows build only"); }

}  // namespace senvola::inspect
