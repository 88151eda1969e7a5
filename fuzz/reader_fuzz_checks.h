// What every accepted game must satisfy, whatever bytes it came from.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "game/game_record.h"

namespace senvola::fuzz {

inline bool OnBoard(int v, int size) { return v >= 1 && v <= size; }

// Aborts (so the fuzzer keeps the input) when an accepted record could not be replayed.
inline void CheckAcceptedGame(const GameRecord& g, uint8_t code) {
    if (code != 0) return;
    const int size = g.BoardSize;
    if (size != 9 && size != 13 && size != 19) std::abort();
    if (g.FirstColour != 1 && g.FirstColour != 2) std::abort();
    if (g.Setup.size() % 3 != 0) std::abort();
    for (std::size_t i = 0; i < g.Setup.size(); i += 3) {
        if (g.Setup[i] != 'Z' && g.Setup[i] != 'W') std::abort();
        if (!OnBoard(g.Setup[i + 1] - 64, size) || !OnBoard(g.Setup[i + 2] - 64, size)) std::abort();
    }
    const int moves = MoveListLength(g);
    for (int n = 1; n <= moves; ++n) {
        const int x = g.MoveX[n];
        const int y = g.MoveY[n];
        if (x == kPassCoord && y == kPassCoord) continue;
        if (!OnBoard(x, size) || !OnBoard(y, size)) std::abort();
    }
    for (int n = moves + 1; n <= kMaxMoves; ++n) {
        if (g.MoveX[n] != 0 || g.MoveY[n] != 0) std::abort();  // nothing after the end
    }
}

}  // namespace senvola::fuzz
