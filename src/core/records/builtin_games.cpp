// The built-in games' table, generated from their records, and its reading into a game record.
#include "records/builtin_games.h"

#include <cstring>

namespace senvola {

namespace {

struct BuiltInGame {
    const char* BlackName;
    const char* BlackRank;
    const char* WhiteName;
    const char* WhiteRank;
    const char* Event;
    const char* Komi;
    const char* Date;
    const char* Result;
    const char* Place;
    const char* Moves;  // two small letters per move, column then row, "a" = 1; "t..." a pass
};

constexpr BuiltInGame BuiltInGames[kBuiltInGameCount] = {
#include "records/builtin_games_data.inc"
};

}  // namespace

void LoadBuiltInGame(int number, GameRecord& g) {
    ClearGame(g);
    g.BoardSize = 19;
    g.Handicap = 1;
    const BuiltInGame& row = BuiltInGames[number - 1];

    g.BlackName = row.BlackName;
    g.BlackRank = row.BlackRank;
    g.WhiteName = row.WhiteName;
    g.WhiteRank = row.WhiteRank;
    g.Event = row.Event;
    g.Komi = row.Komi;
    g.Date = row.Date;
    g.Result = row.Result;
    g.Place = row.Place;

    const std::size_t count = std::strlen(row.Moves) / 2;
    for (std::size_t k = 1; k <= count && k <= static_cast<std::size_t>(kMaxMoves); ++k) {
        const char cx = row.Moves[2 * k - 2];
        const char cy = row.Moves[2 * k - 1];
        if (cx == 't') {
            g.MoveX[k] = kPassCoord;
            g.MoveY[k] = kPassCoord;
        } else {
            g.MoveX[k] = static_cast<uint8_t>(cx - 96);
            g.MoveY[k] = static_cast<uint8_t>(cy - 96);
        }
    }
}

}  // namespace senvola
