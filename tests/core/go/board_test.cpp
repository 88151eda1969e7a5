// The board's rules one position at a time: legality answers, captures, ko, chains, and what
// Captured() reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/go/board_test_support.h"
#include "go/board.h"
#include "go/coordinates.h"

namespace senvola::go {
namespace {

using senvola::testing::Diagram;
using senvola::testing::PutDiagram;
using Points = std::vector<Point>;
constexpr Stone kBlack = Stone::Black;
constexpr Stone kWhite = Stone::White;

Points CapturedOf(const Board& b) { return {b.Captured().begin(), b.Captured().end()}; }

// The ko shape at the centre of a 9 x 9 board:
//   . X O .        x = 3..6, y = 3..5
//   X O . O
//   . X O .
std::vector<std::string> KoShape() {
    return {".........", ".........", "...XO....", "..XO.O...", "...XO....", ".........",
            ".........", ".........", "........."};
}

TEST(BoardCheck, OccupiedAndSuicide) {
    Board b(9);
    // Two white stones of three liberties each round the corner point (1,1).
    ASSERT_TRUE(PutDiagram(b, {".O", "O."}));
    EXPECT_EQ(b.Check({2, 1}, kBlack), MoveResult::Occupied);
    EXPECT_EQ(b.Check({1, 1}, kBlack), MoveResult::Suicide);
    EXPECT_EQ(b.Check({5, 5}, kBlack), MoveResult::Played);
    EXPECT_EQ(b.Check({1, 1}, kWhite), MoveResult::Played);  // joins own chains that keep liberties
    EXPECT_EQ(b.Check({1, 2}, kWhite), MoveResult::Occupied);

    // Two black stones whose last liberty is (1,1), each held by white chains of two liberties:
    // for Black, (1,1) fills its own last liberties; for White it takes both stones.
    Board t(9);
    ASSERT_TRUE(PutDiagram(t, {".XO", "XO.", "O.."}));
    EXPECT_EQ(t.Check({1, 1}, kBlack), MoveResult::Suicide);
    EXPECT_EQ(t.Check({1, 1}, kWhite), MoveResult::Played);
    ASSERT_EQ(t.Play({1, 1}, kWhite), MoveResult::Played);
    EXPECT_EQ(Diagram(t)[0], "O.O......");
    EXPECT_EQ(Diagram(t)[1], ".O.......");
}

TEST(BoardCheck, AnEmptyNeighbourMakesAMoveLegalWhileAKoStands) {
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, KoShape()));
    ASSERT_EQ(b.Play({5, 4}, kBlack), MoveResult::Played);
    ASSERT_EQ(b.Ko(), (Point{5, 4}));
    // While the ko stands, every empty point with an empty neighbour is White's to play; only
    // the retake is refused. (The ko stone's one liberty is the retake point, so no other empty
    // point lies beside it.)
    int legal = 0;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (b.At({x, y}) != Stone::Empty || (x == 4 && y == 4)) continue;
            EXPECT_EQ(b.Check({x, y}, kWhite), MoveResult::Played) << x << "," << y;
            ++legal;
        }
    }
    EXPECT_EQ(legal, 81 - 7 - 1);
    EXPECT_EQ(b.Check({4, 4}, kWhite), MoveResult::Ko);
}

TEST(BoardPlay, CapturingOneStoneMakesAKoThatTheReplyCannotRetake) {
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, KoShape()));
    b.SetToMove(kBlack);
    ASSERT_EQ(b.Play({5, 4}, kBlack), MoveResult::Played);
    EXPECT_EQ(b.At({4, 4}), Stone::Empty);
    EXPECT_EQ(CapturedOf(b), (Points{{4, 4}}));
    EXPECT_EQ(b.Ko(), (Point{5, 4}));
    EXPECT_EQ(b.ToMove(), kWhite);
    EXPECT_EQ(b.MoveNumber(), 2);

    const auto before = Diagram(b);
    EXPECT_EQ(b.Play({4, 4}, kWhite), MoveResult::Ko);
    EXPECT_EQ(Diagram(b), before);
    EXPECT_TRUE(b.Captured().empty());
    EXPECT_EQ(b.MoveNumber(), 2);
    EXPECT_EQ(b.ToMove(), kWhite);

    // A pass clears the ko and hands the move over; after Black's pass White may retake.
    b.Pass();
    EXPECT_EQ(b.Ko(), kNoPoint);
    EXPECT_EQ(b.LastKo(), (Point{5, 4})) << "the latest ko is still known after it has gone";
    EXPECT_EQ(b.ToMove(), kBlack);
    EXPECT_EQ(b.MoveNumber(), 3);
    b.Pass();
    EXPECT_EQ(b.ToMove(), kWhite);
    EXPECT_EQ(b.Play({4, 4}, kWhite), MoveResult::Played);
    EXPECT_EQ(b.At({5, 4}), Stone::Empty);
    EXPECT_EQ(b.Ko(), (Point{4, 4}));  // the retake is itself a ko capture
}

