// Reads a game in the line-oriented ".GO" keyword format into a game record.
#pragma once

#include <istream>
#include <string>

#include "records/game_file.h"

namespace senvola {

// Answers None, BadBoardSize, BadHandicapOrSetup (SETUP), BadMove, UnknownKeyword or Unreadable
// (a file of more than 64 MiB counts as one that cannot be opened); a refusal and every unknown
// keyword are reported to `trace`. Always clears `game` first; after a failure it holds what was
// read so far. Lines end at LF, CR LF or a lone CR. A game longer than 800 moves loads with its
// first 800.
ReadError ReadGoFile(const std::string& path, GameRecord& game, TraceSink* trace = nullptr);
// The same over any stream, without the size limit of a file.
ReadError ReadGoStream(std::istream& in, const std::string& path, GameRecord& game,
                       TraceSink* trace = nullptr);

}  // namespace senvola
