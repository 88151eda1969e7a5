// The platform's decoder on records in every supported set: iconv on the host, Windows' own
// conversion when this file runs in the Windows build.
#include <gtest/gtest.h>

#include <string>

#include "native_text_decoder.h"
#include "text/charset.h"
#include "text/utf8.h"
#include "core/text/charset_fixtures.h"

namespace senvola {
namespace {

using text::Charset;
using text_test::ReadBytes;

const std::string R(text::kUtf8Replacement);

TEST(TextDecoder, EverySetReadsItsOwnLetters) {
    struct Case {
        Charset charset;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {Charset::Utf8, "Z\xC3\xBCrich \xE5\x9B\xB4\xE6\xA3\x8B", "Zürich 围棋"},
        {Charset::Iso8859_1, "Z\xFCrich \xD1" "and\xFA", "Zürich Ñandú"},
        {Charset::Iso8859_2, "\xA3\xF3" "d\xBC \xAF\xF3\xB3\xE6", "Łódź Żółć"},
        {Charset::Iso8859_3, "\xA1" "amrun \xD5gantija", "Ħamrun Ġgantija"},
        {Charset::Iso8859_4, "\xD3" "ekava \xA6 \xB3", "Ķekava Ļ ŗ"},
        {Charset::Iso8859_5, "\xBC\xDE\xE1\xDA\xD2\xD0", "Москва"},
        {Charset::Iso8859_6, "\xC7\xE4\xE2\xC7\xE7\xD1\xC9", "القاهرة"},
        {Charset::Iso8859_7, "\xC1\xE8\xDE\xED\xE1", "Αθήνα"},
        {Charset::Iso8859_8, "\xE9\xF8\xE5\xF9\xEC\xE9\xED", "ירושלים"},
        {Charset::Iso8859_9, "\xDDstanbul \xF0", "İstanbul ğ"},
        {Charset::Iso8859_10, "\xAF \xBB \xDE\xF3rsh\xF6" "fn", "Ŋ ŧ Þórshöfn"},
        {Charset::Iso8859_11, "\xA1\xC3\xD8\xA7\xE0\xB7\xBE", "กรุงเทพ"},
        {Charset::Iso8859_13, "\xD0iauliai \xCB \xF8", "Šiauliai Ė ų"},
        {Charset::Iso8859_14, "G\xF0yl \xB8 \xDE", "Gŵyl ẁ Ŷ"},
        {Charset::Iso8859_15, "\xA4 \xBD \xBE", "€ œ Ÿ"},
        {Charset::Iso8859_16, "Bucure\xBAti \xAA \xFE", "București Ș ț"},
        {Charset::Windows874, "\xA1\xC3\xD8\xA7\xE0\xB7\xBE \x80", "กรุงเทพ €"},
        {Charset::Windows1250, "\xA3\xF3" "d\x9F \xF5", "Łódź ő"},
        {Charset::Windows1251, "\xCA\xE8\xBF\xE2 \xB4", "Київ ґ"},
        {Charset::Windows1252, "\x80 \x93Z\xFCrich\x94", "€ “Zürich”"},
        {Charset::Windows1253, "\xC1\xE8\xDE\xED\xE1", "Αθήνα"},
        {Charset::Windows1254, "\xDDstanbul \xF0", "İstanbul ğ"},
        {Charset::Windows1255, "\xE9\xF8\xE5\xF9\xEC\xE9\xED \xA4", "ירושלים ₪"},
        // Ends in a letter a vowel point may follow: a converter that holds it back must
        // still give it at the end.
        {Charset::Windows1255, "\xF9\xEC\xE5\xED", "שלום"},
        {Charset::Windows1256, "\xC7\xE1\xDE\xC7\xE5\xD1\xC9", "القاهرة"},
        {Charset::Windows1257, "R\xEEga", "Rīga"},
        {Charset::Windows1258, "\xD0\xE0 \xF5 \xFD", "Đà ơ ư"},
        {Charset::Gbk, "\xCE\xA7\xC6\xE5", "围棋"},
        {Charset::Gb18030, "\xCE\xA7\xC6\xE5", "围棋"},
        {Charset::Big5, "\xB3\xF2\xB4\xD1", "圍棋"},
        {Charset::EucKr, "\xB9\xD9\xB5\xCF \x8C" "c", "바둑 똠"},  // 똠 is only in CP949
        {Charset::ShiftJis, "\x88\xCD\x8C\xE9 \xB6\xC5", "囲碁 ｶﾅ"},
        {Charset::EucJp, "\xB0\xCF\xB8\xEB \x8E\xB6\x8E\xC5", "囲碁 ｶﾅ"},
        {Charset::EucJp, "\x8F\xE2\xC7\xBE\xAE", "鄧小"},  // 鄧 is in JIS X 0212: three bytes
    };
    const NativeTextDecoder decoder;
    bool seen[text::kCharsetCount] = {};
    for (const Case& c : cases) {
        EXPECT_EQ(decoder.ToUtf8(c.bytes, c.charset), c.text) << text::CharsetName(c.charset);
        seen[static_cast<int>(c.charset)] = true;
    }
    for (int i = 0; i < text::kCharsetCount; ++i) {
        EXPECT_TRUE(seen[i]) << text::CharsetName(static_cast<Charset>(i)) << " has no case";
        // SGF's own characters, escapes and line ends are the same bytes in every set.
        const std::string ascii = "(;PB[Lee Sedol]C[a\\]b: 1~2]\r\n)";
        EXPECT_EQ(decoder.ToUtf8(ascii, static_cast<Charset>(i)), ascii);
        EXPECT_EQ(decoder.ToUtf8("", static_cast<Charset>(i)), "");
    }
}

TEST(TextDecoder, BadBytesBecomeReplacementsAndTheRestStillReads) {
    const NativeTextDecoder decoder;
    // A first byte cut off by the end of the text, in each double-byte set.
    EXPECT_EQ(decoder.ToUtf8("\xCE\xA7\xC6", Charset::Gbk), "围" + R);
    EXPECT_EQ(decoder.ToUtf8("\xB3\xF2\xB4", Charset::Big5), "圍" + R);
    EXPECT_EQ(decoder.ToUtf8("\xB9\xD9\xB5", Charset::EucKr), "바" + R);
    EXPECT_EQ(decoder.ToUtf8("\x88\xCD\x8C", Charset::ShiftJis), "囲" + R);
    EXPECT_EQ(decoder.ToUtf8("\xB0\xCF\xB8", Charset::EucJp), "囲" + R);
    // A first byte before a byte that cannot follow it: only the first byte is lost.
    EXPECT_EQ(decoder.ToUtf8("\x88 \x8C", Charset::ShiftJis), R + " " + R);
    EXPECT_EQ(decoder.ToUtf8("\xB0\x41\xCF", Charset::EucJp), R + "A" + R);
    // Bytes a Windows code page leaves undefined.
    EXPECT_EQ(decoder.ToUtf8("a\x81z", Charset::Windows1252), "a" + R + "z");
    EXPECT_EQ(decoder.ToUtf8("\x80", Charset::ShiftJis), R);
    // A bad byte after a letter the converter holds back keeps its place.
    EXPECT_EQ(decoder.ToUtf8("\xFD\x81X", Charset::Windows1258), "ư" + R + "X");
}

// Equal texts, or where the first difference is, without printing all of a long one.
::testing::AssertionResult SameText(const std::string& got, const std::string& want) {
    if (got == want) return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    const std::size_t from = at < 12 ? 0 : at - 12;
    return ::testing::AssertionFailure() << "sizes " << got.size() << " and " << want.size()
                                         << ", first difference at byte " << at << ": got \""
                                         << got.substr(from, 40) << "\", want \"" << want.substr(from, 40) << '"';
}

TEST(TextDecoder, ALongTextWithOneBadByteReadsWhole) {
    // Long enough that the converters work in several rounds.
    std::string bytes, expected;
    for (int i = 0; i < 4000; ++i) {
        bytes += "\x88\xCD\x8C\xE9";  // 囲碁
        expected += "囲碁";
        if (i == 2500) {
            bytes += "\x81";  // a first byte before a space
            expected += R;
        }
        bytes += ' ';
        expected += ' ';
    }
    const NativeTextDecoder decoder;
    EXPECT_TRUE(SameText(decoder.ToUtf8(bytes, Charset::ShiftJis), expected));
}

struct Fixture {
    const char* name;
    // The set the texts are read in; empty for the system's ANSI code page.
    std::string_view charset;
    // A text of the record as it reads in Unicode.
    const char* sample;
};

// Every fixture but GB18030, whose four-byte characters not every Windows converts: that one has
// a test of its own here and in the Windows decoder's tests.
constexpr Fixture kFixtures[] = {
    {"gbk", "GBK", "PB[柯洁]PW[古力]"},
    {"big5", "Big5", "PB[周俊勳]PW[林海峰]"},
    {"euc-kr", "EUC-KR", "PB[이세돌]PW[박정환]"},
    {"shift_jis", "Shift_JIS", "EV[第58期十段戦]"},
    {"euc-jp", "EUC-JP", "PB[張栩]PW[趙治勲]"},
    {"iso-8859-1", "ISO-8859-1", "PB[Frédéric Donzet]"},
    {"iso-8859-2", "ISO-8859-2", "PB[Ondřej Šilt]"},
    {"iso-8859-5", "ISO-8859-5", "PB[Александр Динерштейн]"},
    {"windows-1251", "windows-1251", "PB[Артем Качановський]"},
    {"windows-1252", "windows-1252", "C[Premio de 500 € – “la jugada más bella”.]"},
    {"utf-8", "UTF-8", "PB[申真谞]"},
    {"utf-8-undeclared", "UTF-8", "PB[申眞諝]"},
    {"utf-8-bom", "UTF-8", "PB[芝野虎丸]"},
    {"ascii", "", "PB[Lee Sedol]"},
    {"undeclared-ansi", "", "PB[Jürgen Dörr]"},
    {"utf-8-invalid", "UTF-8", "PB[柯\xEF\xBF\xBD洁]"},
    {"gbk-invalid", "GBK", "PB[柯\xEF\xBF\xBD 洁]"},
    {"shift_jis-invalid", "Shift_JIS", "EV[十段\xEF\xBF\xBD戦]"},
};

// The record read as a reader will: byte-order mark dropped, its set chosen by the rule.
std::string DecodeFixture(const TextDecoder& decoder, std::string_view name, Charset* chosen = nullptr) {
    const std::string bytes = ReadBytes(text_test::FixturePath(name));
    const std::string_view body = text::StripByteOrderMark(bytes);
    std::optional<Charset> declared;
    if (const auto ca = text_test::DeclaredCharset(body)) declared = text::CharsetFromName(*ca);
    const Charset charset = text::ChooseCharset(declared, text::IsValidUtf8(body), text::IsPlainAscii(body),
                                                decoder.AnsiCodePage());
    if (chosen) *chosen = charset;
    return decoder.ToUtf8(body, charset);
}

TEST(TextDecoderFixtures, EachRecordReadsAsItsUnicodeText) {
    const NativeTextDecoder decoder;
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(f.name);
        const std::string expected = ReadBytes(text_test::ExpectedPath(f.name));
        ASSERT_FALSE(expected.empty());
        Charset chosen{};
        const std::string decoded = DecodeFixture(decoder, f.name, &chosen);
        EXPECT_EQ(text::CharsetName(chosen), f.charset.empty() ? text::CharsetName(decoder.AnsiCodePage()) : f.charset);
        EXPECT_EQ(decoded, expected);
        EXPECT_NE(decoded.find(f.sample), std::string::npos) << decoded;
        EXPECT_TRUE(text::IsValidUtf8(decoded));
        // Only the broken records show replacements.
        const bool broken = std::string_view(f.name).ends_with("-invalid");
        EXPECT_EQ(decoded.find(R) != std::string::npos, broken) << decoded;
    }
}

TEST(TextDecoderFixtures, Gb18030ReadsItsFourByteCharacters) {
#ifdef _WIN32
    GTEST_SKIP() << "checked by the Windows decoder's tests, which know whether this Windows converts "
                    "code page 54936";
#else
    const NativeTextDecoder decoder;
    Charset chosen{};
    const std::string decoded = DecodeFixture(decoder, "gb18030", &chosen);
    EXPECT_EQ(chosen, Charset::Gb18030);
    EXPECT_EQ(decoded, ReadBytes(text_test::ExpectedPath("gb18030")));
    // ő has no two-byte code in GB18030: 81 30 93 32.
    EXPECT_NE(decoded.find("PW[Csaba Mérő]"), std::string::npos) << decoded;
#endif
}

}  // namespace
}  // namespace senvola
