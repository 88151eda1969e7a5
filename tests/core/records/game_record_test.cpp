// Emptying and copying game records, and where their move list ends.
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
    r.FirstToMove = go::Stone::White;
    r.Setup.push_back({go::Stone::Black, 4, 4});
    r.HasComments = true;
    ClearGame(r);
    EXPECT_EQ(r.Handicap, 1);
    EXPECT_EQ(r.FirstToMove, go::Stone::Black);
    EXPECT_TRUE(r.Setup.empty());
    EXPECT_FALSE(r.HasComments);
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

    // Setup stones follow the same rule as the texts.
    load.Setup.assign(100000, SetupStone{go::Stone::White, 3, 3});
    CommitGame(load, current);
    EXPECT_EQ(current.Setup.size(), 100000u);
    EXPECT_EQ(current.Setup.back(), (SetupStone{go::Stone::White, 3, 3}));
    ClearGame(load);
    load.Setup.push_back({go::Stone::Black, 1, 2});
    CommitGame(load, current);
    EXPECT_EQ(current.Setup, load.Setup);
    EXPECT_LE(current.Setup.capacity() * sizeof(SetupStone), kKeptTextCapacity);
    EXPECT_LE(load.Setup.capacity() * sizeof(SetupStone), kKeptTextCapacity);

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

}  // namespace senvola