TEST(BoardPlay, KoRetakeThatAlsoCapturesAnotherChainIsLegal) {
    // A retake that would take a second chain with the ko stone is no ko. Right after the ko
    // capture no such chain can exist (it would have had no liberty before), so the retake here
    // comes after the ko has lapsed: once both sides have played elsewhere, (3,4) is down to
    // the ko point as its last liberty and White's retake takes two stones, leaving no ko.
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, KoShape()));
    ASSERT_EQ(b.PlaceSetupStone({2, 4}, kWhite), MoveResult::Played);
    ASSERT_EQ(b.PlaceSetupStone({3, 3}, kWhite), MoveResult::Played);
    ASSERT_EQ(b.Play({5, 4}, kBlack), MoveResult::Played);  // captures (4,4): ko at (5,4)
    ASSERT_EQ(b.Ko(), (Point{5, 4}));
    EXPECT_EQ(b.Check({4, 4}, kWhite), MoveResult::Ko);
    ASSERT_EQ(b.Play({3, 5}, kWhite), MoveResult::Played);
    EXPECT_EQ(b.Ko(), kNoPoint);
    ASSERT_EQ(b.Liberties({3, 4}), 1);
    ASSERT_EQ(b.Play({8, 8}, kBlack), MoveResult::Played);
    EXPECT_EQ(b.Check({4, 4}, kWhite), MoveResult::Played);
    ASSERT_EQ(b.Play({4, 4}, kWhite), MoveResult::Played);
    EXPECT_EQ(b.At({3, 4}), Stone::Empty);
    EXPECT_EQ(b.At({5, 4}), Stone::Empty);
    EXPECT_EQ(CapturedOf(b), (Points{{3, 4}, {5, 4}}));
    EXPECT_EQ(b.Ko(), kNoPoint);  // two stones taken: no ko
}

TEST(BoardPlay, CapturingTwoChainsOrATwoStoneChainLeavesNoKo) {
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, {".OX", "OX.", "X.."}));
    ASSERT_EQ(b.Play({1, 1}, kBlack), MoveResult::Played);
    EXPECT_EQ(b.At({2, 1}), Stone::Empty);
    EXPECT_EQ(b.At({1, 2}), Stone::Empty);
    EXPECT_EQ(b.Ko(), kNoPoint);

    // A ko left from the move before must not survive a capture of two stones.
    Board t(9);
    ASSERT_TRUE(PutDiagram(t, {"OO.", "XX.", "........O", ".......OX"}));
    ASSERT_EQ(t.Play({9, 5}, kWhite), MoveResult::Played);  // takes (9,4)
    ASSERT_NE(t.Ko(), kNoPoint);
    ASSERT_EQ(t.Play({3, 1}, kBlack), MoveResult::Played);
    EXPECT_EQ(Diagram(t)[0], "..X......");
    EXPECT_EQ(t.Ko(), kNoPoint);
}

TEST(BoardPlay, SnapbackRetakesTheWholeChain) {
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, {"..OX", "OOOX", "XXXX"}));
    ASSERT_EQ(b.Play({2, 1}, kBlack), MoveResult::Played);  // throw-in
    ASSERT_EQ(b.Play({1, 1}, kWhite), MoveResult::Played);  // White takes one stone
    EXPECT_EQ(b.At({2, 1}), Stone::Empty);
    EXPECT_EQ(b.Ko(), (Point{1, 1}));
    // Black retakes at once: the capturing stone belongs to a chain of five, so it is no ko.
    EXPECT_EQ(b.Check({2, 1}, kBlack), MoveResult::Played);
    ASSERT_EQ(b.Play({2, 1}, kBlack), MoveResult::Played);
    EXPECT_EQ(Diagram(b)[0], ".X.X.....");
    EXPECT_EQ(Diagram(b)[1], "...X.....");
    EXPECT_EQ(b.Ko(), kNoPoint);
    EXPECT_EQ(b.Liberties({2, 1}), 3);
}

TEST(BoardPlay, MergesEveryFriendlyNeighbourIntoOneChain) {
    Board b(9);
    // Friendly neighbours left (4,5), up (5,4), right (6,5): the new stone joins all three.
    ASSERT_EQ(b.PlaceSetupStone({4, 5}, kBlack), MoveResult::Played);
    ASSERT_EQ(b.PlaceSetupStone({5, 4}, kBlack), MoveResult::Played);
    ASSERT_EQ(b.PlaceSetupStone({6, 5}, kBlack), MoveResult::Played);
    ASSERT_EQ(b.PlaceSetupStone({5, 6}, kWhite), MoveResult::Played);
    ASSERT_EQ(b.ChainCount(), 4);
    ASSERT_EQ(b.PlaceSetupStone({5, 5}, kBlack), MoveResult::Played);
    for (Point p : {Point{4, 5}, Point{5, 4}, Point{6, 5}}) EXPECT_TRUE(b.SameChain(p, {5, 5}));
    EXPECT_FALSE(b.SameChain({5, 6}, {5, 5}));
    EXPECT_EQ(b.ChainCount(), 2);
    // (3,5) (4,4) (4,6) (5,3) (6,4) (7,5) (6,6): shared liberties count once.
    EXPECT_EQ(b.Liberties({5, 5}), 7);
    EXPECT_EQ(b.Liberties({5, 6}), 3);
}

