#include "replay/game_replay.h"

#include "replay/move_replay.h"

namespace senvola {

ReplayOutcome ReplayCurrentGame(AppState& s, MoveDisplay& display) {
    ReplayOutcome out;
    out.Entries = MoveListLength(s.CurrentGame);
    StartGame(s, display);
    const go::Board& b = s.Board;
    while (b.MoveNumber() >= 1 && b.MoveNumber() <= kMaxMoves) {
        const int n = b.MoveNumber();
        const int e = s.CurrentGame.MoveX[static_cast<std::size_t>(n)];
        if (e == 0) break;
        if (e == kPassCoord) {
            PassMove(s);
        } else {
            const int y = s.CurrentGame.MoveY[static_cast<std::size_t>(n)];
            const go::MoveResult r = PlayMove(s, display, e, y, false);
            if (r != go::MoveResult::Played) {
                out.IllegalMove = n;
                out.IllegalX = e;
                out.IllegalY = y;
                out.Reason = r;
                break;
            }
        }
        ++out.Played;
    }
    return out;
}

}  // namespace senvola
