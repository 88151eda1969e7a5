#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/replay/move_test_support.h"
#include "replay/move_replay.h"

namespace senvola {
namespace {

using go::MoveResult;
using go::Stone;
using testing::Diagram;
using testing::RecordingDisplay;
using Calls = std::vector<std::string>;

// CurrentGame of the given size, handicap, setup and first colour, as a reader leaves it.
void Record(AppState& s, int size, int handicap, const std::string& setup, int firstColour = 1) {
    ClearGame(s.CurrentGame);
    s.CurrentGame.BoardSize = size;
    s.CurrentGame.Handicap = static_cast<uint8_t>(handicap);
    s.CurrentGame.Setup = setup;
    s.CurrentGame.FirstColour = static_cast<uint8_t>(firstColour);
}

std::vector<std::pair<int, int>> Stones(const AppState& s, Stone colour) {
    std::vector<std::pair<int, int>> out;
    for (int x = 1; x <= s.CurrentGame.BoardSize; ++x)
        for (int y = 1; y <= s.CurrentGame.BoardSize; ++y)
            if (s.Board.At({x, y}) == colour) out.emplace_back(x, y);
    return out;
}

using Points = std::vector<std::pair<int, int>>;

TEST(PlaceSetupStones, HandicapTwoOnNineteenLinesAndWhiteMovesFirst) {
    AppState s;
    Record(s, 19, 2, "");
    RecordingDisplay d;
    s.NeedNewGame = true;
    StartGame(s, d);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 16}, {16, 4}}));
    EXPECT_EQ(s.CurrentGame.Setup, "ZPDZDP");
    EXPECT_EQ(s.CurrentGame.FirstColour, 2);
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    EXPECT_EQ(s.Board.MoveNumber(), 1);
    EXPECT_FALSE(s.NeedNewGame);
    // Each stone goes through the whole move procedure; the last keeps the marker.
    EXPECT_EQ(d.calls, (Calls{"counter", "stone 16,4 B marker", "stone 16,4 B", "counter",
                              "stone 4,16 B marker"}));
    EXPECT_EQ(s.LastMove, (go::Point{4, 16}));
    EXPECT_EQ(s.CurrentGame.MoveX[1], 0) << "setup stones take no move slot";
}

TEST(PlaceSetupStones, HandicapNineFillsTheNinePointsOfEachBoardSize) {
    AppState s;
    Record(s, 9, 9, "");
    NullMoveDisplay none;
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {3, 5}, {3, 7}, {5, 3}, {5, 5}, {5, 7}, {7, 3}, {7, 5}, {7, 7}}));
    EXPECT_EQ(s.CurrentGame.Setup.size(), 27u);
    EXPECT_EQ(s.CurrentGame.Setup.substr(0, 6), "ZGCZCG");  // 3 then 7: upper right, lower left

    Record(s, 13, 5, "");
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {3, 11}, {7, 7}, {11, 3}, {11, 11}}));

    Record(s, 19, 6, "");
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 4}, {4, 10}, {4, 16}, {16, 4}, {16, 10}, {16, 16}}));
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
}

TEST(PlaceSetupStones, HandicapAboveNineWithoutSetupPlacesNothingButWhiteMovesFirst) {
    AppState s;
    Record(s, 19, 12, "");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_TRUE(Stones(s, Stone::Black).empty());
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.CurrentGame.FirstColour, 2);
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
}

TEST(PlaceSetupStones, ExplicitSetupWinsOverTheHandicapCount) {
    AppState s;
    Record(s, 19, 4, "ZDDWPPZQQ");
    NullMoveDisplay none;
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 4}, {17, 17}}));
    EXPECT_EQ(Stones(s, Stone::White), (Points{{16, 16}}));
    EXPECT_EQ(s.CurrentGame.FirstColour, 1);
    EXPECT_EQ(s.Board.ToMove(), Stone::Black);
    EXPECT_EQ(s.CurrentGame.Setup, "ZDDWPPZQQ");
}

TEST(PlaceSetupStones, IllegalSetupStoneIsSkippedAndTheGameGoesOn) {
    std::vector<std::string> traces;
    SetTraceHook([&](std::string_view m) { traces.emplace_back(m); });
    AppState s;
    s.CurrentFileName = "x.sgf";
    Record(s, 9, 1, "ZCCWCCZDD");
    RecordingDisplay d;
    s.NeedNewGame = true;
    StartGame(s, d);
    SetTraceHook(nullptr);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {4, 4}}));
    EXPECT_TRUE(Stones(s, Stone::White).empty());
    EXPECT_FALSE(s.NeedNewGame);
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0], "Illegal move: x=3 y=3 zetnr=1 bestandsnaam=x.sgf");
    // The skipped stone still redrew the marker and the counter; the marker stays on (3,3)
    // until the third stone takes it over.
    EXPECT_EQ(d.calls, (Calls{"counter", "stone 3,3 B marker", "stone 3,3 B", "counter", "stone 3,3 B",
                              "counter", "stone 4,4 B marker"}));
}

TEST(PlaceSetupStones, SetupStonesCaptureLikeMoves) {
    // A white stone enclosed by later black setup stones is taken off when the last one lands.
    AppState s;
    Record(s, 9, 1, "WAAZBAZAB");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_EQ(Diagram(s)[0], ".X.......");
    EXPECT_EQ(Diagram(s)[1], "X........");
    EXPECT_EQ(d.calls.back(), "empty 1,1");
    EXPECT_EQ(s.Board.Ko(), (go::Point{1, 2})) << "a setup capture of one stone leaves its ko point like a move";
}

