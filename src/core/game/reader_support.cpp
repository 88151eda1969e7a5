#include "game/reader_support.h"

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
    try {
        std::error_code ec;
        const std::filesystem::file_status st =
            std::filesystem::status(std::filesystem::path(path), ec);
        if (!ec && std::filesystem::exists(st) && !std::filesystem::is_regular_file(st)) {
            return nullptr;
        }
    } catch (...) {
        // A name the path type cannot represent: let the open below decide.
    }
    auto file = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
    if (!file->is_open()) return nullptr;
    return file;
}

uint8_t LateSizeCode(const GameRecord& game, int storedMoves) {
    const int32_t size = game.BoardSize;
    if (!IsBoardSize(size)) return 0;
    auto on = [size](int v) { return v >= 1 && v <= size; };
    const std::string& setup = game.Setup;
    for (std::size_t i = 0; i + 2 < setup.size(); i += 3) {
        const int x = static_cast<unsigned char>(setup[i + 1]) - 64;
        const int y = static_cast<unsigned char>(setup[i + 2]) - 64;
        if (!on(x) || !on(y)) return 3;
    }
    const int moves = std::min(storedMoves, kMaxMoves);
    for (int n = 1; n <= moves; ++n) {
        const uint8_t x = game.MoveX[n];
        const uint8_t y = game.MoveY[n];
        if (x == kPassCoord && y == kPassCoord) continue;
        if (!on(x) || !on(y)) return 4;
    }
    return 0;
}

}  // namespace reader_support
}  // namespace senvola
