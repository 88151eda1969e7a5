// Reads the first line of play of an SGF file into a game record.
#pragma once

#include <istream>
#include <string>

#include "records/game_file.h"

namespace senvola {

// Answers None, BadBoardSize (SZ), BadHandicapOrSetup, BadMove, HandicapWithoutStones, NotGo,
// UnplayableBoardSize, NoGame (nothing but text without a "(;") or Unreadable (a file of more
// than 64 MiB counts as one that cannot be opened); a refusal is reported to `trace`.
// The texts are kept as the file's bytes; the record's Charset says how to read them: CA[] of
// the root node, else the rule of UndeclaredCharset. Values are read in the declared set, so a
// "]" or "\" that is half of a two-byte character does not end or escape them; only those two
// bytes escape, so parentheses and "[" in a value are kept.
// Always clears `game` first; after a failure it holds what was read so far.
// An empty B or W value is a pass, like "tt". A game longer than 800 moves loads with its
// first 800 (nothing beyond slot 800 is stored). A size given after the stones it governs is
// checked once the scan ends: BadHandicapOrSetup for a setup stone off the board, else BadMove.
// AB and AW after the first move, and AE anywhere, go to InGameSetup by the slot of the last move
// before them (a rectangle "aa:cc" point by point); a point off the board is left out there and
// refuses nothing.
ReadError ReadSgfFile(const std::string& path, GameRecord& game, TraceSink* trace = nullptr);
// The same scan over any stream (the file's bytes), without the size limit of a file;
// `path` only names it in the report.
ReadError ReadSgfStream(std::istream& in, const std::string& path, GameRecord& game,
                        TraceSink* trace = nullptr);

}  // namespace senvola
