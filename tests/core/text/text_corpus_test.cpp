// The shared corpus of real game files through the charset rule and the platform's decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/text/charset_fixtures.h"
#include "native_text_decoder.h"
#include "text/charset.h"
#include "text/utf8.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;
using text::Charset;

fs::path CorpusDir() { return fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus"; }

struct CorpusFile {
    std::string relative;
    std::string bytes;
};

// Game records only (.sgf, any case): the corpus also holds READMEs and archives.
const std::vector<CorpusFile>& GameFiles() {
    static const std::vector<CorpusFile> files = [] {
        std::vector<CorpusFile> out;
        for (const auto& entry : fs::recursive_directory_iterator(CorpusDir())) {
            std::string ext = entry.path().extension().string();
            std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
            if (!entry.is_regular_file() || ext != ".sgf") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            out.push_back({fs::relative(entry.path(), CorpusDir()).generic_string(),
                           {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
        }
        std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.relative < b.relative; });
        return out;
    }();
    return files;
}

class TextCorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(CorpusDir())) {
            GTEST_SKIP() << "game-file corpus not found at " << CorpusDir().string();
        }
    }
    const NativeTextDecoder decoder;
};

// Files that say UTF-8 read without a replacement; one that says so but is not UTF-8 would show
// U+FFFD exactly where its bytes break, its characters around them intact.
TEST_F(TextCorpusTest, DeclaredUtf8FilesReadWithoutReplacements) {
    int declared = 0, beyondAscii = 0;
    std::vector<std::string> broken;
    for (const CorpusFile& f : GameFiles()) {
        const auto ca = text_test::DeclaredCharset(f.bytes);
        if (!ca || text::CharsetFromName(*ca) != Charset::Utf8) continue;
        ++declared;
        if (!text::IsPlainAscii(f.bytes)) ++beyondAscii;
        const std::string decoded = decoder.ToUtf8(f.bytes, Charset::Utf8);
        EXPECT_TRUE(text::IsValidUtf8(decoded)) << f.relative;
        if (text::IsValidUtf8(f.bytes)) {
            EXPECT_EQ(decoded, f.bytes) << f.relative;
            EXPECT_EQ(decoded.find(text::kUtf8Replacement), std::string::npos) << f.relative;
            continue;
        }
        broken.push_back(f.relative);
        // Each replacement stands where the bytes break, and nothing else changed.
        std::string kept;
        for (std::size_t at = 0; at < f.bytes.size();) {
            const text::Utf8Char ch = text::DecodeUtf8(f.bytes, at);
            kept.append(ch.valid ? f.bytes.substr(at, ch.length) : std::string(text::kUtf8Replacement));
            at += ch.length;
        }
        EXPECT_EQ(decoded, kept) << f.relative;
    }
    std::cout << "[ corpus   ] " << declared << " records declare UTF-8, " << beyondAscii
              << " of them with text beyond ASCII; " << broken.size() << " not valid UTF-8";
    for (const std::string& name : broken) std::cout << "\n             " << name;
    std::cout << std::endl;
    EXPECT_GT(declared, 300);
    EXPECT_GT(beyondAscii, 100);
}

// Whatever a record declares or holds, its text reads as valid Unicode; the counts per set show
// what the rule picked.
TEST_F(TextCorpusTest, EveryRecordReadsAsValidUnicode) {
    std::map<std::string_view, int> perCharset;
    int unknownNames = 0;
    for (const CorpusFile& f : GameFiles()) {
        std::optional<Charset> declared;
        if (const auto ca = text_test::DeclaredCharset(f.bytes)) {
            declared = text::CharsetFromName(*ca);
            if (!declared) ++unknownNames;
        }
        const Charset charset = text::ChooseCharset(declared, text::IsValidUtf8(f.bytes),
                                                    text::IsPlainAscii(f.bytes), decoder.AnsiCodePage());
        ++perCharset[text::CharsetName(charset)];
        const std::string decoded = decoder.ToUtf8(f.bytes, charset);
        EXPECT_TRUE(text::IsValidUtf8(decoded)) << f.relative;
        // Nothing is dropped: every byte yields at least one.
        EXPECT_GE(decoded.size(), f.bytes.size()) << f.relative;
    }
    std::cout << "[ corpus   ] " << GameFiles().size() << " records;";
    for (const auto& [name, count] : perCharset) std::cout << ' ' << name << ": " << count;
    std::cout << " (" << unknownNames << " with a CA[] name outside the supported sets)" << std::endl;
    EXPECT_GT(GameFiles().size(), 1500u);
}

}  // namespace
}  // namespace senvola
