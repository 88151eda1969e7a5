// Every real game file that loads replays to its end under the rules: no file of the corpus
// holds a move the replay would refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "records/game_file.h"
#include "records/go_reader.h"
#include "records/sgf_reader.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;

TEST(CorpusReplay, EveryLoadedGameReplaysToItsEnd) {
    const fs::path root = fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) GTEST_SKIP() << "no corpus at " << root.string();

    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (it->is_regular_file(e2)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 100u);

    auto game = std::make_unique<GameRecord>();
    int loaded = 0, failed = 0, unnamed = 0, moves = 0;
    std::vector<std::string> illegal;
    for (const fs::path& f : files) {
        const std::u8string u8 = f.u8string();
        const std::string path(u8.begin(), u8.end());
        // Paths are UTF-8: every listed file opens by its name, whatever characters it holds.
        const ReadError error = ReadGameFile(path, *game);
        if (error == ReadError::Unreadable) ++unnamed;
        if (error != ReadError::None) {
            ++failed;
            continue;
        }
        ++loaded;
        NullMoveDisplay none;
        Position position;
        const ReplayOutcome r = ReplayGame(*game, position, none);
        moves += r.Played;
        if (r.IllegalMove != 0) {
            illegal.push_back(path + ": move " + std::to_string(r.IllegalMove) + " (" + std::to_string(r.IllegalX) +
                              "," + std::to_string(r.IllegalY) + ") reason " + std::to_string(static_cast<int>(r.Reason)));
        }
    }
    std::cout << "corpus: " << files.size() << " files, " << loaded << " loaded, " << failed
              << " refused by their reader, " << unnamed << " could not be opened by their name, " << moves
              << " moves replayed, " << illegal.size() << " stopped at an illegal move\n";
    for (const std::string& line : illegal) std::cout << "  " << line << "\n";
    EXPECT_GT(loaded, static_cast<int>(files.size()) / 2);
    EXPECT_TRUE(illegal.empty()) << illegal.size() << " games stop at an illegal move";
    EXPECT_EQ(unnamed, 0) << "listed files that did not open by their name";
}

}  // namespace
}  // namespace senvola