TEST(BoardPlay, CapturedPointsComeColumnByColumnAndBelongToTheLastPlayOnly) {
    // Black at (1,3) takes a bent chain of three and a single stone at once.
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, {"OOX", "OX", "", "OX", "X"}));
    ASSERT_EQ(b.Liberties({2, 1}), 1);
    ASSERT_EQ(b.Liberties({1, 4}), 1);
    ASSERT_EQ(b.Play({1, 3}, kBlack), MoveResult::Played);
    EXPECT_EQ(CapturedOf(b), (Points{{1, 1}, {1, 2}, {1, 4}, {2, 1}}));
    EXPECT_EQ(b.Ko(), kNoPoint);
    EXPECT_EQ(b.ChainCount(), 5);
    EXPECT_EQ(b.Liberties({1, 3}), 3);  // (1,2), (1,4) and (2,3)

    // A refused move, a pass and a move that takes nothing each report no captures.
    ASSERT_EQ(b.Play({1, 3}, kWhite), MoveResult::Occupied);
    EXPECT_TRUE(b.Captured().empty());
    ASSERT_EQ(b.Play({1, 1}, kBlack), MoveResult::Played);
    b.Pass();
    EXPECT_TRUE(b.Captured().empty());
    ASSERT_EQ(b.Play({5, 5}, kWhite), MoveResult::Played);
    EXPECT_TRUE(b.Captured().empty());
}

TEST(BoardPlay, SetupStonesFollowTheRulesWithoutAMoveNumber) {
    Board b(9);
    ASSERT_TRUE(PutDiagram(b, {"OX", "X"}));
    EXPECT_EQ(b.At({1, 1}), Stone::Empty) << "the third stone took the first";
    EXPECT_EQ(b.Check({1, 1}, kWhite), MoveResult::Suicide);
    EXPECT_EQ(b.Ko(), (Point{1, 2}));
    EXPECT_EQ(b.MoveNumber(), 1);
    EXPECT_EQ(b.ToMove(), kWhite);
    EXPECT_EQ(b.PlaceSetupStone({1, 2}, kWhite), MoveResult::Occupied);
    EXPECT_EQ(b.PlaceSetupStone({0, 2}, kWhite), MoveResult::Occupied);
    ASSERT_EQ(b.Play({5, 5}, kWhite), MoveResult::Played);
    EXPECT_EQ(b.MoveNumber(), 2);
    EXPECT_EQ(b.ToMove(), kBlack);
}

TEST(Board, EveryPointOffTheBoardIsOccupiedAndReadsEmpty) {
    Board b(9);
    for (Point p : {Point{0, 3}, Point{10, 3}, Point{3, 10}, Point{3, 0}, Point{15, 15}, Point{200, 5},
                    Point{5, 255}, Point{-5, 2}}) {
        EXPECT_FALSE(b.OnBoard(p));
        EXPECT_EQ(b.Check(p, kBlack), MoveResult::Occupied);
        EXPECT_EQ(b.At(p), Stone::Empty);
        EXPECT_EQ(b.Liberties(p), 0);
    }
    // A board of no lines has no point at all; sizes beyond 19 are held to 19.
    EXPECT_EQ(Board(0).Check({1, 1}, kBlack), MoveResult::Occupied);
    EXPECT_EQ(Board(25).Size(), 19);
    EXPECT_EQ(Board(-3).Size(), 0);
}

}  // namespace
}  // namespace senvola::go

// The names players read: no column I, rows counted from the bottom on every size.
namespace senvola {
TEST(CoordinatesTest, NamesSkipIAndCountRowsFromTheBottom) {
    char buffer[4];
    EXPECT_EQ(go::PointName(19, {4, 16}, buffer), "D4");
    EXPECT_EQ(go::PointName(19, {16, 4}, buffer), "Q16");
    EXPECT_EQ(go::PointName(19, {9, 1}, buffer), "J19");
    EXPECT_EQ(go::PointName(19, {19, 19}, buffer), "T1");
    EXPECT_EQ(go::PointName(9, {5, 5}, buffer), "E5");
    EXPECT_EQ(go::PointName(9, {1, 9}, buffer), "A1");
    EXPECT_EQ(go::PointName(19, go::kNoPoint, buffer), "");
    EXPECT_EQ(go::PointName(9, {10, 1}, buffer), "");
    EXPECT_EQ(go::ColumnLetter(8), 'H');
    EXPECT_EQ(go::ColumnLetter(9), 'J');
}
}  // namespace senvola
