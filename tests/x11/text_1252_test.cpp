// Windows-1252 bytes as the UTF-8 pango needs.
#include <gtest/gtest.h>

#include <glib.h>

#include <string>

#include "text_1252.h"

namespace senvola::x11 {
namespace {

std::string Utf8(std::string_view text) {
    std::string out = "left over from before";
    Utf8From1252(text, out);
    return out;
}

TEST(Text1252Test, EveryByteBecomesItsCharacter) {
    EXPECT_EQ(Utf8("Komi 6.5"), "Komi 6.5");
    EXPECT_EQ(Utf8("Caf\xe9"), "Caf\xc3\xa9");                      // é, Latin-1 half
    EXPECT_EQ(Utf8("\x80 \x9f \xff"), "\xe2\x82\xac \xc5\xb8 \xc3\xbf");  // € Ÿ ÿ
    EXPECT_EQ(Utf8("\x93q\x94"), "\xe2\x80\x9cq\xe2\x80\x9d");      // curly quotes
    EXPECT_EQ(Utf8("\x81"), "\xc2\x81");                             // undefined: the C1 control
    EXPECT_EQ(Utf8(std::string_view("a\0b", 3)), "ab");
    EXPECT_EQ(Utf8(""), "");

    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string out = Utf8(all);
    EXPECT_TRUE(g_utf8_validate(out.data(), static_cast<gssize>(out.size()), nullptr));
    EXPECT_EQ(g_utf8_strlen(out.data(), static_cast<gssize>(out.size())), 255);
}

}  // namespace
}  // namespace senvola::x11
