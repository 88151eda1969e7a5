#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_record.h"

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

// One huge game must not leave the process large: the texts of both records give back the
// storage the next, small game does not need, and keep what ordinary games reuse.
TEST(GameRecord, AHugeGameLeavesNoLargeStorageBehind) {
    GameRecord load, current;
    ClearGame(load);
    load.Comments[7] = std::string(8u << 20, 'c');
    load.Copyright = std::string(1u << 20, 'x');
    load.Comments[3] = std::string(40000, 'm');
    CommitGame(load, current);
    EXPECT_EQ(current.Comments[7].size(), 8u << 20);

    ClearGame(load);
    EXPECT_LE(load.Comments[7].capacity(), kKeptTextCapacity);
    EXPECT_LE(load.Copyright.capacity(), kKeptTextCapacity);
    load.Comments[7] = "small";
    load.Copyright = "(c)";
    load.Comments[3] = std::string(40000, 'n');
    const char* medium = current.Comments[3].data();
    CommitGame(load, current);
    EXPECT_EQ(current.Comments[7], "small");
    EXPECT_EQ(current.Copyright, "(c)");
    EXPECT_LE(current.Comments[7].capacity(), kKeptTextCapacity);
    EXPECT_LE(current.Copyright.capacity(), kKeptTextCapacity);
    EXPECT_EQ(current.Comments[3].data(), medium);  // reused, not allocated again
    EXPECT_EQ(current.Comments[3], load.Comments[3]);

    // A large text is kept while the next one needs most of it.
    std::string& big = current.Comments[9];
    big.assign(300000, 'b');
    load.Comments[9].assign(200000, 'd');
    const char* kept = big.data();
    CommitGame(load, current);
    EXPECT_EQ(big.data(), kept);
    EXPECT_EQ(big, load.Comments[9]);
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
