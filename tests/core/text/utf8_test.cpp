// Reading UTF-8 a character at a time, broken bytes included, and where lines may break.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/charset.h"
#include "text/utf8.h"

namespace senvola::text {
namespace {

// Every boundary of `s` as DecodeUtf8 walks it from the start.
std::vector<std::size_t> Boundaries(std::string_view s) {
    std::vector<std::size_t> out{0};
    for (std::size_t at = 0; at < s.size();) {
        at += DecodeUtf8(s, at).length;
        out.push_back(at);
    }
    return out;
}

TEST(Utf8, DecodesEachLengthAndItsLimits) {
    struct Case {
        std::string bytes;
        char32_t codePoint;
    };
    const Case cases[] = {
        {"\x7F", 0x7F},         {"\xC2\x80", 0x80},         {"\xDF\xBF", 0x7FF},
        {"\xE0\xA0\x80", 0x800}, {"\xED\x9F\xBF", 0xD7FF},  {"\xEE\x80\x80", 0xE000},
        {"\xEF\xBF\xBF", 0xFFFF}, {"\xF0\x90\x80\x80", 0x10000}, {"\xF4\x8F\xBF\xBF", 0x10FFFF},
        {"\xE6\xA3\x8B", U'棋'},
    };
    for (const Case& c : cases) {
        const Utf8Char ch = DecodeUtf8(c.bytes, 0);
        EXPECT_TRUE(ch.valid) << c.bytes;
        EXPECT_EQ(ch.codePoint, c.codePoint) << c.bytes;
        EXPECT_EQ(ch.length, c.bytes.size()) << c.bytes;
        std::string encoded;
        AppendUtf8(encoded, c.codePoint);
        EXPECT_EQ(encoded, c.bytes);
    }
    EXPECT_EQ(DecodeUtf8("ab", 2).length, 0u);
}

TEST(Utf8, BrokenSequencesGiveOneReplacementPerMaximalSubpart) {
    struct Case {
        std::string bytes;
        std::string sanitised;
    };
    const std::string R(kUtf8Replacement);
    const Case cases[] = {
        {"\xE2\x82" "A", R + "A"},                       // cut three-byte sequence
        {"\xF0\x9F\x98", R},                              // cut at the end
        {"\xF0\x9F\x98\xE6\xA3\x8B", R + "棋"},          // cut by the next character
        {"\x80\xBF", R + R},                             // stray continuation bytes
        {"\xC0\xAF", R + R},                             // overlong '/'
        {"\xE0\x80\xAF", R + R + R},                     // overlong, three bytes
        {"\xED\xA0\x80", R + R + R},                     // surrogate
        {"\xF4\x90\x80\x80", R + R + R + R},             // past U+10FFFF
        {"\xF5\xFE\xFF", R + R + R},                     // never in UTF-8
        {"a\xC3", "a" + R},                              // cut two-byte at the end
        {"\xEF\xBF\xBD", R},                             // a real U+FFFD stays one
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SanitiseUtf8(c.bytes), c.sanitised) << c.bytes;
        EXPECT_TRUE(IsValidUtf8(SanitiseUtf8(c.bytes)));
        EXPECT_EQ(IsValidUtf8(c.bytes), c.bytes == "\xEF\xBF\xBD") << c.bytes;
    }
    // Valid text comes back as it is.
    const std::string valid = "Ko Ki 柯洁 — 𠮷";
    EXPECT_EQ(SanitiseUtf8(valid), valid);
    // Unencodable values become U+FFFD rather than bytes no reader takes.
    std::string out;
    AppendUtf8(out, 0xD800);
    AppendUtf8(out, 0x110000);
    EXPECT_EQ(out, R + R);
}

TEST(Utf8, CutsNeverSplitACharacter) {
    // Valid characters of every length with broken bytes among them.
    const std::string text = "a\xC3\xA9\xE6\xA3\x8B\xF0\xA0\xAE\xB7\x80\x80\x80\x80\x80z\xE2\x82\xF0\x9F\x98";
    const std::vector<std::size_t> boundaries = Boundaries(text);
    std::size_t last = 0;
    for (std::size_t pos = 0; pos <= text.size() + 2; ++pos) {
        for (const std::size_t b : boundaries) {
            if (b <= pos) last = b;
        }
        EXPECT_EQ(BoundaryAtOrBefore(text, pos), last) << "at " << pos;
    }
    // The sanitised cut is valid UTF-8 wherever the cut is asked for.
    const std::string clean = SanitiseUtf8(text);
    for (std::size_t pos = 0; pos <= clean.size(); ++pos) {
        EXPECT_TRUE(IsValidUtf8(std::string_view(clean).substr(0, BoundaryAtOrBefore(clean, pos)))) << pos;
    }
    EXPECT_EQ(CharLengthAt(text, 3), 3u);
    EXPECT_EQ(CharLengthAt(text, 4), 1u);  // a continuation byte reached directly is one broken byte
    EXPECT_EQ(CharLengthAt(text, text.size()), 0u);
    EXPECT_EQ(BytesOfFirstChars(text, 4), 10u);  // a é 棋 𠮷
    EXPECT_EQ(BytesOfFirstChars(text, 1000), text.size());
    EXPECT_EQ(BytesOfFirstChars("", 3), 0u);
}

TEST(Utf8, ByteOrderMarkIsStrippedOnlyAtTheStart) {
    EXPECT_EQ(StripByteOrderMark("\xEF\xBB\xBF[Languages]"), "[Languages]");
    EXPECT_EQ(StripByteOrderMark("[Languages]\xEF\xBB\xBF"), "[Languages]\xEF\xBB\xBF");
    EXPECT_EQ(StripByteOrderMark("\xEF\xBB"), "\xEF\xBB");
}

TEST(LineBreaks, LatinWordsBreakAfterSpacesAndHyphensOnly) {
    EXPECT_TRUE(BreakAllowedBetween(U' ', U'B'));
    EXPECT_TRUE(BreakAllowedBetween(U'-', U'B'));
    EXPECT_FALSE(BreakAllowedBetween(U'a', U'b'));
    EXPECT_FALSE(BreakAllowedBetween(U'4', U'5'));
    EXPECT_FALSE(BreakAllowedBetween(U'a', U' '));  // the space stays at the end of its line
    EXPECT_FALSE(BreakAllowedBetween(U'é', U'ß'));
    EXPECT_FALSE(BreakAllowedBetween(U'Ж', U'ы'));
    // Punctuation holds to its word even after a space or hyphen.
    EXPECT_FALSE(BreakAllowedBetween(U' ', U'!'));
    EXPECT_FALSE(BreakAllowedBetween(U'-', U')'));
    EXPECT_FALSE(BreakAllowedBetween(U'(', U' '));
}

TEST(LineBreaks, CjkBreaksBetweenCharactersButNotAtPunctuation) {
    // Between ideographs, kana and Hangul syllables, and next to Latin text.
    EXPECT_TRUE(BreakAllowedBetween(U'黑', U'棋'));
    EXPECT_TRUE(BreakAllowedBetween(U'の', U'一'));
    EXPECT_TRUE(BreakAllowedBetween(U'カ', U'タ'));
    EXPECT_TRUE(BreakAllowedBetween(U'흑', U'이'));
    EXPECT_TRUE(BreakAllowedBetween(U'A', U'棋'));
    EXPECT_TRUE(BreakAllowedBetween(U'棋', U'3'));
    EXPECT_TRUE(BreakAllowedBetween(U'ｶ', U'ﾅ'));
    EXPECT_TRUE(BreakAllowedBetween(U'𠮷', U'野'));
    EXPECT_TRUE(BreakAllowedBetween(0x3000, U'a'));  // after an ideographic space
    // A line does not begin with closing punctuation or a mark that belongs to the character
    // before it.
    for (const char32_t closing : {U'、', U'。', U'，', U'．', U'：', U'；', U'？', U'！', U'）', U'」',
                                   U'』', U'】', U'〕', U'〉', U'》', U'〙', U'〗', U'ー', U'…', U'ッ',
                                   U'ょ', U'々', U'・', U')', U'.', U',', U';', U':', U'!', U'?', U'”'}) {
        EXPECT_FALSE(BreakAllowedBetween(U'棋', closing)) << static_cast<unsigned>(closing);
    }
    // Nor does one end with opening punctuation.
    for (const char32_t opening : {U'（', U'「', U'『', U'【', U'〔', U'〈', U'《', U'〘', U'〖', U'(', U'“'}) {
        EXPECT_FALSE(BreakAllowedBetween(opening, U'棋')) << static_cast<unsigned>(opening);
        EXPECT_TRUE(BreakAllowedBetween(U'棋', opening)) << static_cast<unsigned>(opening);
    }
    EXPECT_TRUE(BreakAllowedBetween(U'。', U'白'));
    EXPECT_TRUE(BreakAllowedBetween(U'」', U'「'));
    EXPECT_FALSE(BreakAllowedBetween(U'。', U'」'));
}

}  // namespace
}  // namespace senvola::text
