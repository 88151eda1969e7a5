#include "commands.h"

namespace senvola::inspect {

int CmdCheck(const Args&) { return UsageError("check: not built yet"); }
int CmdRead(const Args&) { return UsageError("read: not built yet"); }
int CmdReplay(const Args&) { return UsageError("replay: not built yet"); }

}  // namespace senvola::inspect
