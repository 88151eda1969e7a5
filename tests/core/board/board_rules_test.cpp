#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board_rules.h"
#include "core/board/board_test_support.h"

namespace senvola {
namespace {

using testing::Diagram;
using testing::NewBoard;
using testing::Put;
using testing::PutDiagram;
using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

TEST(ResetPosition, FramesTheBoardAndClearsTheWholeInterior) {
    AppState s;
    NewBoard(s, 19);
    ASSERT_EQ(Put(s, 15, 15, true), 0);
    ASSERT_EQ(Put(s, 3, 3, false), 0);
    s.Board.KoX = 4;
    s.Board.KoY = 5;
    s.CurrentGame.BoardSize = 9;
    ResetPosition(s);
    const BoardPosition& b = s.Board;
    EXPECT_EQ(b.ToMove, 1);
    EXPECT_EQ(b.MoveNumber, 1);
    EXPECT_EQ(b.KoX, 0);
    EXPECT_EQ(b.KoY, 0);
    EXPECT_EQ(b.LastMoveX, 0);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(b.Points[i][0], ptFrame);
        EXPECT_EQ(b.Points[i][10], ptFrame);
        EXPECT_EQ(b.Points[0][i], ptFrame);
        EXPECT_EQ(b.Points[10][i], ptFrame);
    }
    EXPECT_EQ(b.Points[15][15], ptEmpty);  // outside the 9 x 9 board, still cleared
    EXPECT_EQ(b.ChainOf[15][15], 0);
    EXPECT_EQ(b.Points[3][3], ptEmpty);
    for (int k = 0; k <= kMaxChains; ++k) {
        EXPECT_EQ(b.ChainColour[k], 0);
        EXPECT_EQ(b.ChainLiberties[k], 0);
    }
}

TEST(IsIllegalMove, OccupiedAndSuicide) {
    AppState s;
    NewBoard(s, 9);
    // Two white stones of three liberties each round the corner point (1,1).
    ASSERT_TRUE(PutDiagram(s, {".O", "O."}));
    s.Board.ToMove = 1;
    EXPECT_EQ(IsIllegalMove(s.Board, 2, 1), ilOccupied);
    EXPECT_EQ(IsIllegalMove(s.Board, 1, 1), ilSuicide);
    EXPECT_EQ(IsIllegalMove(s.Board, 5, 5), ilLegal);
    s.Board.ToMove = 0;
    EXPECT_EQ(IsIllegalMove(s.Board, 1, 1), ilLegal);  // joins own chains that keep liberties
    EXPECT_EQ(IsIllegalMove(s.Board, 1, 2), ilOccupied);

    // Two black stones whose last liberty is (1,1), each held by white chains of two liberties:
    // for Black, (1,1) fills its own last liberties; for White it takes both stones.
    AppState t;
    NewBoard(t, 9);
    ASSERT_TRUE(PutDiagram(t, {".XO", "XO.", "O.."}));
    t.Board.ToMove = 1;
    EXPECT_EQ(IsIllegalMove(t.Board, 1, 1), ilSuicide);
    t.Board.ToMove = 0;
    EXPECT_EQ(IsIllegalMove(t.Board, 1, 1), ilLegal);
    NullMoveDisplay none;
    ASSERT_EQ(PlayMove(t, none, 1, 1, false), ilLegal);
    EXPECT_EQ(Diagram(t)[0], "O.O......");
    EXPECT_EQ(Diagram(t)[1], ".O.......");
}

TEST(IsIllegalMove, AnEmptyNeighbourMakesAMoveLegalEvenBesideTheKoPoint) {
    AppState s;
    NewBoard(s, 9);
    s.Board.KoX = 5;
    s.Board.KoY = 5;
    s.Board.ToMove = 0;
    EXPECT_EQ(IsIllegalMove(s.Board, 5, 4), ilLegal);
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
    AppState s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, KoShape()));
    s.Board.ToMove = 1;
    s.Board.MoveNumber = 7;
    NullMoveDisplay none;
    ASSERT_EQ(PlayMove(s, none, 5, 4, false), ilLegal);
    EXPECT_EQ(s.Board.Points[4][4], ptEmpty);
    EXPECT_EQ(s.Board.KoX, 5);
    EXPECT_EQ(s.Board.KoY, 4);
    EXPECT_EQ(s.Board.ToMove, 0);
    EXPECT_EQ(s.Board.MoveNumber, 8);
    EXPECT_EQ(s.CurrentGame.MoveX[7], 5);
    EXPECT_EQ(s.CurrentGame.MoveY[7], 4);

    std::vector<std::string> traces;
    SetTraceHook([&](std::string_view m) { traces.emplace_back(m); });
    s.CurrentFileName = "C:\\games\\ko.sgf";
    s.NeedNewGame = false;
    const auto before = Diagram(s);
    EXPECT_EQ(PlayMove(s, none, 4, 4, false), ilKo);
    SetTraceHook(nullptr);
    EXPECT_TRUE(s.NeedNewGame);
    EXPECT_EQ(Diagram(s), before);
    EXPECT_EQ(s.Board.MoveNumber, 8);
    EXPECT_EQ(s.Board.ToMove, 0);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], "Illegal move: x=4 y=4 zetnr=8 bestandsnaam=C:\\games\\ko.sgf");

    // A pass clears the ko and hands the move over; after Black's pass White may retake.
    PassMove(s);
    EXPECT_EQ(s.Board.KoX, 0);
    EXPECT_EQ(s.Board.KoY, 4) << "only KoX says whether there is a ko point";
    EXPECT_EQ(s.Board.ToMove, 1);
    EXPECT_EQ(s.Board.MoveNumber, 9);
    EXPECT_EQ(s.CurrentGame.MoveX[8], kPassCoord);
    EXPECT_EQ(s.CurrentGame.MoveY[8], kPassCoord);
    PassMove(s);
    EXPECT_EQ(s.Board.ToMove, 0);
    EXPECT_EQ(PlayMove(s, none, 4, 4, false), ilLegal);
    EXPECT_EQ(s.Board.Points[5][4], ptEmpty);
    EXPECT_EQ(s.Board.KoX, 4);  // the retake is itself a ko capture
    EXPECT_EQ(s.Board.KoY, 4);
}

