// Which set a record's texts are read in: the names files use, and the rule without one.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/charset.h"

namespace senvola::text {
namespace {

TEST(CharsetNames, NamesAreMatchedWithoutCaseOrPunctuation) {
    struct Case {
        const char* name;
        Charset charset;
    };
    const Case cases[] = {
        {"UTF-8", Charset::Utf8},          {"utf8", Charset::Utf8},
        {"Utf_8", Charset::Utf8},          {" UTF-8 ", Charset::Utf8},
        {"ISO8859_1", Charset::Iso8859_1},
        {"iso-8859-1", Charset::Iso8859_1}, {"Latin1", Charset::Iso8859_1},
        {"ISO-8859-15", Charset::Iso8859_15}, {"latin-9", Charset::Iso8859_15},
        {"iso-8859-16", Charset::Iso8859_16}, {"ISO-8859-2", Charset::Iso8859_2},
        {"windows-1252", Charset::Windows1252}, {"CP1252", Charset::Windows1252},
        {"Windows-1251", Charset::Windows1251}, {"cp1258", Charset::Windows1258},
        {"TIS-620", Charset::Windows874},   {"GB2312", Charset::Gbk},
        {"gbk", Charset::Gbk},              {"CP936", Charset::Gbk},
        {"EUC-CN", Charset::Gbk},           {"GB18030", Charset::Gb18030},
        {"BIG5", Charset::Big5},            {"Big-5", Charset::Big5},
        {"cp950", Charset::Big5},           {"EUC-KR", Charset::EucKr},
        {"euc_kr", Charset::EucKr},         {"CP949", Charset::EucKr},
        {"ks_c_5601-1987", Charset::EucKr}, {"Shift_JIS", Charset::ShiftJis},
        {"SHIFT-JIS", Charset::ShiftJis},   {"SJIS", Charset::ShiftJis},
        {"cp932", Charset::ShiftJis},       {"Windows-31J", Charset::ShiftJis},
        {"EUC-JP", Charset::EucJp},         {"eucjp", Charset::EucJp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharsetFromName(c.name), std::optional<Charset>(c.charset)) << c.name;
    }
    for (const char* unknown : {"", "ASCII", "US-ASCII", "UTF-16", "ISO-8859-12", "ISO-8859", "KOI8-R",
                                "windows-1259", "a-very-long-name-that-is-no-charset-at-all"}) {
        EXPECT_EQ(CharsetFromName(unknown), std::nullopt) << '"' << unknown << '"';
    }
}

TEST(CharsetNames, EveryShownNameReadsBackAsItsSet) {
    for (int i = 0; i < kCharsetCount; ++i) {
        const auto charset = static_cast<Charset>(i);
        const std::string_view name = CharsetName(charset);
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_EQ(CharsetFromName(name), std::optional<Charset>(charset)) << name;
    }
    EXPECT_EQ(CharsetName(Charset::Utf8), "UTF-8");
    EXPECT_EQ(CharsetName(Charset::Gbk), "GBK");
    EXPECT_EQ(CharsetName(Charset::ShiftJis), "Shift_JIS");
    EXPECT_EQ(CharsetName(Charset::Windows1252), "windows-1252");
    EXPECT_EQ(CharsetName(Charset::Iso8859_13), "ISO-8859-13");
}

TEST(CharsetChoice, DeclarationThenUtf8ThenTheAnsiCodePage) {
    const Charset ansi = Charset::Windows1251;
    // A declaration wins whatever the bytes are.
    EXPECT_EQ(ChooseCharset(Charset::ShiftJis, true, false, ansi), Charset::ShiftJis);
    EXPECT_EQ(ChooseCharset(Charset::Utf8, false, false, ansi), Charset::Utf8);
    // Without one: UTF-8 only when the text is UTF-8 and needs it.
    EXPECT_EQ(ChooseCharset(std::nullopt, true, false, ansi), Charset::Utf8);
    EXPECT_EQ(ChooseCharset(std::nullopt, true, true, ansi), ansi);
    EXPECT_EQ(ChooseCharset(std::nullopt, false, false, ansi), ansi);

    EXPECT_TRUE(IsPlainAscii("PB[Lee Sedol]\r\n\t~"));
    EXPECT_FALSE(IsPlainAscii("PB[M\xFC" "ller]"));
    EXPECT_TRUE(IsValidUtf8("PB[柯洁]"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("PB[M\xFC" "ller]"));             // windows-1252
    EXPECT_FALSE(IsValidUtf8("PB[\xBF\xC2\xBD\xE0]"));         // GBK
    EXPECT_FALSE(IsValidUtf8("PB[\x88\xE4\x8E\x52\x97\x54]"));  // Shift_JIS
}

TEST(CharsetChoice, DoubleByteLeadsStepOverASecondByteInTheAsciiRange) {
    // 十 in Shift_JIS is 8F 5C, 転 93 5D: a reader must not take them for '\' and ']'.
    EXPECT_TRUE(IsDoubleByteLead(Charset::ShiftJis, 0x8F));
    EXPECT_TRUE(IsDoubleByteLead(Charset::ShiftJis, 0xE0));
    EXPECT_FALSE(IsDoubleByteLead(Charset::ShiftJis, 0xB6));  // half-width katakana: one byte
    EXPECT_FALSE(IsDoubleByteLead(Charset::ShiftJis, 0xA0));
    for (const Charset cs : {Charset::Gbk, Charset::Gb18030, Charset::Big5, Charset::EucKr}) {
        EXPECT_TRUE(IsDoubleByteLead(cs, 0x81)) << CharsetName(cs);
        EXPECT_TRUE(IsDoubleByteLead(cs, 0xFE)) << CharsetName(cs);
        EXPECT_FALSE(IsDoubleByteLead(cs, 0x80)) << CharsetName(cs);
        EXPECT_FALSE(IsDoubleByteLead(cs, 0xFF)) << CharsetName(cs);
        EXPECT_FALSE(IsDoubleByteLead(cs, ']')) << CharsetName(cs);
    }
    // Their second bytes never fall in ASCII; single-byte sets have no pairs at all.
    for (const Charset cs : {Charset::EucJp, Charset::Utf8, Charset::Windows1252, Charset::Iso8859_5}) {
        for (int b = 0; b < 256; ++b) EXPECT_FALSE(IsDoubleByteLead(cs, static_cast<unsigned char>(b)));
    }
}

}  // namespace
}  // namespace senvola::text
