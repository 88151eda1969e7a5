// Handicap and setup stones at the start of a game, and the colour that moves first after them.
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
using testing::RecordingDisplay;
using testing::SetupFrom;
using Calls = std::vector<std::string>;

// A game of the given size, handicap, setup and first colour, as a reader leaves it, and the
// position it is played on.
struct Game {
    GameRecord record;
    Position position;
    go::Board& Board() { return position.Board; }
};

void Record(Game& s, int size, int handicap, const std::string& setup, Stone first = Stone::Black) {
    ClearGame(s.record);
    s.record.BoardSize = size;
    s.record.Handicap = static_cast<uint8_t>(handicap);
    s.record.Setup = SetupFrom(setup);
    s.record.FirstToMove = first;
}

// Both halves of the new-game step, as the tools replay a game.
void StartGame(Game& s, MoveDisplay& display, const RefusalReport& report = {}) {
    StartGamePosition(s.position, s.record);
    PlaceStartingStones(s.position, s.record, display, false, report);
}

std::vector<std::pair<int, int>> Stones(Game& s, Stone colour) {
    std::vector<std::pair<int, int>> out;
    for (int x = 1; x <= s.record.BoardSize; ++x)
        for (int y = 1; y <= s.record.BoardSize; ++y)
            if (s.Board().At({x, y}) == colour) out.emplace_back(x, y);
    return out;
}

using Points = std::vector<std::pair<int, int>>;

TEST(PlaceSetupStones, HandicapTwoOnNineteenLinesAndWhiteMovesFirst) {
    Game s;
    Record(s, 19, 2, "");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 16}, {16, 4}}));
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
    EXPECT_EQ(s.Board().MoveNumber(), 1) << "setup stones take no move number";
    // Each stone goes through the whole move procedure; the last keeps the marker.
    EXPECT_EQ(d.calls, (Calls{"counter", "stone 16,4 B marker", "stone 16,4 B", "counter",
                              "stone 4,16 B marker"}));
    EXPECT_EQ(s.position.LastMove, (go::Point{4, 16}));
    // The stones come from the count: the record itself is left as it was read.
    EXPECT_TRUE(s.record.Setup.empty());
    EXPECT_EQ(s.record.FirstToMove, Stone::Black);
}

TEST(PlaceSetupStones, HandicapNineFillsTheNinePointsOfEachBoardSize) {
    Game s;
    Record(s, 9, 9, "");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {3, 5}, {3, 7}, {5, 3}, {5, 5}, {5, 7}, {7, 3}, {7, 5}, {7, 7}}));
    // 3 then 7 first: upper right, lower left.
    ASSERT_GE(d.calls.size(), 4u);
    EXPECT_EQ(d.calls[1], "stone 7,3 B marker");
    EXPECT_EQ(d.calls[4], "stone 3,7 B marker");
    NullMoveDisplay none;

    Record(s, 13, 5, "");
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {3, 11}, {7, 7}, {11, 3}, {11, 11}}));

    Record(s, 19, 6, "");
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 4}, {4, 10}, {4, 16}, {16, 4}, {16, 10}, {16, 16}}));
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
}

TEST(PlaceSetupStones, HandicapAboveNineWithoutSetupPlacesNothingButWhiteMovesFirst) {
    Game s;
    Record(s, 19, 12, "");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_TRUE(Stones(s, Stone::Black).empty());
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
}

TEST(PlaceSetupStones, ExplicitSetupWinsOverTheHandicapCount) {
    Game s;
    Record(s, 19, 4, "ZDDWPPZQQ");
    NullMoveDisplay none;
    StartGame(s, none);
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{4, 4}, {17, 17}}));
    EXPECT_EQ(Stones(s, Stone::White), (Points{{16, 16}}));
    EXPECT_EQ(s.Board().ToMove(), Stone::Black);
}

TEST(PlaceSetupStones, IllegalSetupStoneIsSkippedAndTheGameGoesOn) {
    testing::TraceLog log;
    Game s;
    Record(s, 9, 1, "ZCCWCCZDD");
    RecordingDisplay d;
    StartGame(s, d, {&log, "x.sgf"});
    EXPECT_EQ(Stones(s, Stone::Black), (Points{{3, 3}, {4, 4}}));
    EXPECT_TRUE(Stones(s, Stone::White).empty());
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "Illegal move: x=3 y=3 move=1 file=x.sgf");
    // The skipped stone still redrew the marker and the counter; the marker stays on (3,3)
    // until the third stone takes it over.
    EXPECT_EQ(d.calls, (Calls{"counter", "stone 3,3 B marker", "stone 3,3 B", "counter", "stone 3,3 B",
                              "counter", "stone 4,4 B marker"}));
}

