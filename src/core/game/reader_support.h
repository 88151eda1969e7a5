// Helpers shared by the two game-file readers: opening, chunked input, the board-size rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>

#include "game/game_record.h"

namespace senvola {
namespace reader_support {

// Bytes fetched from the stream at a time: the readers stream files, never load them whole.
constexpr std::size_t kChunkSize = 64 * 1024;

constexpr bool IsBoardSize(int32_t size) { return size == 9 || size == 13 || size == 19; }

// Opens `path` for reading in binary mode, so CR and LF reach the readers unchanged.
// Returns null for anything that cannot be read as a plain file (missing, a directory, a
// device): those all count as "cannot be opened".
std::unique_ptr<std::istream> OpenGameFile(const std::string& path);

// Checks a finished scan against the board size it ended with, since a size may come after
// the stones it governs. On a playable size: 3 when a stored setup stone lies off the board,
// else 4 when a stored move does; 0 otherwise (or when the size is not playable at all, which
// the readers refuse by other rules).
uint8_t LateSizeCode(const GameRecord& game, int storedMoves);

}  // namespace reader_support
}  // namespace senvola
