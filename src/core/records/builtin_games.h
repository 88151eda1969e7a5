// The six professional games built into the program.
#pragma once

#include "app_state.h"

namespace senvola {

constexpr int kBuiltInGameCount = 6;

// Writes the next built-in game (after BuiltInIndex, wrapping 6 -> 1) into LoadBuffer and
// commits it. Cannot fail.
void LoadBuiltInGame(AppState& s);

}  // namespace senvola
