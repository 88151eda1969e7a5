// What every accepted game must satisfy, whatever bytes it came from.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/game_record.h"

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

inline bool SameRecord(const GameRecord& a, const GameRecord& b) {
    return a.WhiteName == b.WhiteName && a.WhiteRank == b.WhiteRank &&
           a.BlackName == b.BlackName && a.BlackRank == b.BlackRank &&
           a.Copyright == b.Copyright && a.Date == b.Date && a.Event == b.Event &&
           a.GameName == b.GameName && a.Komi == b.Komi && a.Place == b.Place &&
           a.Result == b.Result && a.TimeLimit == b.TimeLimit && a.User == b.User &&
           a.Round == b.Round && a.Handicap == b.Handicap && a.BoardSize == b.BoardSize &&
           a.Setup == b.Setup && a.MoveX == b.MoveX && a.MoveY == b.MoveY &&
           a.Comments == b.Comments && a.FirstColour == b.FirstColour;
}

// The readers fetch the file in 64 KiB chunks. Reading the input again behind a prefix that
// the reader ignores puts a chunk boundary at a chosen byte of it: the record must not change.
// `filler` is one byte the reader skips; `lineEnd`, when not 0, closes the filler as a line.
// Done for one input in four: it costs a chunk of reading each time.
template <typename Read>
void CheckChunkBoundary(const uint8_t* data, std::size_t size, char filler, char lineEnd,
                        Read read, const GameRecord& first, uint8_t firstCode,
                        uint8_t firstComments) {
    if (size == 0 || size > 65535 || (data[size - 1] & 3) != 0) return;
    static auto* again = new GameRecord;
    const std::size_t at = data[0] % (size + 1);  // boundary just before input byte `at`
    std::string text(65536 - at, filler);
    if (lineEnd != 0) text.back() = lineEnd;
    text.append(reinterpret_cast<const char*>(data), size);
    uint8_t comments = 0;
    const uint8_t code = read(text, *again, comments);
    if (code != firstCode || comments != firstComments || !SameRecord(first, *again)) {
        std::abort();
    }
}

}  // namespace senvola::fuzz
