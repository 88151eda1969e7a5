#include "game_input.h"

#include "records/builtin_games.h"
#include "records/game_library.h"

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

uint8_t ReadGamePath(AppState& s, const std::string& path) {
    int n = 0;
    if (IsBuiltInPath(path, n) && n >= 1 && n <= kBuiltInGameCount) {
        // LoadBuiltInGame shows the row after BuiltInIndex.
        s.BuiltInIndex = static_cast<uint8_t>(n == 1 ? kBuiltInGameCount : n - 1);
        LoadBuiltInGame(s);
        return 0;
    }
    return ReadGameFile(path, s.LoadBuffer, s.HasComments);
}

}  // namespace senvola::inspect
