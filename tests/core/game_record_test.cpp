#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game_record.h"

namespace senvola {

TEST(GameRecord, ClearedRecordIsAnEmptyEvenGame) {
    GameRecord r;
    r.BlackName = "x";
    r.MoveX[5] = 3;
    r.Comments[800] = "c";
    r.Handicap = 4;
    r.BoardSize = 13;
    r.FirstColour = 2;
    ClearGame(r);
    EXPECT_EQ(r.Handicap, 1);
    EXPECT_EQ(r.FirstColour, 1);
    EXPECT_EQ(r.BoardSize, 0);
    EXPECT_TRUE(r.BlackName.empty());
    EXPECT_EQ(r.MoveX[5], 0);
    EXPECT_TRUE(r.Comments[800].empty());
}

TEST(GameRecord, MoveListEndsAtFirstZeroOrAtSlot800) {
    GameRecord r;
    ClearGame(r);
    EXPECT_EQ(MoveListLength(r), 0);
    r.MoveX[1] = 4;
    r.MoveX[2] = 255;
    EXPECT_EQ(MoveListLength(r), 2);
    for (int i = 1; i <= kMaxMoves; ++i) r.MoveX[i] = 1;
    EXPECT_EQ(MoveListLength(r), 800);
}

TEST(GameRecord, TraceHookSeesMessagesOnlyWhileInstalled) {
    std::vector<std::string> seen;
    SetTraceHook([&](std::string_view m) { seen.emplace_back(m); });
    TraceMessage("one");
    SetTraceHook(nullptr);
    TraceMessage("two");
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], "one");
}

}  // namespace senvola
