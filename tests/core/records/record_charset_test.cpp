// The set a record's texts are in, as the readers find it, and the texts it gives once decoded:
// every family of sets through the committed fixtures, and the bytes of two-byte sets that look
// like SGF's escapes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/text/charset_fixtures.h"
#include "native_text_decoder.h"
#include "records/go_reader.h"
#include "records/sgf_reader.h"

namespace senvola {
namespace {

using text::Charset;

GameRecord& Record() {
    static GameRecord record;  // 801 comment slots: off the stack
    return record;
}

GameRecord& ReadBytes(const std::string& bytes, ReadError expected = ReadError::None) {
    std::istringstream in(bytes);
    EXPECT_EQ(ReadSgfStream(in, "test.sgf", Record()), expected);
    return Record();
}

std::string Decoded(const GameRecord& g, const std::string& text) {
    return NativeTextDecoder().ToUtf8(text, g.Charset);
}

// Each fixture read from its file: the set found, and every text decoded as the expected record
// (the same game in UTF-8, broken bytes shown as U+FFFD) has it.
TEST(RecordCharsetTest, FixturesDecodeToTheirExpectedTexts) {
    const struct {
        const char* name;
        Charset charset;
    } cases[] = {
        {"ascii", Charset::SystemAnsi},          {"big5", Charset::Big5},
        {"euc-jp", Charset::EucJp},              {"euc-kr", Charset::EucKr},
        {"gb18030", Charset::Gb18030},           {"gbk", Charset::Gbk},  // declared GB2312
        {"gbk-invalid", Charset::Gbk},           {"iso-8859-1", Charset::Iso8859_1},
        {"iso-8859-2", Charset::Iso8859_2},      {"iso-8859-5", Charset::Iso8859_5},
        {"shift_jis", Charset::ShiftJis},        {"shift_jis-invalid", Charset::ShiftJis},
        {"undeclared-ansi", Charset::SystemAnsi}, {"utf-8", Charset::Utf8},
        {"utf-8-bom", Charset::Utf8},             {"utf-8-invalid", Charset::Utf8},
        {"utf-8-undeclared", Charset::Utf8},      {"windows-1251", Charset::Windows1251},
        {"windows-1252", Charset::Windows1252},
    };
    auto expected = std::make_unique<GameRecord>();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameRecord& game = Record();
        ASSERT_EQ(ReadSgfFile(text_test::FixturePath(c.name), game), ReadError::None);
        EXPECT_EQ(game.Charset, c.charset);
#ifdef _WIN32
        // Not every Windows converts GB18030's four-byte characters; the Windows decoder's own
        // tests know whether this one does.
        if (c.charset == Charset::Gb18030) continue;
#endif

        // The expected record is UTF-8 whatever its CA[] says: read it as such.
        std::string bytes = text_test::ReadBytes(text_test::ExpectedPath(c.name));
        if (const auto declared = text_test::DeclaredCharset(bytes)) {
            const std::size_t at = bytes.find(*declared);
            bytes.replace(at, declared->size(), "UTF-8");
        }
        std::istringstream in(bytes);
        ASSERT_EQ(ReadSgfStream(in, "expected.sgf", *expected), ReadError::None);

        EXPECT_EQ(Decoded(game, game.BlackName), expected->BlackName);
        EXPECT_EQ(Decoded(game, game.WhiteName), expected->WhiteName);
        EXPECT_EQ(Decoded(game, game.Event), expected->Event);
        EXPECT_EQ(MoveListLength(game), MoveListLength(*expected));
        for (int k = 0; k <= 3; ++k) EXPECT_EQ(Decoded(game, game.Comments[k]), expected->Comments[k]) << k;
    }
}

TEST(RecordCharsetTest, TwoByteCharactersWhoseSecondHalfIsAnEscape) {
    // Shift_JIS 表 is 95 5C and 評 is 95 5D: neither escapes nor ends the value.
    GameRecord& sjis = ReadBytes("(;CA[Shift_JIS]PB[\x95\x5c]C[\x95\x5d\x95\x5c];B[aa]C[x])");
    EXPECT_EQ(Decoded(sjis, sjis.BlackName), "表");
    EXPECT_EQ(Decoded(sjis, sjis.Comments[0]), "評表");
    EXPECT_EQ(sjis.Comments[1], "x");
    EXPECT_EQ(MoveListLength(sjis), 1);

    // CA[] after the values it governs, even right behind a value whose last byte looks like an
    // escape of the "]" after it; Big5 也 is A4 5D, 功 is A5 5C.
    GameRecord& big5 = ReadBytes("(;GM[1]PW[\xa4\x5d]PB[\xa5\x5c]CA[big5]RE[B+R];B[aa])");
    EXPECT_EQ(big5.Charset, Charset::Big5);
    EXPECT_EQ(Decoded(big5, big5.WhiteName), "也");
    EXPECT_EQ(Decoded(big5, big5.BlackName), "功");
    EXPECT_EQ(big5.Result, "B+R");
    EXPECT_EQ(MoveListLength(big5), 1);

    // A GBK escape of a lead byte keeps its pair together; "(" and "[" inside are text.
    GameRecord& gbk = ReadBytes("(;CA[gb2312]C[\\\x81\x5d(\xa1\xa2)[]PB[x])");
    EXPECT_EQ(Decoded(gbk, gbk.Comments[0]), "乚(、)[");
    EXPECT_EQ(gbk.BlackName, "x");

    // CP949 never pairs a lead byte with "]" or "\": there they keep their meaning.
    GameRecord& korean = ReadBytes("(;CA[EUC-KR]PB[\xc0\xcc\xbc\xbc\xb5\xb9]PW[\xc0]EV[\xb0\\]];B[aa])");
    EXPECT_EQ(Decoded(korean, korean.BlackName), "이세돌");
    EXPECT_EQ(Decoded(korean, korean.WhiteName), "\xEF\xBF\xBD");
    EXPECT_EQ(korean.Event, "\xb0]");
    EXPECT_EQ(MoveListLength(korean), 1);

    // A CA[] after the first node declares nothing, and a name unknown here is no declaration.
    EXPECT_EQ(ReadBytes("(;PB[J\xfcrgen];CA[Big5]B[aa])").Charset, Charset::SystemAnsi);
    EXPECT_EQ(ReadBytes("(;CA[ASCII]PB[\xe9\x87\x91])").Charset, Charset::Utf8);
    EXPECT_EQ(ReadBytes("(;CA[utf8]C[caf\xe9])").Charset, Charset::Utf8);  // declared, if broken
}

TEST(RecordCharsetTest, UndeclaredTextsAreUtf8OnlyWhenAllOfThemAre) {
    EXPECT_EQ(ReadBytes("(;PB[Lee Sedol];B[aa])").Charset, Charset::SystemAnsi);  // plain ASCII
    EXPECT_EQ(ReadBytes("(;PB[\xec\x9d\xb4];B[aa]C[ok])").Charset, Charset::Utf8);
    // One comment outside UTF-8 makes the whole record the ANSI code page's.
    EXPECT_EQ(ReadBytes("(;PB[\xec\x9d\xb4];B[aa]C[sp\xe4t])").Charset, Charset::SystemAnsi);

    const auto readGo = [](const std::string& bytes) {
        std::istringstream in(bytes);
        EXPECT_EQ(ReadGoStream(in, "test.go", Record()), ReadError::None);
        return Record().Charset;
    };
    EXPECT_EQ(readGo("EVENT\r\nBLACK \xe9\x87\x91\xe6\xaf\x9b\r\nEVENT\r\n"), Charset::Utf8);
    EXPECT_EQ(readGo("EVENT\r\nBLACK J\xfcrgen\r\nEVENT\r\n"), Charset::SystemAnsi);
}

}  // namespace
}  // namespace senvola
