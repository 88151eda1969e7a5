// What only the Windows decoder has: the code page of each set, the system code page, and GB18030
// where Windows cannot convert code page 54936 (Wine among them).
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>
#include <string>

#include "core/text/charset_fixtures.h"
#include "win32/path_win32.h"
#include "text/utf8.h"
#include "win32/text_decoder_win32.h"

namespace senvola {
namespace {

using text::Charset;

TEST(Win32TextDecoder, EverySetHasACodePageThisWindowsConverts) {
    for (int i = 0; i < text::kCharsetCount; ++i) {
        const auto charset = static_cast<Charset>(i);
        const unsigned codePage = CodePageOf(charset);
        const bool fromTable = charset == Charset::Utf8 || charset == Charset::Iso8859_10 ||
                               charset == Charset::Iso8859_14 || charset == Charset::Iso8859_16;
        if (fromTable) {
            EXPECT_EQ(codePage, 0u) << text::CharsetName(charset);
            continue;
        }
        EXPECT_TRUE(IsValidCodePage(codePage)) << text::CharsetName(charset) << " as " << codePage;
        // A set that can be a system code page is the one that code page names back.
        if (const auto back = CharsetOfCodePage(codePage);
            back && charset != Charset::Gb18030 && charset != Charset::Iso8859_11) {
            EXPECT_EQ(*back, charset) << codePage;
        }
    }
    EXPECT_EQ(CharsetOfCodePage(CP_UTF8), Charset::Utf8);
    EXPECT_EQ(CharsetOfCodePage(437), std::nullopt);  // an OEM code page is never the ANSI one
}

TEST(Win32TextDecoder, AnsiCodePageReadsAsWindowsReadsItsAnsiText) {
    const Win32TextDecoder decoder;
    const Charset ansi = decoder.AnsiCodePage();
    ASSERT_EQ(CharsetOfCodePage(GetACP()).value_or(Charset::Windows1252), ansi);
    std::cout << "[ ansi     ] code page " << GetACP() << ", read as " << text::CharsetName(ansi) << std::endl;
    // Every byte the system code page has a character of its own for (not a C1 control, not a
    // first byte of two) reads the same through the decoder as through the ANSI conversion.
    int compared = 0;
    for (int b = 0x20; b <= 0xFF; ++b) {
        const char byte = static_cast<char>(b);
        if (IsDBCSLeadByte(static_cast<BYTE>(b))) continue;
        const std::wstring wide = WideFromAnsi(std::string_view(&byte, 1));
        if (wide.size() != 1 || (wide[0] >= 0x80 && wide[0] <= 0x9F)) continue;
        EXPECT_EQ(decoder.ToUtf8(std::string_view(&byte, 1), ansi), Utf8FromWide(wide)) << "byte " << b;
        ++compared;
    }
    EXPECT_GT(compared, 0x7F - 0x20);
}

TEST(Win32TextDecoder, Gb18030FourByteCharactersReadOrShowOneReplacementEach) {
    const Win32TextDecoder decoder;
    const std::string ohm = "\x81\x30\x93\x32";  // ő
    const std::string text = decoder.ToUtf8("Csaba M\xA8\xA6r" + ohm + " \xCE\xA7\xC6\xE5", Charset::Gb18030);
    const std::string bytes = text_test::ReadBytes(text_test::FixturePath("gb18030"));
    std::string expected = text_test::ReadBytes(text_test::ExpectedPath("gb18030"));
    ASSERT_FALSE(expected.empty());
    if (IsValidCodePage(54936)) {
        EXPECT_EQ(text, "Csaba Mérő 围棋");
    } else {
        // Windows without 54936 reads the one- and two-byte part as 936; each four-byte character
        // is one unknown character, its digits no text.
        std::cout << "[ gb18030  ] code page 54936 not available: four-byte characters show U+FFFD" << std::endl;
        EXPECT_EQ(text, "Csaba Mér" + std::string(text::kUtf8Replacement) + " 围棋");
        for (std::size_t at = expected.find("ő"); at != std::string::npos; at = expected.find("ő", at)) {
            expected.replace(at, std::string("ő").size(), text::kUtf8Replacement);
        }
    }
    EXPECT_EQ(decoder.ToUtf8(bytes, Charset::Gb18030), expected);
    EXPECT_NE(expected.find("PB[芈昱廷]"), std::string::npos);
}

}  // namespace
}  // namespace senvola
