// The kinds of place the games come from, as the options name them.
#pragma once

#include <cstdint>

namespace senvola {

// Stored in the settings as 0, 1 and 2.
enum class GameSourceKind : int32_t {
    BuiltIn = 0,  // the six built-in games, in turn
    OneFile = 1,  // one game file, again and again
    Folder = 2,   // files drawn at random from a folder
};

// The kind a stored number names; none for a number the options never store.
constexpr bool IsGameSourceKind(int32_t stored) { return stored >= 0 && stored <= 2; }

}  // namespace senvola
