#include "commands.h"

namespace senvola::inspect {

int CmdRender(const Args&) { return UsageError("render: not built yet"); }

}  // namespace senvola::inspect
