// One move-list entry on board and screen: the new position, what is drawn in which order, and
// what a refused stone leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/platform/trace_log.h"
#include "core/replay/move_test_support.h"
#include "replay/move_replay.h"

namespace senvola {
namespace {

using go::MoveResult;
using go::Stone;
using testing::Diagram;
using testing::NewBoard;
using testing::Put;
using testing::PutDiagram;
using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

TEST(StartGamePosition, FramesTheBoardAndClearsTheWholeInterior) {
    Position s;
    NewBoard(s, 19);
    ASSERT_EQ(Put(s, 15, 15, true), MoveResult::Played);
    ASSERT_EQ(Put(s, 3, 3, false), MoveResult::Played);
    // A ko and a marker to be forgotten: White (2,1) takes the black corner stone.
    ASSERT_EQ(Put(s, 1, 1, true), MoveResult::Played);
    ASSERT_EQ(Put(s, 1, 2, false), MoveResult::Played);
    ASSERT_EQ(Put(s, 2, 1, false), MoveResult::Played);
    ASSERT_EQ(s.Board.Ko(), (go::Point{2, 1}));
    GameRecord game;
    ClearGame(game);
    game.BoardSize = 9;
    StartGamePosition(s, game);
    const go::Board& b = s.Board;
    EXPECT_EQ(b.ToMove(), Stone::Black);
    EXPECT_EQ(b.MoveNumber(), 1);
    EXPECT_EQ(b.Ko(), go::kNoPoint);
    EXPECT_EQ(b.LastKo(), go::kNoPoint);
    EXPECT_EQ(s.LastMove, go::kNoPoint);
    EXPECT_EQ(b.Size(), 9);
    for (int i = 0; i <= 10; ++i) {
        for (go::Point p : {go::Point{i, 0}, go::Point{i, 10}, go::Point{0, i}, go::Point{10, i}})
            EXPECT_EQ(b.Check(p, Stone::Black), MoveResult::Occupied) << p.x << "," << p.y;
    }
    // Outside the 9 x 9 board, where the old stone stood: no stone, no chain, no move.
    EXPECT_EQ(b.At({15, 15}), Stone::Empty);
    EXPECT_EQ(b.Liberties({15, 15}), 0);
    EXPECT_EQ(b.Check({15, 15}, Stone::Black), MoveResult::Occupied);
    EXPECT_EQ(b.At({3, 3}), Stone::Empty);
    EXPECT_EQ(b.Liberties({3, 3}), 0);
    EXPECT_EQ(b.ChainCount(), 0);
}

// The ko shape at the centre of a 9 x 9 board:
//   . X O .        x = 3..6, y = 3..5
//   X O . O
//   . X O .
std::vector<std::string> KoShape() {
    return {".........", ".........", "...XO....", "..XO.O...", "...XO....", ".........",
            ".........", ".........", "........."};
}

TEST(PlayMove, CapturingOneStoneMakesAKoThatTheReplyCannotRetake) {
    Position s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, KoShape()));
    for (int k = 0; k < 6; ++k) s.Board.Pass();  // on to move 7
    s.Board.SetToMove(Stone::Black);
    NullMoveDisplay none;
    ASSERT_EQ(PlayMove(s, none, {5, 4}, false, false), MoveResult::Played);
    EXPECT_EQ(s.Board.At({5, 4}), Stone::Black);
    EXPECT_EQ(s.Board.At({4, 4}), Stone::Empty);
    EXPECT_EQ(s.Board.Ko(), (go::Point{5, 4}));
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    EXPECT_EQ(s.Board.MoveNumber(), 8);

    testing::TraceLog log;
    const RefusalReport report{&log, "C:\\games\\ko.sgf"};
    const auto before = Diagram(s);
    EXPECT_EQ(PlayMove(s, none, {4, 4}, false, false, report), MoveResult::Ko);
    EXPECT_EQ(Diagram(s), before);
    EXPECT_EQ(s.Board.MoveNumber(), 8);
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    EXPECT_EQ(s.LastMove, (go::Point{5, 4}));
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "Illegal move: x=4 y=4 move=8 file=C:\\games\\ko.sgf");

    // A pass clears the ko and hands the move over; after Black's pass White may retake.
    s.Board.Pass();
    EXPECT_EQ(s.Board.Ko(), go::kNoPoint);
    EXPECT_EQ(s.Board.LastKo().y, 4) << "the row of the ko that has gone is still known";
    EXPECT_EQ(s.Board.ToMove(), Stone::Black);
    EXPECT_EQ(s.Board.MoveNumber(), 9);
    s.Board.Pass();
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    EXPECT_EQ(PlayMove(s, none, {4, 4}, false, false), MoveResult::Played);
    EXPECT_EQ(s.Board.At({5, 4}), Stone::Empty);
    EXPECT_EQ(s.Board.Ko(), (go::Point{4, 4}));  // the retake is itself a ko capture
}

