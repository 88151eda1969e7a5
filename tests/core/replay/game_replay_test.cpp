// A whole game replayed in one call: where it stops, and what an illegal setup stone does.
#include <gtest/gtest.h>

#include "core/replay/move_test_support.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

// The record a game replays from and the position it leaves.
struct State {
    GameRecord game;
    Position position;
    const go::Board& Board() const { return position.Board; }
    ReplayOutcome Replay(MoveDisplay& display) { return ReplayGame(game, position, display); }
};

void Game(State& s, int size, const std::vector<std::pair<int, int>>& moves, const std::string& setup = "") {
    ClearGame(s.game);
    s.game.BoardSize = size;
    s.game.Setup = testing::SetupFrom(setup);
    for (std::size_t i = 0; i < moves.size() && i < kMaxMoves; ++i) {
        s.game.MoveX[i + 1] = static_cast<uint8_t>(moves[i].first);
        s.game.MoveY[i + 1] = static_cast<uint8_t>(moves[i].second);
    }
}

TEST(ReplayGame, AGameOfAll800SlotsEndsAfterSlot800) {
    State s;
    std::vector<std::pair<int, int>> moves(kMaxMoves, {kPassCoord, kPassCoord});
    moves[0] = {3, 3};
    moves[kMaxMoves - 1] = {5, 5};
    Game(s, 9, moves);
    NullMoveDisplay none;
    const ReplayOutcome r = s.Replay(none);
    EXPECT_EQ(r.Entries, kMaxMoves);
    EXPECT_EQ(r.Played, kMaxMoves);
    EXPECT_EQ(r.IllegalMove, 0);
    EXPECT_EQ(s.Board().MoveNumber(), kMaxMoves + 1);
    EXPECT_EQ(s.Board().At({3, 3}), go::Stone::Black);
    EXPECT_EQ(s.Board().At({5, 5}), go::Stone::White);  // 799 passes and stones alternate strictly
}

TEST(ReplayGame, StopsAtTheFirstIllegalEntry) {
    State s;
    Game(s, 9, {{3, 3}, {kPassCoord, kPassCoord}, {3, 3}, {4, 4}});
    NullMoveDisplay none;
    const ReplayOutcome r = s.Replay(none);
    EXPECT_EQ(r.Entries, 4);
    EXPECT_EQ(r.Played, 2);
    EXPECT_EQ(r.IllegalMove, 3);
    EXPECT_EQ(r.IllegalX, 3);
    EXPECT_EQ(r.IllegalY, 3);
    EXPECT_EQ(r.Reason, go::MoveResult::Occupied);
    EXPECT_EQ(s.Board().MoveNumber(), 3);
    EXPECT_EQ(s.Board().At({4, 4}), go::Stone::Empty);

    // An entry off the board (a record no reader writes) is refused the same way.
    Game(s, 9, {{3, 3}, {10, 2}});
    const ReplayOutcome off = s.Replay(none);
    EXPECT_EQ(off.IllegalMove, 2);
    EXPECT_EQ(off.Reason, go::MoveResult::Occupied);
    EXPECT_EQ(off.Played, 1);
}

TEST(ReplayGame, AnIllegalSetupStoneDoesNotStopTheGame) {
    State s;
    Game(s, 9, {{5, 5}}, "ZCCWCC");
    NullMoveDisplay none;
    const ReplayOutcome r = s.Replay(none);
    EXPECT_EQ(r.IllegalMove, 0);
    EXPECT_EQ(r.Played, 1);
    EXPECT_EQ(s.Board().At({3, 3}), go::Stone::Black);
    EXPECT_EQ(s.Board().At({5, 5}), go::Stone::Black);
}

TEST(ReplayGame, AGameWithoutMovesShowsOnlyItsSetup) {
    State s;
    Game(s, 13, {}, "WGG");
    NullMoveDisplay none;
    const ReplayOutcome r = s.Replay(none);
    EXPECT_EQ(r.Entries, 0);
    EXPECT_EQ(r.Played, 0);
    EXPECT_EQ(s.Board().At({7, 7}), go::Stone::White);
    EXPECT_EQ(s.Board().MoveNumber(), 1);
    EXPECT_EQ(s.Board().ToMove(), go::Stone::Black);
}

}  // namespace
}  // namespace senvola
