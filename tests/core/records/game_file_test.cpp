// Reading a game file: the reader a name selects, and where a refusal is reported.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/platform/trace_log.h"
#include "records/game_file.h"
#include "records/sgf_reader.h"

namespace senvola {
namespace {

TEST(GameFile, ReaderIsChosenByTheExtensionOfTheFileName) {
    EXPECT_TRUE(IsGoFileName("game.go"));
    EXPECT_TRUE(IsGoFileName("C:\\Games\\GAME.GO"));
    EXPECT_TRUE(IsGoFileName("/tmp/x.Go"));
    EXPECT_TRUE(IsGoFileName("a.b.go"));
    EXPECT_FALSE(IsGoFileName("game.sgf"));
    EXPECT_FALSE(IsGoFileName("game.txt"));
    EXPECT_FALSE(IsGoFileName("game"));
    EXPECT_FALSE(IsGoFileName("go"));
    EXPECT_FALSE(IsGoFileName("game.gob"));
    EXPECT_FALSE(IsGoFileName("game.go.sgf"));
    EXPECT_FALSE(IsGoFileName("C:\\old.go\\game"));  // the dot of a directory is no extension
    EXPECT_FALSE(IsGoFileName("C:/old.go/game"));
    EXPECT_FALSE(IsGoFileName(""));
}

// A refusal goes to the sink handed in and nowhere else; without one it goes nowhere, and the
// read answers the same.
TEST(GameFile, ARefusalIsReportedOnlyToTheSinkHandedIn) {
    const std::string broken = "(;GM[1]SZ[9];B[cc];W[zz])";
    testing::TraceLog log;
    GameRecord game;
    std::istringstream first(broken);
    EXPECT_EQ(ReadSgfStream(first, "broken.sgf", game, &log), ReadError::BadMove);
    EXPECT_EQ(log.messages, std::vector<std::string>{"Error loading .SGF file 4: broken.sgf"});
    std::istringstream second(broken);
    EXPECT_EQ(ReadSgfStream(second, "broken.sgf", game), ReadError::BadMove);
    EXPECT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(ReadGameFile("no-such-file.sgf", game), ReadError::Unreadable);
    EXPECT_EQ(log.messages.size(), 1u);
}

}  // namespace
}  // namespace senvola