TEST(PlayMove, CapturingTwoStonesErasesBothAfterTheStone) {
    Position t;
    NewBoard(t, 9);
    ASSERT_TRUE(PutDiagram(t, {"OO.", "XX."}));
    t.Board.SetToMove(Stone::Black);
    RecordingDisplay d;
    ASSERT_EQ(PlayMove(t, d, {3, 1}, false, false), MoveResult::Played);
    EXPECT_EQ(Diagram(t)[0], "..X......");
    EXPECT_EQ(t.Board.Ko(), go::kNoPoint);
    EXPECT_EQ(d.calls, (Calls{"stone 2,2 B", "counter", "stone 3,1 B marker", "empty 1,1", "empty 2,1"}));
}

TEST(PlayMove, DrawsInTheFixedOrderAndErasesCapturesAfterTheStone) {
    Position s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, {".X", "XO", ".X"}));  // white (2,2) has one liberty, (3,2)
    RecordingDisplay d;
    s.Board.SetToMove(Stone::Black);
    ASSERT_EQ(PlayMove(s, d, {3, 2}, false, true), MoveResult::Played);
    // The marker moves from the last diagram stone (2,3) to the new one; (2,2) is erased.
    EXPECT_EQ(d.calls, (Calls{"stone 2,3 B", "counter", "comment", "stone 3,2 B marker", "empty 2,2"}));
    EXPECT_EQ(s.LastMove, (go::Point{3, 2}));
    EXPECT_EQ(s.Board.Captured().size(), 1u) << "the only erased point is the only captured one";

    // Without comments to draw the comment is not drawn; an illegal move draws the old marker
    // and the counter but no stone.
    d.calls.clear();
    ASSERT_EQ(PlayMove(s, d, {2, 2}, false, false), MoveResult::Suicide);  // White, into the black ring
    EXPECT_EQ(d.calls, (Calls{"stone 3,2 B", "counter"}));
    EXPECT_EQ(s.LastMove, (go::Point{3, 2}));
}

TEST(PlayMove, MarkerOnAnEmptyPointIsRedrawnAsEmptyBoard) {
    // Play never captures the marked stone before the next move draws, but the redraw must
    // still cope with an empty marker point.
    Position s;
    NewBoard(s, 9);
    s.LastMove = {1, 1};
    RecordingDisplay d;
    ASSERT_EQ(PlayMove(s, d, {5, 5}, false, false), MoveResult::Played);
    EXPECT_EQ(d.calls, (Calls{"empty 1,1", "counter", "stone 5,5 B marker"}));
}

TEST(PlayMove, OffBoardCoordinatesAreRefusedWithoutTouchingTheArrays) {
    Position s;
    NewBoard(s, 9);
    testing::TraceLog log;
    NullMoveDisplay none;
    for (auto [x, y] : {std::pair{0, 3}, {10, 3}, {3, 10}, {3, 0}, {200, 5}, {5, 255}, {-5, 2}}) {
        EXPECT_EQ(PlayMove(s, none, {x, y}, false, false, {&log, "x.sgf"}), MoveResult::Occupied) << x << "," << y;
    }
    EXPECT_EQ(log.messages.size(), 7u);
    EXPECT_EQ(s.Board.MoveNumber(), 1);
    EXPECT_EQ(s.Board.ChainCount(), 0);
    EXPECT_EQ(s.LastMove, go::kNoPoint);
    // x = -1 is off the board like any other point: refused after the counter is drawn.
    RecordingDisplay d;
    EXPECT_EQ(PlayMove(s, d, {-1, 0}, false, false), MoveResult::Occupied);
    EXPECT_EQ(d.calls, (Calls{"counter"}));
}

}  // namespace
}  // namespace senvola
