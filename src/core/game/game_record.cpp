#include "game/game_record.h"

#include <utility>

namespace senvola {

namespace {
TraceHook& Hook() {
    static TraceHook hook;
    return hook;
}
}  // namespace

void ClearGame(GameRecord& r) {
    for (std::string* s : {&r.WhiteName, &r.WhiteRank, &r.BlackName, &r.BlackRank, &r.Copyright,
                           &r.Date, &r.Event, &r.GameName, &r.Komi, &r.Place, &r.Result,
                           &r.TimeLimit, &r.User, &r.Round, &r.Setup}) {
        s->clear();
    }
    r.Handicap = 1;
    r.BoardSize = 0;
    r.MoveX.fill(0);
    r.MoveY.fill(0);
    for (std::string& c : r.Comments) c.clear();
    r.FirstColour = 1;
}

void CommitGame(const GameRecord& LoadBuffer, GameRecord& CurrentGame) {
    if (&LoadBuffer != &CurrentGame) CurrentGame = LoadBuffer;
}

int MoveListLength(const GameRecord& game) {
    int n = 0;
    while (n < kMaxMoves && game.MoveX[n + 1] != 0) ++n;
    return n;
}

void TraceMessage(std::string_view text) {
    if (Hook()) Hook()(text);
}

void SetTraceHook(TraceHook hook) { Hook() = std::move(hook); }

}  // namespace senvola
