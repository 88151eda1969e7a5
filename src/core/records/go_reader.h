// Reads a game in the line-oriented ".GO" keyword format into a game record.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "records/game_record.h"

namespace senvola {

// 0 success; 2 bad BOARDSIZE; 3 bad SETUP; 4 bad move; 8 unknown keyword; 255 file cannot be
// opened or read (a file of more than 64 MiB counts as one that cannot be opened). Always
// clears LoadBuffer first; after a failure it holds what was read so far.
// Lines end at LF, CR LF or a lone CR. A game longer than 800 moves loads with its first 800.
uint8_t ReadGoFile(const std::string& path, GameRecord& LoadBuffer, uint8_t& HasComments);
// The same over any stream, without the size limit of a file.
uint8_t ReadGoStream(std::istream& in, const std::string& path, GameRecord& LoadBuffer,
                     uint8_t& HasComments);

}  // namespace senvola
