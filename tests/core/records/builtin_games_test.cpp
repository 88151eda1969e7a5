#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "records/builtin_games.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

constexpr int kLengths[kBuiltInGameCount] = {325, 246, 276, 263, 283, 228};

TEST(BuiltInGames, EveryGameReplaysToItsEndWithoutAnIllegalMove) {
    AppState s;
    s.BuiltInIndex = 6;
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        LoadBuiltInGame(s);
        ASSERT_EQ(s.BuiltInIndex, row);
        NullMoveDisplay none;
        s.NeedNewGame = false;
        const ReplayOutcome r = ReplayCurrentGame(s, none);
        EXPECT_EQ(r.Entries, kLengths[row - 1]) << "game " << row;
        EXPECT_EQ(r.IllegalMove, 0) << "game " << row << " stops at move " << r.IllegalMove << " ("
                                     << r.IllegalX << "," << r.IllegalY << ") reason " << static_cast<int>(r.Reason);
        EXPECT_EQ(r.Played, r.Entries);
        EXPECT_EQ(s.Board.MoveNumber(), r.Entries + 1);
        EXPECT_FALSE(s.NeedNewGame);
    }
}

TEST(BuiltInGames, RecordsAreEvenNineteenLineGamesWithoutCommentsOrSetup) {
    AppState s;
    s.CurrentFileName = "kept.sgf";
    s.HasComments = 1;
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        LoadBuiltInGame(s);
        const GameRecord& g = s.CurrentGame;
        EXPECT_EQ(g.BoardSize, 19);
        EXPECT_EQ(g.Handicap, 1);
        EXPECT_EQ(g.FirstColour, 1);
        EXPECT_TRUE(g.Setup.empty());
        EXPECT_EQ(s.HasComments, 0);
        for (const std::string& c : g.Comments) EXPECT_TRUE(c.empty());
        for (const std::string* t : {&g.Copyright, &g.GameName, &g.TimeLimit, &g.User, &g.Round})
            EXPECT_TRUE(t->empty());
        for (const std::string* t : {&g.BlackName, &g.WhiteName, &g.BlackRank, &g.WhiteRank, &g.Event,
                                     &g.Date, &g.Result, &g.Place})
            EXPECT_FALSE(t->empty()) << "row " << row;
        for (int k = 1; k <= MoveListLength(g); ++k) {
            const bool pass = g.MoveX[k] == kPassCoord && g.MoveY[k] == kPassCoord;
            EXPECT_TRUE(pass || (g.MoveX[k] >= 1 && g.MoveX[k] <= 19 && g.MoveY[k] >= 1 && g.MoveY[k] <= 19));
        }
        EXPECT_EQ(g.MoveX[MoveListLength(g) + 1], 0);
    }
    EXPECT_EQ(s.CurrentFileName, "kept.sgf") << "the game source decides when to clear it";
    EXPECT_EQ(s.CurrentGame.BlackName, "Gu Li");
    EXPECT_EQ(s.CurrentGame.Komi, "6.5");
}

TEST(BuiltInGames, SevenCallsComeBackToTheFirstRow) {
    AppState s;
    s.BuiltInIndex = 3;  // as the random start may leave it
    std::string first;
    std::vector<int> rows;
    for (int i = 0; i < 7; ++i) {
        LoadBuiltInGame(s);
        rows.push_back(s.BuiltInIndex);
        if (i == 0) first = s.CurrentGame.BlackName + s.CurrentGame.Date;
    }
    EXPECT_EQ(rows, (std::vector<int>{4, 5, 6, 1, 2, 3, 4}));
    EXPECT_EQ(s.CurrentGame.BlackName + s.CurrentGame.Date, first);
    // A value out of range (never written by the program) still wraps to the first row.
    s.BuiltInIndex = 200;
    LoadBuiltInGame(s);
    EXPECT_EQ(s.BuiltInIndex, 1);
}

// The generated table must match the game records it was made from.
TEST(BuiltInGames, TableMatchesTheGameRecords) {
    const std::string dir = std::string(SENVOLA_SHARED_DIR) + "/games/builtin/";
    if (!std::ifstream(dir + "1.sgf")) GTEST_SKIP() << "no game records at " << dir;
    AppState s;
    s.BuiltInIndex = 6;
    const std::regex prop(R"(;([BW])\[([a-t]{0,2})\])");
    const std::regex header(R"(([A-Z]{2})\[([^\]]*)\])");
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        std::ifstream in(dir + std::to_string(row) + ".sgf", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string sgf = text.str();
        LoadBuiltInGame(s);
        const GameRecord& g = s.CurrentGame;
        int k = 0;
        for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), prop); it != std::sregex_iterator(); ++it) {
            ++k;
            const std::string v = (*it)[2];
            ASSERT_LE(k, kMaxMoves);
            if (v.empty() || v == "tt") {
                EXPECT_EQ(g.MoveX[k], kPassCoord);
            } else {
                EXPECT_EQ(g.MoveX[k], v[0] - 'a' + 1) << "row " << row << " move " << k;
                EXPECT_EQ(g.MoveY[k], v[1] - 'a' + 1) << "row " << row << " move " << k;
            }
        }
        EXPECT_EQ(MoveListLength(g), k) << "row " << row;
        for (auto it = std::sregex_iterator(sgf.begin(), sgf.end(), header); it != std::sregex_iterator(); ++it) {
            const std::string name = (*it)[1], value = (*it)[2];
            if (name == "PB") EXPECT_EQ(g.BlackName, value);
            if (name == "PW") EXPECT_EQ(g.WhiteName, value);
            if (name == "BR") EXPECT_EQ(g.BlackRank, value);
            if (name == "WR") EXPECT_EQ(g.WhiteRank, value);
            if (name == "EV") EXPECT_EQ(g.Event, value);
            if (name == "KM") EXPECT_EQ(g.Komi, value);
            if (name == "DT") EXPECT_EQ(g.Date, value);
            if (name == "RE") EXPECT_EQ(g.Result, value);
            if (name == "PC") EXPECT_EQ(g.Place, value);
        }
    }
}

}  // namespace
}  // namespace senvola