TEST(PlayMove, KoRetakeThatAlsoCapturesAnotherChainIsLegal) {
    // The ko stone's neighbour (3,4) is left with the ko point as its only liberty, so the
    // retake takes two stones and is no ko. Such a chain cannot arise in play (it would have
    // been taken already), so the last white stone is written into the arrays.
    AppState s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, KoShape()));
    ASSERT_EQ(Put(s, 2, 4, false), 0);
    ASSERT_EQ(Put(s, 3, 3, false), 0);
    NullMoveDisplay none;
    s.Board.ToMove = 1;
    ASSERT_EQ(PlayMove(s, none, 5, 4, false), ilLegal);  // captures (4,4): ko at (5,4)
    ASSERT_EQ(s.Board.KoX, 5);
    EXPECT_EQ(IsIllegalMove(s.Board, 4, 4), ilKo);
    BoardPosition& b = s.Board;
    const int chain = FreeChainNumber(b);
    b.Points[3][5] = ptWhite;
    b.ChainOf[3][5] = static_cast<uint8_t>(chain);
    b.ChainColour[chain] = ptWhite;
    RecountLiberties(b, 9);
    ASSERT_EQ(b.ChainLiberties[b.ChainOf[3][4]], 1);
    EXPECT_EQ(IsIllegalMove(b, 4, 4), ilLegal);
    ASSERT_EQ(PlayMove(s, none, 4, 4, false), ilLegal);
    EXPECT_EQ(b.Points[3][4], ptEmpty);
    EXPECT_EQ(b.Points[5][4], ptEmpty);
    EXPECT_EQ(b.KoX, 0);  // two stones taken: no ko
}

TEST(PlayMove, CapturingTwoChainsOrATwoStoneChainLeavesNoKo) {
    AppState s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, {".OX", "OX.", "X.."}));
    s.Board.ToMove = 1;
    NullMoveDisplay none;
    ASSERT_EQ(PlayMove(s, none, 1, 1, false), ilLegal);
    EXPECT_EQ(s.Board.Points[2][1], ptEmpty);
    EXPECT_EQ(s.Board.Points[1][2], ptEmpty);
    EXPECT_EQ(s.Board.KoX, 0);

    AppState t;
    NewBoard(t, 9);
    ASSERT_TRUE(PutDiagram(t, {"OO.", "XX."}));
    t.Board.ToMove = 1;
    t.Board.KoX = 7;  // a ko point left from before must not survive a capture of two stones
    RecordingDisplay d;
    ASSERT_EQ(PlayMove(t, d, 3, 1, false), ilLegal);
    EXPECT_EQ(Diagram(t)[0], "..X......");
    EXPECT_EQ(t.Board.KoX, 0);
    EXPECT_EQ(d.calls, (Calls{"stone 2,2 B", "counter", "stone 3,1 B marker", "empty 1,1", "empty 2,1"}));
}

TEST(PlayMove, SnapbackRetakesTheWholeChain) {
    AppState s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, {"..OX", "OOOX", "XXXX"}));
    NullMoveDisplay none;
    s.Board.ToMove = 1;
    ASSERT_EQ(PlayMove(s, none, 2, 1, false), ilLegal);  // throw-in
    ASSERT_EQ(PlayMove(s, none, 1, 1, false), ilLegal);  // White takes one stone
    EXPECT_EQ(s.Board.Points[2][1], ptEmpty);
    EXPECT_EQ(s.Board.KoX, 1);
    EXPECT_EQ(s.Board.KoY, 1);
    // Black retakes at once: the capturing stone belongs to a chain of five, so it is no ko.
    EXPECT_EQ(IsIllegalMove(s.Board, 2, 1), ilLegal);
    ASSERT_EQ(PlayMove(s, none, 2, 1, false), ilLegal);
    EXPECT_EQ(Diagram(s)[0], ".X.X.....");
    EXPECT_EQ(Diagram(s)[1], "...X.....");
    EXPECT_EQ(s.Board.KoX, 0);
    EXPECT_EQ(s.Board.ChainLiberties[s.Board.ChainOf[2][1]], 3);
}