TEST(PlaceSetupStones, SetupStonesCaptureLikeMoves) {
    // A white stone enclosed by later black setup stones is taken off when the last one lands.
    Game s;
    Record(s, 9, 1, "WAAZBAZAB");
    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_EQ(Diagram(s.position)[0], ".X.......");
    EXPECT_EQ(Diagram(s.position)[1], "X........");
    EXPECT_EQ(d.calls.back(), "empty 1,1");
    EXPECT_EQ(s.Board().Ko(), (go::Point{1, 2})) << "a setup capture of one stone leaves its ko point like a move";
}

TEST(StartGame, GameBegunByWhiteWithoutSetupIsReplayedInItsOwnColours) {
    Game s;
    Record(s, 19, 1, "", Stone::White);
    s.record.MoveX[1] = 4;
    s.record.MoveY[1] = 4;
    s.record.MoveX[2] = 16;
    s.record.MoveY[2] = 16;
    // An empty board alone gives the first move to Black: the record's colour must reach it.
    EXPECT_EQ(go::Board(19).ToMove(), Stone::Black);

    RecordingDisplay d;
    StartGame(s, d);
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
    ASSERT_EQ(PlayMove(s.position, d, {4, 4}, false, false), MoveResult::Played);
    ASSERT_EQ(PlayMove(s.position, d, {16, 16}, false, false), MoveResult::Played);
    EXPECT_EQ(s.Board().At({4, 4}), Stone::White);
    EXPECT_EQ(s.Board().At({16, 16}), Stone::Black);
    EXPECT_EQ(d.calls[1], "stone 4,4 W marker");

    // Black first stays Black first; a game begun by White with setup stones also starts with
    // White after them.
    Record(s, 19, 1, "", Stone::Black);
    StartGame(s, d);
    EXPECT_EQ(s.Board().ToMove(), Stone::Black);
    Record(s, 19, 1, "ZDD", Stone::White);
    StartGame(s, d);
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
}

TEST(StartGame, TheHalvesLeaveRoomToDrawTheBoardBetweenThem) {
    Game s;
    Record(s, 9, 3, "");
    StartGamePosition(s.position, s.record);
    EXPECT_TRUE(Stones(s, Stone::Black).empty());
    EXPECT_EQ(s.Board().ToMove(), Stone::Black);
    NullMoveDisplay none;
    PlaceStartingStones(s.position, s.record, none, false);
    EXPECT_EQ(Stones(s, Stone::Black).size(), 3u);
    EXPECT_EQ(s.Board().ToMove(), Stone::White);
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
    Game s;
    Record(s, 19, 1, setup);
    testing::TraceLog log;
    NullMoveDisplay none;
    StartGame(s, none, {&log, ""});
    EXPECT_EQ(log.messages.size(), static_cast<std::size_t>(stones - go::Board::kMaxChains))
        << "setup stones beyond the limit are skipped";
    const auto total = Stones(s, Stone::Black).size() + Stones(s, Stone::White).size();
    EXPECT_EQ(total, static_cast<std::size_t>(go::Board::kMaxChains));
    EXPECT_EQ(s.Board().ChainCount(), go::Board::kMaxChains);

    // A move now abandons the game without drawing its stone or touching the board, even one
    // that would only join chains of its own colour (and so need no new chain).
    const Stone mover = s.Board().ToMove();
    int fx = 0, fy = 0;
    for (int x = 1; x <= 19 && fx == 0; ++x) {
        for (int y = 1; y <= 19 && fx == 0; ++y) {
            if (s.Board().At({x, y}) != Stone::Empty) continue;
            ASSERT_NE(s.Board().Check({x, y}, mover), MoveResult::Played);
            const bool joins = s.Board().At({x - 1, y}) == mover || s.Board().At({x, y - 1}) == mover ||
                               s.Board().At({x + 1, y}) == mover || s.Board().At({x, y + 1}) == mover;
            if (joins && s.Board().Check({x, y}, mover) == MoveResult::ChainLimit) fx = x, fy = y;
        }
    }
    ASSERT_NE(fx, 0);
    const auto before = Diagram(s.position);
    RecordingDisplay d;
    EXPECT_EQ(PlayMove(s.position, d, {fx, fy}, false, false), MoveResult::ChainLimit);
    EXPECT_EQ(Diagram(s.position), before);
    EXPECT_EQ(s.Board().MoveNumber(), 1);
    for (const auto& c : d.calls) EXPECT_EQ(c.find("marker"), std::string::npos) << c;
    go::Board copy = s.Board();
    EXPECT_EQ(copy.Play({fx, fy}, mover), MoveResult::ChainLimit);
    EXPECT_EQ(Diagram(copy), before);
    EXPECT_EQ(copy.ChainCount(), go::Board::kMaxChains);
}

}  // namespace
}  // namespace senvola
