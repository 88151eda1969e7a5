// Reading the game that a command-line PATH names: a game file, or builtin:N.
#pragma once

#include <string>

#include "records/game_file.h"
#include "records/game_record.h"

namespace senvola::inspect {

// True when `path` has the form builtin:N; `n` then holds N (any whole number, checked by the
// caller), or -1 when the part after the colon is not a plain decimal number.
bool IsBuiltInPath(const std::string& path, int& n);

// Reads the game into `game` as the program would: a file with the reader its extension
// selects, builtin:N (N = 1..6) from the built-in table. Returns the reader's answer (None for a
// built-in game).
ReadError ReadGamePath(GameRecord& game, const std::string& path);

}  // namespace senvola::inspect
