// The rules of Go on the one BoardPosition: chains, liberties, captures, suicide, ko, handicap.
#pragma once

#include <cstdint>

#include "app_state.h"
#include "replay/move_display.h"

namespace senvola {

enum IllegalReason : uint8_t { ilLegal = 0, ilOccupied = 1, ilSuicide = 2, ilKo = 3, ilNoChainNumber = 4 };

// Empty board of CurrentGame.BoardSize with its frame, black to move, move 1, no ko, no marker.
void ResetPosition(AppState& s);
// Handicap or setup stones of CurrentGame on board and screen; leaves the side to move by FirstColour.
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

// Redraws the old marker, the counter and the comment, then plays (x, y) if legal; an illegal
// move sets NeedNewGame and changes nothing on the board. Returns the IllegalReason: a move
// off the board (x or y outside 1..BoardSize, other than the x = -1 redraw-only call) counts
// as ilOccupied, since every point off the board is frame; a move that would need a 251st
// chain number returns ilNoChainNumber. x = -1 only redraws and returns ilLegal.
uint8_t PlayMove(AppState& s, MoveDisplay& display, int x, int y, bool setup);
// A pass: clears the ko point, hands the move over; draws nothing.
void PassMove(AppState& s);
// 0 legal, 1 occupied, 2 suicide, 3 ko. (x, y) must lie in 1..19.
uint8_t IsIllegalMove(const BoardPosition& b, int x, int y);
// Board update and captures without drawing. Returns false (and changes nothing) when no
// chain number is free.
bool PlayStone(AppState& s, int x, int y, bool setup);
// Bookkeeping steps of PlayStone, exposed for tests.
void AddStoneToChains(BoardPosition& b, int boardSize, int x, int y, int chain);
void RemoveDeadChains(BoardPosition& b, int boardSize, int x, int y);
void RecountLiberties(BoardPosition& b, int boardSize);
// Lowest free chain number, or 0 when all 250 are in use.
int FreeChainNumber(const BoardPosition& b);
// Erases captured stones on screen.
void RedrawRemovedPoints(AppState& s, MoveDisplay& display);

}  // namespace senvola
