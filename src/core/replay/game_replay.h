// A whole game replayed at once, the way the replay driver plays it tick by tick: for tools,
// tests and benchmarks that need the rules without the timer.
#pragma once

#include "app_state.h"
#include "go/board.h"
#include "replay/move_display.h"

namespace senvola {

struct ReplayOutcome {
    int Entries = 0;       // move-list entries of CurrentGame (stones and passes)
    int Played = 0;        // entries executed before an illegal one
    int IllegalMove = 0;   // list index of the illegal entry; 0 when the game reached its end
    int IllegalX = 0, IllegalY = 0;
    go::MoveResult Reason = go::MoveResult::Played;  // why the board refused that entry
};

// StartGame (reset, first colour, setup stones), then one PlayMove or PassMove per list entry
// until an entry of 0, slot 800, or an illegal move.
ReplayOutcome ReplayCurrentGame(AppState& s, MoveDisplay& display);

}  // namespace senvola
