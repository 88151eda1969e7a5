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
// Redraws the old marker, the counter and the comment, then plays (x, y) if legal; an illegal
// move sets NeedNewGame and changes nothing on the board. Returns the IllegalReason.
uint8_t PlayMove(AppState& s, MoveDisplay& display, int x, int y, bool setup);
// A pass: clears the ko point, hands the move over; draws nothing.
void PassMove(AppState& s);
// 0 legal, 1 occupied, 2 suicide, 3 ko.
uint8_t IsIllegalMove(const BoardPosition& b, int x, int y);
// Board update and captures without drawing. Returns false (and changes nothing) when no
// chain number is free.
bool PlayStone(AppState& s, int x, int y, bool setup);
void RecountLiberties(BoardPosition& b, int boardSize);
// Erases captured stones on screen.
void RedrawRemovedPoints(AppState& s, MoveDisplay& display);

}  // namespace senvola