TEST(PlayMove, MergesChainsUnderTheLastFriendlyNeighbourVisited) {
    AppState s;
    NewBoard(s, 9);
    // Friendly neighbours left (4,5), up (5,4), right (6,5): the new stone joins all three, and
    // the merged chain carries the number of the right-hand one, visited last.
    ASSERT_EQ(Put(s, 4, 5, true), 0);
    ASSERT_EQ(Put(s, 5, 4, true), 0);
    ASSERT_EQ(Put(s, 6, 5, true), 0);
    ASSERT_EQ(Put(s, 5, 6, false), 0);
    const uint8_t right = s.Board.ChainOf[6][5];
    ASSERT_EQ(Put(s, 5, 5, true), 0);
    const BoardPosition& b = s.Board;
    for (auto [x, y] : {std::pair{4, 5}, {5, 4}, {6, 5}, {5, 5}}) EXPECT_EQ(b.ChainOf[x][y], right);
    int inUse = 0;
    for (int k = 1; k <= kMaxChains; ++k) inUse += b.ChainColour[k] != 0;
    EXPECT_EQ(inUse, 2);
    // (3,5) (4,4) (4,6) (5,3) (6,4) (7,5) (6,6): shared liberties count once.
    EXPECT_EQ(b.ChainLiberties[right], 7);
    EXPECT_EQ(b.ChainLiberties[b.ChainOf[5][6]], 3);
}

TEST(PlayMove, DrawsInTheFixedOrderAndErasesCapturesAfterTheStone) {
    AppState s;
    NewBoard(s, 9);
    ASSERT_TRUE(PutDiagram(s, {".X", "XO", ".X"}));  // white (2,2) has one liberty, (3,2)
    s.Settings.ShowComments = true;
    s.HasComments = 1;
    RecordingDisplay d;
    s.Board.ToMove = 1;
    ASSERT_EQ(PlayMove(s, d, 3, 2, false), ilLegal);
    // The marker moves from the last diagram stone (2,3) to the new one; (2,2) is erased.
    EXPECT_EQ(d.calls, (Calls{"stone 2,3 B", "counter", "comment", "stone 3,2 B marker", "empty 2,2"}));
    EXPECT_EQ(s.Board.LastMoveX, 3);
    EXPECT_EQ(s.Board.LastMoveY, 2);
    for (int x = 0; x < kBoardArray; ++x)
        for (int y = 0; y < kBoardArray; ++y) EXPECT_EQ(s.Board.Removed[x][y], 0);

    // Without comments in the record the comment is not drawn; an illegal move draws the old
    // marker and the counter but no stone.
    s.HasComments = 0;
    d.calls.clear();
    ASSERT_EQ(PlayMove(s, d, 2, 2, false), ilSuicide);  // White, into the black ring
    EXPECT_EQ(d.calls, (Calls{"stone 3,2 B", "counter"}));
}

TEST(PlayMove, MarkerOnAnEmptyPointIsRedrawnAsEmptyBoard) {
    // Play never captures the marked stone before the next move draws, but the redraw must
    // still cope with an empty marker point.
    AppState s;
    NewBoard(s, 9);
    s.Board.LastMoveX = 1;
    s.Board.LastMoveY = 1;
    RecordingDisplay d;
    ASSERT_EQ(PlayMove(s, d, 5, 5, false), ilLegal);
    EXPECT_EQ(d.calls, (Calls{"empty 1,1", "counter", "stone 5,5 B marker"}));
}

TEST(PlayMove, OffBoardCoordinatesAreRefusedWithoutTouchingTheArrays) {
    AppState s;
    NewBoard(s, 9);
    NullMoveDisplay none;
    for (auto [x, y] : {std::pair{0, 3}, {10, 3}, {3, 10}, {3, 0}, {200, 5}, {5, 255}, {-5, 2}}) {
        s.NeedNewGame = false;
        EXPECT_EQ(PlayMove(s, none, x, y, false), ilOccupied) << x << "," << y;
        EXPECT_TRUE(s.NeedNewGame);
    }
    EXPECT_EQ(s.Board.MoveNumber, 1);
    EXPECT_EQ(s.Board.Points[10][3], ptFrame);
    EXPECT_EQ(s.Board.Points[3][10], ptFrame);
    // x = -1 only redraws.
    RecordingDisplay d;
    s.NeedNewGame = false;
    EXPECT_EQ(PlayMove(s, d, -1, 0, false), ilLegal);
    EXPECT_FALSE(s.NeedNewGame);
    EXPECT_EQ(d.calls, (Calls{"counter"}));
}

}  // namespace
}  // namespace senvola
