// Helpers shared by the two game-file readers: opening, chunked input, the board-size rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "records/game_file.h"
#include "records/game_record.h"

namespace senvola {
namespace reader_support {

// Bytes fetched from the stream at a time: the readers stream files, never load them whole.
constexpr std::size_t kChunkSize = 64 * 1024;

// The most a game file may hold. A record of 800 moves with long comments is a few hundred
// kilobytes; reading and showing a file far beyond that would hold the screen and the memory
// for nothing.
constexpr std::uint64_t kMaxGameFileBytes = 64ull * 1024 * 1024;
// For streams handed in whole by a caller: read to their end.
constexpr std::uint64_t kNoByteLimit = std::numeric_limits<std::uint64_t>::max();

constexpr bool IsBoardSize(int32_t size) { return size == 9 || size == 13 || size == 19; }

// Opens `path` (UTF-8) for reading in binary mode, so CR and LF reach the readers unchanged.
// Returns null for anything that cannot be read as a plain file (missing, a directory, a
// device) and for a file larger than kMaxGameFileBytes, whose size is taken from the open
// file before anything is read: those all count as "cannot be opened".
std::unique_ptr<std::istream> OpenGameFile(const std::string& path);

// A stream read chunk by chunk, never more than `limit` + 1 bytes in all: a file that turns
// out longer than the limit while it is read (one whose size could not be known up front,
// such as a pipe) is refused rather than read without end.
class ChunkedInput {
public:
    ChunkedInput(std::istream& in, std::uint64_t limit);
    // The next bytes, valid until the next call; empty at the end of the data, after a read
    // error and past the limit.
    std::string_view Next();
    // A read error, or more than `limit` bytes.
    bool Failed() const { return failed_; }

private:
    std::istream& in_;
    std::unique_ptr<char[]> buffer_;
    std::uint64_t limit_;
    std::uint64_t total_ = 0;
    bool done_ = false;
    bool failed_ = false;
};

// Checks a finished scan against the board size it ended with, since a size may come after
// the stones it governs. On a playable size: BadHandicapOrSetup when a stored setup stone lies
// off the board, else BadMove when a stored move does; None otherwise (or when the size is not
// playable at all, which the readers refuse by other rules).
ReadError LateSizeError(const GameRecord& game, int storedMoves);

}  // namespace reader_support
}  // namespace senvola
