#include "board/game_replay.h"

#include "board/board_rules.h"

namespace senvola {

ReplayOutcome ReplayCurrentGame(AppState& s, MoveDisplay& display) {
    ReplayOutcome out;
    out.Entries = MoveListLength(s.CurrentGame);
    StartGame(s, display);
    BoardPosition& b = s.Board;
    while (b.MoveNumber >= 1 && b.MoveNumber <= kMaxMoves) {
        const int e = s.CurrentGame.MoveX[b.MoveNumber];
        if (e == 0) break;
        if (e == kPassCoord) {
            PassMove(s);
        } else {
            const int y = s.CurrentGame.MoveY[b.MoveNumber];
            const uint8_t r = PlayMove(s, display, e, y, false);
            if (r != ilLegal) {
                out.IllegalMove = b.MoveNumber;
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
