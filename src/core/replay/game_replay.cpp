// One game played from its first stone to its last entry in a single call.
#include "replay/game_replay.h"

namespace senvola {

ReplayOutcome ReplayGame(const GameRecord& game, Position& position, MoveDisplay& display,
                         const RefusalReport& report) {
    ReplayOutcome out;
    out.Entries = MoveListLength(game);
    StartGamePosition(position, game);
    PlaceStartingStones(position, game, display, game.HasComments, report);
    std::size_t setupCursor = 0;
    ApplySetupChanges(position, display, SetupChangesAt(game, 0, setupCursor), report);
    const go::Board& b = position.Board;
    while (b.MoveNumber() >= 1 && b.MoveNumber() <= kMaxMoves) {
        const int n = b.MoveNumber();
        const int e = game.MoveX[static_cast<std::size_t>(n)];
        if (e == 0) break;
        if (e == kPassCoord) {
            PlayPass(position, display, game.HasComments);
        } else {
            const int y = game.MoveY[static_cast<std::size_t>(n)];
            const go::MoveResult r = PlayMove(position, display, {e, y}, false, game.HasComments, report);
            if (r != go::MoveResult::Played) {
                out.IllegalMove = n;
                out.IllegalX = e;
                out.IllegalY = y;
                out.Reason = r;
                break;
            }
        }
        ApplySetupChanges(position, display, SetupChangesAt(game, n, setupCursor), report);
        ++out.Played;
    }
    return out;
}

}  // namespace senvola
