// A whole game replayed at once, the way the replay plays it tick by tick: for tools, tests and
// benchmarks that need the rules without the timer.
#pragma once

#include "go/board.h"
#include "records/game_record.h"
#include "replay/move_display.h"
#include "replay/move_replay.h"

namespace senvola {

struct ReplayOutcome {
    int Entries = 0;       // move-list entries of the game (stones and passes)
    int Played = 0;        // entries executed before an illegal one
    int IllegalMove = 0;   // list index of the illegal entry; 0 when the game reached its end
    int IllegalX = 0, IllegalY = 0;
    go::MoveResult Reason = go::MoveResult::Played;  // why the board refused that entry
};

// The starting position (first colour, setup or handicap stones), then one move or pass per list
// entry, each followed by the setup changes of its slot, until an entry of 0, slot 800, or an illegal move; comments are drawn where the game has
// any, as the default options show them. Leaves the last position in `position`.
ReplayOutcome ReplayGame(const GameRecord& game, Position& position, MoveDisplay& display,
                         const RefusalReport& report = {});

}  // namespace senvola
