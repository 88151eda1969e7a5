// The host's command line: window handles as hosts pass them.
#include <gtest/gtest.h>

#include "saverkit/command_line.h"

namespace saverkit {
namespace {

TEST(CommandLineTest, WindowHandlesAreDecimalNumbers) {
    EXPECT_EQ(ParseWindowHandle("1234"), reinterpret_cast<HWND>(1234));
    EXPECT_EQ(ParseWindowHandle("4294967295"), reinterpret_cast<HWND>(uintptr_t{0xFFFFFFFF}));
    EXPECT_EQ(ParseWindowHandle("-1"), reinterpret_cast<HWND>(uintptr_t{0xFFFFFFFF}));
    EXPECT_EQ(ParseWindowHandle(""), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("abc"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("0x10"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("12 "), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("-"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("4294967296"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseDecimal("+7"), 7);
}

}  // namespace
}  // namespace saverkit
