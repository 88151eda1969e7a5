// A game's stones on the board and on the screen: a new game's position, its handicap or setup
// stones, and one move-list entry at a time. The board judges each stone; these functions draw
// from its answer, in the same fixed order for every stone: old marker, move counter, comment,
// then (if the board took it) the new stone with the marker and the captured points. They read
// the game record and never write it.
#pragma once

#include <span>
#include <string_view>

#include "go/board.h"
#include "platform/trace_sink.h"
#include "records/game_record.h"
#include "replay/move_display.h"

namespace senvola {

// What the screen shows of a game: the board, and the stone that carries the red last-move
// marker (kNoPoint: none).
struct Position {
    go::Board Board;
    go::Point LastMove = go::kNoPoint;
    // Stones each side has taken off by its moves; setup stones take none.
    int BlackCaptures = 0;
    int WhiteCaptures = 0;
};

// Where a refused stone is reported: to `sink` (null: nowhere), naming the game's file.
struct RefusalReport {
    TraceSink* sink = nullptr;
    std::string_view fileName;
};

// The new-game step, in two halves so that the replay can draw the empty board in between:
// StartGamePosition gives an empty board of the record's size (0..19), no marker, and the first
// move to the record's FirstToMove, so a game begun by White without setup stones is replayed in
// the right colours. PlaceStartingStones puts down the setup stones, or when there are none the
// handicap stones a Handicap of 2..9 stands for (and then White moves first); a refused stone is
// reported and skipped, it does not abandon the game.
void StartGamePosition(Position& position, const GameRecord& game);
void PlaceStartingStones(Position& position, const GameRecord& game, MoveDisplay& display, bool drawComments,
                         const RefusalReport& report = {});

// One stone for the side to move at p: redraws the old marker without it, the counter and (with
// drawComment) the comment, then asks the board. A refused stone (off the board counts as
// Occupied) is reported and changes nothing else. A played one is drawn with the marker, and the
// captured points are drawn empty. `setup` places it without a move number.
go::MoveResult PlayMove(Position& position, MoveDisplay& display, go::Point p, bool setup, bool drawComment,
                        const RefusalReport& report = {});

// A pass for the side to move, drawn the way a stone is: the old marker goes (no stone is the
// last move any more), then the counter and (with drawComment) the pass's comment; then the
// board counts the move.
void PlayPass(Position& position, MoveDisplay& display, bool drawComment);

// The record's setup changes of one slot, in order, after that slot's move: a stone replaces
// what stands on its point (a stone of the other colour is taken off first; one of its own
// colour stays as it is), Empty takes the stone off. A setup stone takes off the chains it
// leaves without liberties, like one before the first move; one that would have none itself is
// refused, reported and skipped. Only the points that changed are drawn again. The marker stays
// on the last move unless its stone was taken off or replaced. Captures are not counted, the
// turn is kept and the ko point is forgotten.
void ApplySetupChanges(Position& position, MoveDisplay& display, std::span<const SetupChange> changes,
                       const RefusalReport& report = {});

}  // namespace senvola
