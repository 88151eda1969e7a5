// Reading the game that a command-line PATH names: a game file, or builtin:N.
#pragma once

#include <cstdint>
#include <string>

#include "app_state.h"

namespace senvola::inspect {

// True when `path` has the form builtin:N; `n` then holds N (any whole number, checked by the
// caller), or -1 when the part after the colon is not a plain decimal number.
bool IsBuiltInPath(const std::string& path, int& n);

// Reads the game into s.LoadBuffer as the program would: a file with the reader its extension
// selects, builtin:N (N = 1..6) through LoadBuiltInGame. Returns the reader's code (0 for a
// built-in game). A built-in game is also committed to CurrentGame, as LoadBuiltInGame does.
uint8_t ReadGamePath(AppState& s, const std::string& path);

}  // namespace senvola::inspect
