// render on a host without GDI: refused with a usage message.
#include "commands.h"

namespace senvola::inspect {

// Rendering needs a real canvas: GDI, or cairo in a build with the X11 hack.
int CmdRender(const Args&) {
    return UsageError("render needs the Windows build, or a native build with -DSENVOLA_X11=ON");
}

}  // namespace senvola::inspect