TEST(StartGame, GameBegunByWhiteWithoutSetupIsReplayedInItsOwnColours) {
    AppState s;
    Record(s, 19, 1, "", 2);
    s.CurrentGame.MoveX[1] = 4;
    s.CurrentGame.MoveY[1] = 4;
    s.CurrentGame.MoveX[2] = 16;
    s.CurrentGame.MoveY[2] = 16;
    // Resetting alone would give the first move to Black: that is the fault mended here.
    ResetPosition(s);
    EXPECT_EQ(s.Board.ToMove(), Stone::Black);

    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    ASSERT_EQ(PlayMove(s, d, 4, 4, false), MoveResult::Played);
    ASSERT_EQ(PlayMove(s, d, 16, 16, false), MoveResult::Played);
    EXPECT_EQ(s.Board.At({4, 4}), Stone::White);
    EXPECT_EQ(s.Board.At({16, 16}), Stone::Black);
    EXPECT_EQ(d.calls[1], "stone 4,4 W marker");

    // Black first stays Black first; a game begun by White with setup stones also starts with
    // White after them.
    Record(s, 19, 1, "", 1);
    StartGame(s, d);
    EXPECT_EQ(s.Board.ToMove(), Stone::Black);
    Record(s, 19, 1, "ZDD", 2);
    StartGame(s, d);
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
}

TEST(StartGame, TheHalvesLeaveRoomToDrawTheBoardBetweenThem) {
    AppState s;
    Record(s, 9, 3, "");
    StartGamePosition(s);
    EXPECT_TRUE(Stones(s, Stone::Black).empty());
    EXPECT_EQ(s.Board.ToMove(), Stone::Black);
    s.NeedNewGame = true;
    NullMoveDisplay none;
    PlaceStartingStones(s, none);
    EXPECT_EQ(Stones(s, Stone::Black).size(), 3u);
    EXPECT_EQ(s.Board.ToMove(), Stone::White);
    EXPECT_FALSE(s.NeedNewGame);
}

// Points whose (x + 2y) mod 5 is 0 touch every other point of the board's interior, so
// keeping them (and the few edge points they miss) empty and filling the rest in a
// checkerboard of colours gives a legal position of well over 250 one-stone chains.
std::string ManyChainsSetup(int& stones) {
    std::string setup;
    stones = 0;
    auto dominated = [](int x, int y) {
        const int d[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (auto& o : d) {
            const int nx = x + o[0], ny = y + o[1];
            if (nx >= 1 && nx <= 19 && ny >= 1 && ny <= 19 && (nx + 2 * ny) % 5 == 0) return true;
        }
        return false;
    };
    for (int y = 1; y <= 19; ++y) {
        for (int x = 1; x <= 19; ++x) {
            if ((x + 2 * y) % 5 == 0 || !dominated(x, y)) continue;
            setup += (x + y) % 2 == 0 ? 'Z' : 'W';
            setup += static_cast<char>(64 + x);
            setup += static_cast<char>(64 + y);
            ++stones;
        }
    }
    return setup;
}

TEST(ChainNumbers, TheStoneThatWouldNeedA251stChainIsRefused) {
    int stones = 0;
    const std::string setup = ManyChainsSetup(stones);
    ASSERT_GT(stones, 260);
    AppState s;
    Record(s, 19, 1, setup);
    NullMoveDisplay none;
    StartGame(s, none);
    EXPECT_FALSE(s.NeedNewGame) << "setup stones beyond the limit are skipped";
    const auto total = Stones(s, Stone::Black).size() + Stones(s, Stone::White).size();
    EXPECT_EQ(total, static_cast<std::size_t>(go::Board::kMaxChains));
    EXPECT_EQ(s.Board.ChainCount(), go::Board::kMaxChains);

    // A move now abandons the game without drawing its stone or touching the board, even one
    // that would only join chains of its own colour (and so need no new chain).
    const Stone mover = s.Board.ToMove();
    int fx = 0, fy = 0;
    for (int x = 1; x <= 19 && fx == 0; ++x) {
        for (int y = 1; y <= 19 && fx == 0; ++y) {
            if (s.Board.At({x, y}) != Stone::Empty) continue;
            ASSERT_NE(s.Board.Check({x, y}, mover), MoveResult::Played);
            const bool joins = s.Board.At({x - 1, y}) == mover || s.Board.At({x, y - 1}) == mover ||
                               s.Board.At({x + 1, y}) == mover || s.Board.At({x, y + 1}) == mover;
            if (joins && s.Board.Check({x, y}, mover) == MoveResult::ChainLimit) fx = x, fy = y;
        }
    }
    ASSERT_NE(fx, 0);
    const auto before = Diagram(s);
    RecordingDisplay d;
    s.NeedNewGame = false;
    EXPECT_EQ(PlayMove(s, d, fx, fy, false), MoveResult::ChainLimit);
    EXPECT_TRUE(s.NeedNewGame);
    EXPECT_EQ(Diagram(s), before);
    EXPECT_EQ(s.Board.MoveNumber(), 1);
    for (const auto& c : d.calls) EXPECT_EQ(c.find("marker"), std::string::npos) << c;
    go::Board copy = s.Board;
    EXPECT_EQ(copy.Play({fx, fy}, mover), MoveResult::ChainLimit);
    EXPECT_EQ(Diagram(copy), before);
    EXPECT_EQ(copy.ChainCount(), go::Board::kMaxChains);
}

}  // namespace
}  // namespace senvola
