// Opening game files, reading them in bounded chunks, and the board-size check after a scan.
#include "records/reader_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace senvola {
namespace reader_support {

std::unique_ptr<std::istream> OpenGameFile(const std::string& path) {
    // A directory opens fine on POSIX and only fails on the first read, where it would look
    // like an empty file; refuse anything that exists and is not a regular file up front.
    // (A FIFO or a device such as /dev/zero would otherwise never end.)
    // Names are UTF-8; a path built from them opens by the wide name on Windows, so a name
    // outside the ANSI code page opens too.
    std::filesystem::path name;
    try {
        name = std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
    } catch (...) {
        return nullptr;  // not UTF-8 at all: no file has that name
    }
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(name, ec);
    if (!ec && std::filesystem::exists(st) && !std::filesystem::is_regular_file(st)) {
        return nullptr;
    }
    auto file = std::make_unique<std::ifstream>(name, std::ios::in | std::ios::binary);
    if (!file->is_open()) return nullptr;
    // The size of the file that is open, not of whatever the name means a moment later. A
    // file that cannot seek has no size to know; ChunkedInput bounds it as it is read.
    file->seekg(0, std::ios::end);
    const std::streamoff size = file->fail() ? -1 : static_cast<std::streamoff>(file->tellg());
    file->clear();
    file->seekg(0, std::ios::beg);
    file->clear();
    if (size > 0 && static_cast<std::uint64_t>(size) > kMaxGameFileBytes) return nullptr;
    return file;
}

ChunkedInput::ChunkedInput(std::istream& in, std::uint64_t limit)
    : in_(in), buffer_(std::make_unique_for_overwrite<char[]>(kChunkSize)), limit_(limit) {}

std::string_view ChunkedInput::Next() {
    if (done_) return {};
    // One byte past the limit is enough to tell a file that is too long.
    const std::uint64_t left = limit_ == kNoByteLimit ? kChunkSize : limit_ - total_ + 1;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunkSize, left));
    in_.read(buffer_.get(), static_cast<std::streamsize>(want));
    const auto got = static_cast<std::size_t>(in_.gcount());
    total_ += got;
    if (limit_ != kNoByteLimit && total_ > limit_) {
        done_ = true;
        failed_ = true;
        return {};
    }
    if (got < want) {
        done_ = true;
        failed_ = in_.bad();
    }
    return {buffer_.get(), got};
}

ReadError LateSizeError(const GameRecord& game, int storedMoves) {
    const int32_t size = game.BoardSize;
    if (!IsBoardSize(size)) return ReadError::None;
    auto on = [size](int v) { return v >= 1 && v <= size; };
    for (const SetupStone& stone : game.Setup) {
        if (!on(stone.x) || !on(stone.y)) return ReadError::BadHandicapOrSetup;
    }
    const int moves = std::min(storedMoves, kMaxMoves);
    for (int n = 1; n <= moves; ++n) {
        const uint8_t x = game.MoveX[n];
        const uint8_t y = game.MoveY[n];
        if (x == kPassCoord && y == kPassCoord) continue;
        if (!on(x) || !on(y)) return ReadError::BadMove;
    }
    return ReadError::None;
}

}  // namespace reader_support
}  // namespace senvola
