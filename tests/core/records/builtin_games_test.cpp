// The six built-in games: what their records hold, and that each replays to its end.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>

#include "native_file_system.h"
#include "records/builtin_games.h"
#include "records/game_library.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

constexpr int kLengths[kBuiltInGameCount] = {325, 246, 276, 263, 283, 228};

TEST(BuiltInGames, EveryGameReplaysToItsEndWithoutAnIllegalMove) {
    auto game = std::make_unique<GameRecord>();
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        LoadBuiltInGame(row, *game);
        NullMoveDisplay none;
        Position position;
        const ReplayOutcome r = ReplayGame(*game, position, none);
        EXPECT_EQ(r.Entries, kLengths[row - 1]) << "game " << row;
        EXPECT_EQ(r.IllegalMove, 0) << "game " << row << " stops at move " << r.IllegalMove << " ("
                                     << r.IllegalX << "," << r.IllegalY << ") reason " << static_cast<int>(r.Reason);
        EXPECT_EQ(r.Played, r.Entries);
        EXPECT_EQ(position.Board.MoveNumber(), r.Entries + 1);
    }
}

TEST(BuiltInGames, RecordsAreEvenNineteenLineGamesWithoutCommentsOrSetup) {
    auto game = std::make_unique<GameRecord>();
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        // Whatever the record held before is gone.
        game->HasComments = true;
        game->Setup.push_back({go::Stone::White, 1, 1});
        game->Comments[3] = "old";
        game->FirstToMove = go::Stone::White;
        LoadBuiltInGame(row, *game);
        const GameRecord& g = *game;
        EXPECT_EQ(g.BoardSize, 19);
        EXPECT_EQ(g.Handicap, 1);
        EXPECT_EQ(g.FirstToMove, go::Stone::Black);
        EXPECT_TRUE(g.Setup.empty());
        EXPECT_FALSE(g.HasComments);
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
    EXPECT_EQ(game->BlackName, "Gu Li");
    EXPECT_EQ(game->Komi, "6.5");
}

TEST(BuiltInGames, SevenTurnsComeBackToTheFirstRow) {
    NativeFileSystem files;
    GameLibrary library(files, 1u);
    library.SetNextBuiltIn(4);  // as the random start may leave it
    auto game = std::make_unique<GameRecord>();
    std::string first;
    std::vector<int> rows;
    for (int i = 0; i < 7; ++i) {
        library.Next(*game);
        rows.push_back(library.LastBuiltIn());
        if (i == 0) first = game->BlackName + game->Date;
    }
    EXPECT_EQ(rows, (std::vector<int>{4, 5, 6, 1, 2, 3, 4}));
    EXPECT_EQ(game->BlackName + game->Date, first);
    // A turn out of range (never set by the program) still wraps to the first row.
    library.SetNextBuiltIn(200);
    library.Next(*game);
    EXPECT_EQ(library.LastBuiltIn(), 1);
}

// The generated table must match the game records it was made from.
TEST(BuiltInGames, TableMatchesTheGameRecords) {
    const std::string dir = std::string(SENVOLA_SHARED_DIR) + "/games/builtin/";
    if (!std::ifstream(dir + "1.sgf")) GTEST_SKIP() << "no game records at " << dir;
    auto game = std::make_unique<GameRecord>();
    const std::regex prop(R"(;([BW])\[([a-t]{0,2})\])");
    const std::regex header(R"(([A-Z]{2})\[([^\]]*)\])");
    for (int row = 1; row <= kBuiltInGameCount; ++row) {
        std::ifstream in(dir + std::to_string(row) + ".sgf", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string sgf = text.str();
        LoadBuiltInGame(row, *game);
        const GameRecord& g = *game;
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
            if (name == "PB") { EXPECT_EQ(g.BlackName, value); }
            if (name == "PW") { EXPECT_EQ(g.WhiteName, value); }
            if (name == "BR") { EXPECT_EQ(g.BlackRank, value); }
            if (name == "WR") { EXPECT_EQ(g.WhiteRank, value); }
            if (name == "EV") { EXPECT_EQ(g.Event, value); }
            if (name == "KM") { EXPECT_EQ(g.Komi, value); }
            if (name == "DT") { EXPECT_EQ(g.Date, value); }
            if (name == "RE") { EXPECT_EQ(g.Result, value); }
            if (name == "PC") { EXPECT_EQ(g.Place, value); }
        }
    }
}

}  // namespace
}  // namespace senvola
