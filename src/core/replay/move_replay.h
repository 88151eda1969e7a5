// The record's stones on the board and on the screen: a new game's position, its handicap or
// setup stones, and one move-list entry at a time. The board judges each stone; these functions
// draw from its answer, in the same fixed order for every stone: old marker, move counter,
// comment, then (if the board took it) the new stone with the marker and the captured points.
#pragma once

#include "app_state.h"
#include "go/board.h"
#include "replay/move_display.h"

namespace senvola {

// Re-seeds the generator from the clock; an empty board of CurrentGame.BoardSize, black to
// move, move 1, no ko, no marker.
void ResetPosition(AppState& s);
// Handicap or setup stones of CurrentGame on board and screen; then the side to move by
// FirstColour. A handicap without setup text first becomes setup text (and White moves first).
void PlaceSetupStones(AppState& s, MoveDisplay& display, int handicap);

// The new-game step, in two halves so that the replay can draw the empty board in between:
// StartGamePosition resets the position and gives the first move to CurrentGame.FirstColour
// (1 -> black, 2 -> white), so a game begun by White without setup stones is replayed in the
// right colours. PlaceStartingStones puts down handicap or setup stones when the record has
// any (Handicap > 1 or Setup not empty) and then clears NeedNewGame: an illegal setup stone is
// skipped, it does not abandon the game.
void StartGamePosition(AppState& s);
void PlaceStartingStones(AppState& s, MoveDisplay& display);
// Both halves in order, for replays without a screen (tools, tests, benchmarks).
void StartGame(AppState& s, MoveDisplay& display);

// One stone for the side to move at (x, y): redraws the old marker without it, the counter and
// the comment, then asks the board. A refused stone (off the board counts as Occupied) goes to
// TraceMessage and sets NeedNewGame; nothing else changes. A played one is drawn with the marker,
// the captured points are drawn empty, and (unless setup) x and y go into the record's slot of
// the move. x = -1 only redraws and answers Played.
go::MoveResult PlayMove(AppState& s, MoveDisplay& display, int x, int y, bool setup);
// A pass entry: the board passes and the record's slot says so; draws nothing.
void PassMove(AppState& s);

}  // namespace senvola
