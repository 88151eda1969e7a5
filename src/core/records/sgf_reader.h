// Reads the first line of play of an SGF file into a game record.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "records/game_record.h"

namespace senvola {

// 0 success; 2 bad SZ; 3 bad HA or setup stone; 4 bad move; 5 handicap without its stones;
// 6 not a game of Go; 7 board size not 9, 13 or 19; 255 file cannot be opened or read (a
// file of more than 64 MiB counts as one that cannot be opened).
// Always clears LoadBuffer first; after a failure it holds what was read so far.
// An empty B or W value is a pass, like "tt". A game longer than 800 moves loads with its
// first 800 (nothing beyond slot 800 is stored). A size given after the stones it governs is
// checked once the scan ends: 3 for a setup stone off the board, else 4 for a move.
uint8_t ReadSgfFile(const std::string& path, GameRecord& LoadBuffer, uint8_t& HasComments);
// The same scan over any stream (the file's bytes), without the size limit of a file;
// `path` only names it in diagnostics.
uint8_t ReadSgfStream(std::istream& in, const std::string& path, GameRecord& LoadBuffer,
                      uint8_t& HasComments);

}  // namespace senvola
