// A command line's PATH read as the program reads a game: a file, or a built-in game.
#include "game_input.h"

#include "records/builtin_games.h"

namespace senvola::inspect {

bool IsBuiltInPath(const std::string& path, int& n) {
    static const std::string prefix = "builtin:";
    if (path.compare(0, prefix.size(), prefix) != 0) return false;
    const std::string digits = path.substr(prefix.size());
    n = -1;
    if (digits.empty() || digits.size() > 4) return true;
    int v = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return true;
        v = v * 10 + (c - '0');
    }
    n = v;
    return true;
}

ReadError ReadGamePath(GameRecord& game, const std::string& path) {
    int n = 0;
    if (IsBuiltInPath(path, n) && n >= 1 && n <= kBuiltInGameCount) {
        LoadBuiltInGame(n, game);
        return ReadError::None;
    }
    return ReadGameFile(path, game);
}

}  // namespace senvola::inspect
