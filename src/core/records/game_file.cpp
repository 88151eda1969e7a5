// The choice of reader by file name.
#include "records/game_file.h"

#include <cctype>

#include "records/go_reader.h"
#include "records/sgf_reader.h"

namespace senvola {

bool IsGoFileName(const std::string& path) {
    // The extension belongs to the last path component only: "games.go\record" has none.
    const std::size_t sep = path.find_last_of("\\/");
    const std::size_t start = sep == std::string::npos ? 0 : sep + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return false;
    if (path.size() - dot != 3) return false;
    return std::toupper(static_cast<unsigned char>(path[dot + 1])) == 'G' &&
           std::toupper(static_cast<unsigned char>(path[dot + 2])) == 'O';
}

ReadError ReadGameFile(const std::string& path, GameRecord& game, TraceSink* trace) {
    if (IsGoFileName(path)) return ReadGoFile(path, game, trace);
    return ReadSgfFile(path, game, trace);
}

}  // namespace senvola
