// senvola-inspect: shows what the screensaver makes of game files, using the program's own code.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"

namespace senvola::inspect {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "senvola-inspect: %s\n", message.c_str());
    std::fprintf(stderr,
                 "usage: senvola-inspect check [-r] PATH...\n"
                 "       senvola-inspect read PATH\n"
                 "       senvola-inspect replay PATH\n"
                 "       senvola-inspect layout W H N [--board-only]\n"
                 "       senvola-inspect render PATH --size WxH --moves K [--board-only] [--no-comments]"
                 " [--ini FILE] --out FILE.bmp (or FILE.png on Linux)\n"
                 "PATH is a game file or builtin:N (N = 1..6). check DIRECTORY checks the game files the\n"
                 "saver's folder source offers; check -r DIRECTORY every plain file of the tree.\n");
    return 2;
}

}  // namespace senvola::inspect

int main(int argc, char** argv) {
    using namespace senvola::inspect;
    if (argc < 2) return UsageError("no command given");
    const std::string cmd = argv[1];
    Args args(argv + 2, argv + argc);
    if (cmd == "check") return CmdCheck(args);
    if (cmd == "read") return CmdRead(args);
    if (cmd == "replay") return CmdReplay(args);
    if (cmd == "layout") return CmdLayout(args);
    if (cmd == "render") return CmdRender(args);
    return UsageError("unknown command: " + cmd);
}
