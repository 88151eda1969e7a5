// The render command's arguments, parsed once for every platform's drawing, so that usage
// messages and exit codes cannot drift apart between the Windows and the native build.
#pragma once

#include <array>
#include <string>

#include "commands.h"

namespace senvola::inspect {

struct RenderArgs {
    std::string game;      // a game file or builtin:N
    int width = 0, height = 0;
    int moves = 0;         // ticks after the new-game tick
    bool boardOnly = false;
    bool noComments = false;
    bool flatStones = false;
    bool noCoordinates = false;
    bool haveIni = false;  // --ini given: the language file must exist
    std::string iniPath;
    std::string outPath;
    // --board-picture, --black-picture, --white-picture, by GraphicsElement; empty: its colour.
    // A picture that cannot be loaded leaves its colour, as in the saver.
    std::array<std::string, 3> pictures;
};

// Fills `out` and returns 0, or prints a usage error and returns its status (2).
int ParseRenderArgs(const Args& args, RenderArgs& out);

}  // namespace senvola::inspect
