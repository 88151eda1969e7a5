// Every file of the shared corpus of real game files through the reader its extension picks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "native_text_decoder.h"
#include "records/go_reader.h"
#include "records/sgf_reader.h"
#include "text/utf8.h"

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

struct CorpusResult {
    std::string relative;
    int code = 0;  // the number the read error is reported by
    int moves = 0;
    int32_t boardSize = 0;
    bool utf8 = false;     // the record's texts are UTF-8 (declared, or valid beyond ASCII)
    int replacements = 0;  // decoded texts holding U+FFFD
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
        const NativeTextDecoder decoder;
        for (const fs::path& p : files) {
            CorpusResult r;
            r.relative = fs::relative(p, root).generic_string();
            const bool go = HasGoExtension(p);
            // Paths are UTF-8: a name outside the ANSI code page (Chinese player names, say)
            // opens by its own name on Windows too.
            const std::u8string name = p.u8string();
            const std::string utf8(name.begin(), name.end());
            r.code = static_cast<int>(go ? ReadGoFile(utf8, game) : ReadSgfFile(utf8, game));
            r.moves = MoveListLength(game);
            r.boardSize = game.BoardSize;
            r.utf8 = game.Charset == text::Charset::Utf8;
            if (r.utf8) {
                DecodeTexts(game, decoder);
                for (const std::string* t : {&game.WhiteName, &game.BlackName, &game.WhiteRank, &game.BlackRank,
                                             &game.Event, &game.Place, &game.Result, &game.Copyright, &game.User,
                                             &game.Date, &game.GameName, &game.TimeLimit, &game.Komi}) {
                    if (t->find(text::kUtf8Replacement) != std::string::npos) ++r.replacements;
                }
                for (const std::string& c : game.Comments) {
                    if (c.find(text::kUtf8Replacement) != std::string::npos) ++r.replacements;
                }
            }
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
    std::cout << std::endl;
    // Most of the corpus is ordinary games: they must load.
    EXPECT_GT(perCode[0], static_cast<int>(results.size() * 8 / 10));
    // No file of the corpus is unreadable.
    EXPECT_EQ(perCode.count(255), 0u);
}

// The records in UTF-8 are real UTF-8: read with their CA[] (a "]" never cut a character), no
// decoded text of theirs holds a replacement.
TEST_F(ReaderCorpusTest, TextsInUtf8DecodeWithoutReplacements) {
    int utf8 = 0;
    for (const CorpusResult& r : CorpusResults()) {
        if (!r.utf8) continue;
        ++utf8;
        EXPECT_EQ(r.replacements, 0) << r.relative;
    }
    std::cout << "[ corpus   ] " << utf8 << " records with texts in UTF-8" << std::endl;
    EXPECT_GT(utf8, 600);
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
