// What every accepted game must satisfy, whatever bytes it came from.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/game_file.h"
#include "records/game_record.h"

namespace senvola::fuzz {

inline bool OnBoard(int v, int size) { return v >= 1 && v <= size; }

inline bool IsPlayer(go::Stone s) { return s == go::Stone::Black || s == go::Stone::White; }

// Aborts (so the fuzzer keeps the input) when an accepted record could not be replayed.
inline void CheckAcceptedGame(const GameRecord& g, ReadError error) {
    if (error != ReadError::None) return;
    const int size = g.BoardSize;
    if (size != 9 && size != 13 && size != 19) std::abort();
    if (!IsPlayer(g.FirstToMove)) std::abort();
    for (const SetupStone& s : g.Setup) {
        if (!IsPlayer(s.colour)) std::abort();
        if (!OnBoard(s.x, size) || !OnBoard(s.y, size)) std::abort();
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
           a.Comments == b.Comments && a.FirstToMove == b.FirstToMove && a.HasComments == b.HasComments;
}

// The readers fetch the file in 64 KiB chunks. Reading the input again behind a prefix that
// the reader ignores puts a chunk boundary at a chosen byte of it: the record must not change.
// `filler` is one byte the reader skips; `lineEnd`, when not 0, closes the filler as a line.
// Done for one input in four: it costs a chunk of reading each time.
template <typename Read>
void CheckChunkBoundary(const uint8_t* data, std::size_t size, char filler, char lineEnd,
                        Read read, const GameRecord& first, ReadError firstError) {
    if (size == 0 || size > 65535 || (data[size - 1] & 3) != 0) return;
    static auto* again = new GameRecord;
    const std::size_t at = data[0] % (size + 1);  // boundary just before input byte `at`
    std::string text(65536 - at, filler);
    if (lineEnd != 0) text.back() = lineEnd;
    text.append(reinterpret_cast<const char*>(data), size);
    const ReadError error = read(text, *again);
    if (error != firstError || !SameRecord(first, *again)) {
        std::abort();
    }
}

}  // namespace senvola::fuzz
