// Reading a game file: the readers' typed answer, and the reader a file's name selects.
#pragma once

#include <cstdint>
#include <string>

#include "platform/trace_sink.h"
#include "records/game_record.h"

namespace senvola {

// Why a reader refused a file. The numbers are the ones senvola-inspect prints and the
// diagnostics name; each reader uses those listed for it.
enum class ReadError : uint8_t {
    None = 0,
    BadBoardSize = 2,           // SGF: SZ is not a whole number; .GO: BOARDSIZE is not 9, 13 or 19
    BadHandicapOrSetup = 3,     // SGF: a bad HA value or setup stone; .GO: a bad SETUP line
    BadMove = 4,                // a move out of turn, wrongly numbered, malformed or off the board
    HandicapWithoutStones = 5,  // SGF: HA above 1 without as many setup stones
    NotGo = 6,                  // SGF: GM 2, 3 or 4
    UnplayableBoardSize = 7,    // SGF: a board size other than 9, 13 or 19
    UnknownKeyword = 8,         // .GO
    NoGame = 9,                 // SGF: no game in the file (no "(;" begins a node)
    Unreadable = 255,           // missing, not a plain file, over 64 MiB, or a read error
};

// True when the reader for `path` is the .GO reader (extension ".GO" in any case).
bool IsGoFileName(const std::string& path);

// Reads `path` with the reader its extension selects; reports a refusal to `trace`.
ReadError ReadGameFile(const std::string& path, GameRecord& game, TraceSink* trace = nullptr);

}  // namespace senvola
