// Stones of the record through the board's judgement onto the screen.
#include "replay/move_replay.h"

#include <algorithm>
#include <string>

namespace senvola {

namespace {

using go::MoveResult;
using go::Stone;

// The board size the rules use: the record says 9, 13 or 19, but a wrong value must never name
// a board the position cannot hold.
int SizeOf(const GameRecord& g) { return std::clamp(g.BoardSize, 0, go::Board::kMaxSize); }

// Handicap points in placing order, as digits of a 3 x 3 pattern.
const char* const kHandicapPattern[10] = {"",       "",        "37",       "379",      "3791",
                                          "37915", "379164", "3791645", "37916482", "379164825"};

go::Point HandicapPoint(char digit, int size) {
    int lo = 3, mid = 5, hi = 7;
    if (size == 19) {
        lo = 4; mid = 10; hi = 16;
    } else if (size == 13) {
        lo = 3; mid = 7; hi = 11;
    }
    switch (digit) {
        case '1': return {lo, lo};
        case '2': return {mid, lo};
        case '3': return {hi, lo};
        case '4': return {lo, mid};
        case '5': return {mid, mid};
        case '6': return {hi, mid};
        case '7': return {lo, hi};
        case '8': return {mid, hi};
        default:  return {hi, hi};
    }
}

// A stone of the given colour through the whole move procedure, without a move number.
void PlaceStone(Position& pos, MoveDisplay& display, go::Point p, Stone colour, bool drawComments,
                const RefusalReport& report) {
    pos.Board.SetToMove(colour);
    PlayMove(pos, display, p, true, drawComments, report);
}

}  // namespace

// ---- New game -------------------------------------------------------------------------------

void StartGamePosition(Position& pos, const GameRecord& game) {
    pos.Board = go::Board(SizeOf(game));
    pos.LastMove = go::kNoPoint;
    pos.BlackCaptures = 0;
    pos.WhiteCaptures = 0;
    pos.Board.SetToMove(game.FirstToMove);
}

void PlaceStartingStones(Position& pos, const GameRecord& g, MoveDisplay& display, bool drawComments,
                         const RefusalReport& report) {
    Stone first = g.FirstToMove;
    if (!g.Setup.empty()) {
        for (const SetupStone& s : g.Setup) PlaceStone(pos, display, {s.x, s.y}, s.colour, drawComments, report);
    } else if (g.Handicap > 1) {
        first = Stone::White;
        if (g.Handicap <= 9) {
            const int size = SizeOf(g);
            for (const char* d = kHandicapPattern[g.Handicap]; *d != '\0'; ++d) {
                PlaceStone(pos, display, HandicapPoint(*d, size), Stone::Black, drawComments, report);
            }
        }
    } else {
        return;
    }
    pos.Board.SetToMove(first);
}

// ---- Moves ----------------------------------------------------------------------------------

namespace {

// The point of the last move drawn again without the marker.
void ClearMarker(const Position& pos, MoveDisplay& display) {
    if (pos.LastMove == go::kNoPoint) return;
    const go::Point m = pos.LastMove;
    const Stone v = pos.Board.At(m);
    if (v == Stone::Black) display.DrawStone(m.x, m.y, true, false);
    else if (v == Stone::White) display.DrawStone(m.x, m.y, false, false);
    else display.DrawEmptyPoint(m.x, m.y);
}

}  // namespace

MoveResult PlayMove(Position& pos, MoveDisplay& display, go::Point p, bool setup, bool drawComment,
                    const RefusalReport& report) {
    go::Board& b = pos.Board;
    ClearMarker(pos, display);
    display.DrawMoveCounter();
    if (drawComment) display.DrawComment();

    const Stone colour = b.ToMove();
    const int number = b.MoveNumber();
    const MoveResult r = setup ? b.PlaceSetupStone(p, colour) : b.Play(p, colour);
    if (r != MoveResult::Played) {
        if (report.sink != nullptr) {
            report.sink->Trace("Illegal move: x=" + std::to_string(p.x) + " y=" + std::to_string(p.y) +
                               " move=" + std::to_string(number) + " file=" + std::string(report.fileName));
        }
        return r;
    }
    display.DrawStone(p.x, p.y, colour == Stone::Black, true);
    pos.LastMove = p;
    if (!setup) {
        const int taken = static_cast<int>(b.Captured().size());
        (colour == Stone::Black ? pos.BlackCaptures : pos.WhiteCaptures) += taken;
    }
    for (const go::Point c : b.Captured()) display.DrawEmptyPoint(c.x, c.y);
    return MoveResult::Played;
}

void PlayPass(Position& pos, MoveDisplay& display, bool drawComment) {
    ClearMarker(pos, display);
    pos.LastMove = go::kNoPoint;
    display.DrawMoveCounter();
    if (drawComment) display.DrawComment();
    pos.Board.Pass();
}

void ApplySetupChanges(Position& pos, MoveDisplay& display, std::span<const SetupChange> changes,
                       const RefusalReport& report) {
    if (changes.empty()) return;
    go::Board& b = pos.Board;
    const Stone toMove = b.ToMove();
    for (const SetupChange& c : changes) {
        const go::Point p{c.x, c.y};
        const Stone was = b.At(p);
        if (was == c.Colour || !b.OnBoard(p)) continue;
        if (was != Stone::Empty) b.RemoveStone(p);
        if (p == pos.LastMove) pos.LastMove = go::kNoPoint;
        if (c.Colour == Stone::Empty) {
            display.DrawEmptyPoint(p.x, p.y);
            continue;
        }
        if (b.PlaceSetupStone(p, c.Colour) != MoveResult::Played) {
            if (report.sink != nullptr) {
                report.sink->Trace("Illegal setup stone: x=" + std::to_string(p.x) + " y=" + std::to_string(p.y) +
                                   " after move=" + std::to_string(b.MoveNumber() - 1) +
                                   " file=" + std::string(report.fileName));
            }
            if (was != Stone::Empty) display.DrawEmptyPoint(p.x, p.y);
            continue;
        }
        display.DrawStone(p.x, p.y, c.Colour == Stone::Black, false);
        for (const go::Point t : b.Captured()) {
            if (t == pos.LastMove) pos.LastMove = go::kNoPoint;
            display.DrawEmptyPoint(t.x, t.y);
        }
    }
    b.SetToMove(toMove);
    b.ClearKo();
}

}  // namespace senvola
