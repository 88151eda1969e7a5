// Every file of the shared corpus of real game files through the reader its extension picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "records/go_reader.h"
#include "records/sgf_reader.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;

fs::path CorpusDir() { return fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus"; }

bool HasGoExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    for (char& c : ext) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return ext == ".GO";
}

int& StreamedCount() {
    static int count = 0;
    return count;
}

struct CorpusResult {
    std::string relative;
    int code = 0;  // the number the read error is reported by
    int moves = 0;
    int32_t boardSize = 0;
};

// Reads each file once for the whole suite: the corpus is large for a run under Wine.
const std::vector<CorpusResult>& CorpusResults() {
    static const std::vector<CorpusResult> results = [] {
        std::vector<CorpusResult> out;
        const fs::path root = CorpusDir();
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        GameRecord game;
        for (const fs::path& p : files) {
            CorpusResult r;
            r.relative = fs::relative(p, root).generic_string();
            const bool go = HasGoExtension(p);
            const std::string narrow = p.string();
            if (fs::path(narrow) == p) {
                r.code = static_cast<int>(go ? ReadGoFile(narrow, game) : ReadSgfFile(narrow, game));
            } else {
                // Paths are ANSI text; on Windows a name outside the code page (Chinese
                // player names, say) has no such spelling, so read its bytes as a stream.
                std::ifstream in(p, std::ios::binary);
                r.code = static_cast<int>(go ? ReadGoStream(in, narrow, game) : ReadSgfStream(in, narrow, game));
                ++StreamedCount();
            }
            r.moves = MoveListLength(game);
            r.boardSize = game.BoardSize;
            out.push_back(r);
        }
        return out;
    }();
    return results;
}

const CorpusResult* Find(const std::string& relative) {
    for (const CorpusResult& r : CorpusResults()) {
        if (r.relative == relative) return &r;
    }
    return nullptr;
}

class ReaderCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(CorpusDir())) {
            GTEST_SKIP() << "game-file corpus not found at " << CorpusDir().string();
        }
    }
};

TEST_F(ReaderCorpusTest, EveryFileGetsACode) {
    const auto& results = CorpusResults();
    ASSERT_GT(results.size(), 2000u);
    std::map<int, int> perCode;
    for (const CorpusResult& r : results) {
        ++perCode[r.code];
        if (r.code == 0) {
            EXPECT_TRUE(r.boardSize == 9 || r.boardSize == 13 || r.boardSize == 19) << r.relative;
        }
        EXPECT_LE(r.moves, kMaxMoves) << r.relative;
    }
    std::cout << "[ corpus   ] " << results.size() << " files;";
    for (const auto& [code, count] : perCode) std::cout << " code " << code << ": " << count;
    std::cout << " (" << StreamedCount() << " read as streams: names outside the code page)"
              << std::endl;
    // Most of the corpus is ordinary games: they must load.
    EXPECT_GT(perCode[0], static_cast<int>(results.size() * 8 / 10));
    // No file of the corpus is unreadable.
    EXPECT_EQ(perCode.count(255), 0u);
}

TEST_F(ReaderCorpusTest, KnownFiles) {
    // A 100,000-move game: kept to its first 800 moves.
    if (const CorpusResult* r = Find("misc/move1e5.sgf")) {
        EXPECT_EQ(r->code, 0);
        EXPECT_EQ(r->moves, 800);
    } else {
        ADD_FAILURE() << "misc/move1e5.sgf missing from the corpus";
    }
    // A file in another format holds no SGF game: refused with code 9, not shown as an empty one.
    if (const CorpusResult* r = Find("misc/glift-tygem_example.gib")) {
        EXPECT_EQ(r->code, 9);
    }
    if (const CorpusResult* r = Find("misc/handicap.sgf")) {
        EXPECT_EQ(r->code, 0);
    }
}

}  // namespace
}  // namespace senvola
