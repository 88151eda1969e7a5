// senvola-inspect: shows what the screensaver makes of game files, using the program's own code.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#ifdef _WIN32
#include "win32/path_win32.h"
#endif

namespace senvola::inspect {

int UsageError(const std::string& message) {
    std::fprintf(stderr, "senvola-inspect: %s\n", message.c_str());
    std::fprintf(stderr,
                 "usage: senvola-inspect check [-r] PATH...\n"
                 "       senvola-inspect read PATH\n"
                 "       senvola-inspect replay PATH\n"
                 "       senvola-inspect layout W H N [--board-only]\n"
                 "       senvola-inspect render PATH --size WxH --moves K [--board-only] [--no-comments]"
                 " [--flat-stones] [--no-coordinates] [--ini FILE]\n"
                 "           [--board-picture FILE] [--black-picture FILE] [--white-picture FILE]"
                 " --out FILE.bmp (or FILE.png on Linux)\n"
                 "PATH is a game file or builtin:N (N = 1..6). check DIRECTORY checks the game files the\n"
                 "saver's folder source offers; check -r DIRECTORY every plain file of the tree.\n");
    return 2;
}

}  // namespace senvola::inspect

int main(int argc, char** argv) {
    using namespace senvola::inspect;
#ifdef _WIN32
    // Paths are UTF-8 in the core; the ANSI argv would have lost what the code page cannot spell.
    Args all = senvola::Utf8Arguments();
    if (all.empty()) all.assign(argv, argv + argc);
#else
    const Args all(argv, argv + argc);
#endif
    if (all.size() < 2) return UsageError("no command given");
    const std::string cmd = all[1];
    Args args(all.begin() + 2, all.end());
    if (cmd == "check") return CmdCheck(args);
    if (cmd == "read") return CmdRead(args);
    if (cmd == "replay") return CmdReplay(args);
    if (cmd == "layout") return CmdLayout(args);
    if (cmd == "render") return CmdRender(args);
    return UsageError("unknown command: " + cmd);
}
