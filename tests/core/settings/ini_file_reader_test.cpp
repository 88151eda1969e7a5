// The portable INI reader against the rules of private profile strings.
#include "portable/ini_file_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "core/settings/temp_file.h"
#include "native_text_decoder.h"

namespace senvola {
namespace {

constexpr const char* kDef = "<default>";

std::string Read(const IniFile& f, std::string_view section, std::string_view key) {
    return f.ReadString(section, key, kDef);
}

TEST(IniFileReader, SectionsAndKeysMatchWithoutRegardToCase) {
    const auto f = IniFileReader::FromBytes("[Dutch]\r\nWhite=Wit\r\n");
    EXPECT_EQ(Read(f, "dutch", "WHITE"), "Wit");
    EXPECT_EQ(Read(f, "DUTCH", "white"), "Wit");
    EXPECT_EQ(Read(f, "Dutch", "Black"), kDef);
    EXPECT_EQ(Read(f, "German", "White"), kDef);
}

TEST(IniFileReader, OnlyAsciiLettersMatchWithoutRegardToCase) {
    // Windows-1252 bytes, read as such: names are asked for in UTF-8 (É is C3 89, é C3 A9).
    const auto f = IniFileReader::FromBytes("[\xC9" "cole]\n\xC9t\xC9=upper\n\xE9t\xE9=lower\nAbc\xC9=mixed\n");
    EXPECT_EQ(Read(f, "\xC3\x89" "COLE", "\xC3\x89t\xC3\x89"), "upper");
    EXPECT_EQ(Read(f, "\xC3\x89" "cole", "\xC3\xA9t\xC3\xA9"), "lower");
    EXPECT_EQ(Read(f, "\xC3\x89" "cole", "aBC\xC3\x89"), "mixed");
    EXPECT_EQ(Read(f, "\xC3\x89" "cole", "abc\xC3\xA9"), kDef);
    EXPECT_EQ(Read(f, "\xC3\xA9" "cole", "\xC3\x89t\xC3\x89"), kDef);
}

TEST(IniFileReader, BlanksAroundNamesAndValuesAreDropped) {
    const auto f = IniFileReader::FromBytes(
        "  [ Spaced Section ]  \r\n"
        "  Key One  =  value one  \r\n"
        "\tTabbed\t=\tx\ty\t\r\n"
        "ctrlz=\x1Az\x1A\r\n"
        "nbsp=\xA0n\xA0\r\n"
        "ctl=\x01v\x01\r\n");
    EXPECT_EQ(Read(f, "Spaced Section", "Key One"), "value one");
    EXPECT_EQ(Read(f, "  spaced section ", "  key one  "), "value one");
    EXPECT_EQ(Read(f, "Spaced Section", "Tabbed"), "x\ty");
    EXPECT_EQ(Read(f, "Spaced Section", "ctrlz"), "z");
    // Only space, tab, vertical tab, form feed and Ctrl-Z are blanks to Windows.
    EXPECT_EQ(Read(f, "Spaced Section", "nbsp"), "\xC2\xA0n\xC2\xA0");
    EXPECT_EQ(Read(f, "Spaced Section", "ctl"), "\x01v\x01");
}

TEST(IniFileReader, MatchingQuotesAroundAValueAreDropped) {
    const auto f = IniFileReader::FromBytes(
        "[Q]\n"
        "double=\"quoted\"\n"
        "single='single'\n"
        "inner= \" spaced \" \n"
        "empty=\"\"\n"
        "lone=\"\n"
        "unbalanced=\"open\n"
        "mixed=\"mixed'\n"
        "middle=\"a\"b\"\n"
        "notfirst=a\"b\"\n");
    EXPECT_EQ(Read(f, "Q", "double"), "quoted");
    EXPECT_EQ(Read(f, "Q", "single"), "single");
    EXPECT_EQ(Read(f, "Q", "inner"), " spaced ");
    EXPECT_EQ(Read(f, "Q", "empty"), "");
    EXPECT_EQ(Read(f, "Q", "lone"), "\"");
    EXPECT_EQ(Read(f, "Q", "unbalanced"), "\"open");
    EXPECT_EQ(Read(f, "Q", "mixed"), "\"mixed'");
    EXPECT_EQ(Read(f, "Q", "middle"), "a\"b");
    EXPECT_EQ(Read(f, "Q", "notfirst"), "a\"b\"");
}

TEST(IniFileReader, FirstOfDuplicateKeysAndSectionsWins) {
    const auto f = IniFileReader::FromBytes(
        "[S]\ndup=first\ndup=second\nhidden\nhidden=value\n[T]\nx=1\n[s]\ndup=third\nonly2=yes\n");
    EXPECT_EQ(Read(f, "S", "dup"), "first");
    // A line without '=' is a key without a value; it reads as missing and hides a later one.
    EXPECT_EQ(Read(f, "S", "hidden"), kDef);
    // Keys of a repeated section are never found.
    EXPECT_EQ(Read(f, "S", "only2"), kDef);
    EXPECT_EQ(Read(f, "T", "x"), "1");
}

TEST(IniFileReader, OddLinesAndHeaders) {
    const auto f = IniFileReader::FromBytes(
        "before=top\n"
        "[S]\n"
        ";comment=ignored\n"
        "; a plain comment\n"
        "noequals\n"
        "empty=\n"
        "k==v\n"
        "=nameless\n"
        "[Broken=x\n"
        "[T] ; trailing\n"
        "a=1\n"
        "[U]junk]\n"
        "b=2\n"
        "[]\n"
        "c=3\n");
    EXPECT_EQ(Read(f, "", "before"), "top");  // lines above the first header
    EXPECT_EQ(Read(f, "S", "comment"), kDef);
    EXPECT_EQ(Read(f, "S", "noequals"), kDef);
    EXPECT_EQ(Read(f, "S", "empty"), "");
    EXPECT_EQ(Read(f, "S", "k"), "=v");
    EXPECT_EQ(Read(f, "S", ""), "nameless");
    EXPECT_EQ(Read(f, "S", "[Broken"), "x");  // a header without ']' is an ordinary line
    EXPECT_EQ(Read(f, "T", "a"), "1");
    EXPECT_EQ(Read(f, "U]junk", "b"), "2");  // the name runs to the last ']'
    EXPECT_EQ(Read(f, "", "c"), kDef);       // "[]" repeats the nameless section
}

TEST(IniFileReader, LineEndsOfEveryKindAndNoFinalLineEnd) {
    const auto f = IniFileReader::FromBytes("[A]\r\ncrlf=1\r\n[B]\rcr=2\rcr2=3\r[C]\nlf=4\n\n\r\n[D]\nlast=nofinal");
    EXPECT_EQ(Read(f, "A", "crlf"), "1");
    EXPECT_EQ(Read(f, "B", "cr"), "2");
    EXPECT_EQ(Read(f, "B", "cr2"), "3");
    EXPECT_EQ(Read(f, "C", "lf"), "4");
    EXPECT_EQ(Read(f, "D", "last"), "nofinal");
}

TEST(IniFileReader, ValuesAreCutAt1023Characters) {
    const std::string x5000(5000, 'x');
    const auto f = IniFileReader::FromBytes("[L]\nlong=" + x5000 + "\nn1023=" + std::string(1023, 'n') +
                                            "\nq1023=\"" + std::string(1023, 'q') + "\"\nafter=ok\n");
    EXPECT_EQ(Read(f, "L", "long"), std::string(1023, 'x'));
    EXPECT_EQ(Read(f, "L", "n1023"), std::string(1023, 'n'));
    EXPECT_EQ(Read(f, "L", "q1023"), std::string(1023, 'q'));
    EXPECT_EQ(Read(f, "L", "after"), "ok");
    // Long names are not cut.
    const auto g = IniFileReader::FromBytes("[" + x5000 + "]\n" + x5000 + "=v\n");
    EXPECT_EQ(Read(g, x5000, x5000), "v");
}

TEST(IniFileReader, NulEndsNameAndValue) {
    using namespace std::string_literals;
    const auto f = IniFileReader::FromBytes("[W]\nnul=ab\0cd\ne\0f=g\n"s);
    EXPECT_EQ(Read(f, "W", "nul"), "ab");
    EXPECT_EQ(Read(f, "W", "e"), "g");
}

// The platform's decoder on a system whose ANSI code page is windows-1251.
class CyrillicSystem final : public TextDecoder {
public:
    std::string ToUtf8(std::string_view bytes, text::Charset from) const override {
        return native_.ToUtf8(bytes, Resolve(from));
    }
    text::Charset AnsiCodePage() const override { return text::Charset::Windows1251; }

private:
    NativeTextDecoder native_;
};

// Every text comes out in UTF-8, whatever the file is written in, so that one file can carry
// every language.
TEST(IniFileReader, TextsAreHandedOutInUtf8WhateverTheFileIsWrittenIn) {
    const std::string text = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD \xF0\x9F\x80\x84";  // été € 中 🀄
    const auto utf8 = IniFileReader::FromBytes("\xEF\xBB\xBF[B]\r\nk=" + text + "\r\n");
    EXPECT_EQ(Read(utf8, "b", "k"), text);
    EXPECT_EQ(Read(IniFileReader::FromBytes("[B]\r\nk=" + text + "\r\n"), "b", "k"), text);  // no mark
    for (const bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t c : std::u16string(u"[B]\r\nk=\u00e9t\u00e9 \u20ac \u4e2d \U0001F004\r\nbad=\xD800x\r\n")) {
            const char high = static_cast<char>(c >> 8), low = static_cast<char>(c & 0xFF);
            utf16 += bigEndian ? high : low;
            utf16 += bigEndian ? low : high;
        }
        const auto f = IniFileReader::FromBytes(utf16);
        EXPECT_EQ(Read(f, "B", "k"), text) << bigEndian;
        EXPECT_EQ(Read(f, "B", "bad"), "\xEF\xBF\xBDx") << bigEndian;  // a lone surrogate
    }
    // Without a mark and not UTF-8: the ANSI code page, Windows-1252 unless a decoder says
    // otherwise (0x81 is undefined there and reads as U+0081, as Windows has it).
    EXPECT_EQ(Read(IniFileReader::FromBytes("[B]\nk=\xE9t\xE9 \x80\x81\n"), "B", "k"), "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\xC2\x81");
    const CyrillicSystem cyrillic;
    EXPECT_EQ(Read(IniFileReader::FromBytes("[B]\nk=\xC1\xE5\xEB\xFB\xE5\n", &cyrillic), "B", "k"),
              "\xD0\x91\xD0\xB5\xD0\xBB\xD1\x8B\xD0\xB5");  // Белые
    // A broken sequence after a mark shows as U+FFFD; the cut at 1023 falls between characters.
    EXPECT_EQ(Read(IniFileReader::FromBytes("\xEF\xBB\xBF[B]\nk=a\xE4\xB8\n"), "B", "k"), "a\xEF\xBF\xBD");
    std::string wide;
    for (int i = 0; i < 1100; ++i) wide += "\xE4\xB8\xAD";
    EXPECT_EQ(Read(IniFileReader::FromBytes("[B]\nk=" + wide + "\n"), "B", "k"), wide.substr(0, 3 * 1023));
}

TEST(IniFileReader, MissingEmptyAndUnreadableFilesReadAsEmpty) {
    testutil::TempDir dir;
    const IniFileReader missing(dir.Path("absent.ini"));
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(Read(missing, "Languages", "0"), kDef);
    const IniFileReader empty(dir.Write("empty.ini", ""));
    EXPECT_TRUE(empty.Loaded());
    EXPECT_EQ(Read(empty, "Languages", "0"), kDef);
    const IniFileReader directory(dir.Path(""));  // a directory is no file
    EXPECT_EQ(Read(directory, "Languages", "0"), kDef);
    const IniFileReader real(dir.Write("real.ini", "[Languages]\r\n0=English\r\n"));
    EXPECT_EQ(Read(real, "languages", "0"), "English");
}

TEST(IniFileReader, BinaryJunkNeverCrashes) {
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 4000), '\0');
        for (char& c : bytes) {
            // Lean towards the characters that mean something to the parser.
            static constexpr char kSpecial[] = "[]=\r\n\"' ;\t\x1A";
            c = random() % 3 == 0 ? kSpecial[random() % (sizeof kSpecial - 1)] : static_cast<char>(random());
        }
        if (round % 3 == 1) bytes.insert(0, "\xEF\xBB\xBF");
        if (round % 3 == 2) bytes.insert(0, "\xFF\xFE");
        const auto f = IniFileReader::FromBytes(bytes);
        const std::string v = f.ReadString("[", "=", "d");
        EXPECT_LE(v.size(), IniFileReader::kMaxValueLength);
        EXPECT_EQ(f.ReadString("no such section", "k", "d"), "d");
    }
}

}  // namespace
}  // namespace senvola
