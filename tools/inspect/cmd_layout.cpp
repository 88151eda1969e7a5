#include "commands.h"

namespace senvola::inspect {

int CmdLayout(const Args&) { return UsageError("layout: not built yet"); }

}  // namespace senvola::inspect
