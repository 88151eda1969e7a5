// Which monitor the single game goes to, and the parts of a window the monitors show.
#include "saverkit/monitors.h"

#include <gtest/gtest.h>

namespace saverkit {
namespace {

ScreenArea Area(long l, long t, long r, long b, bool primary = false) { return {RECT{l, t, r, b}, primary}; }

TEST(MonitorsTest, TheGameGoesToThePrimaryMonitorElseTheLargest) {
    EXPECT_EQ(MainArea({}), -1);
    EXPECT_EQ(MainArea({Area(-1024, 0, 0, 768), Area(0, 0, 1920, 1080, true)}), 1);
    // A primary monitor smaller than another still takes it.
    EXPECT_EQ(MainArea({Area(0, 0, 3840, 2160), Area(3840, 0, 4864, 768, true)}), 1);
    // None marked primary (a host that does not say): the largest, the first of equal ones.
    EXPECT_EQ(MainArea({Area(0, 0, 1024, 768), Area(1024, 0, 2944, 1080), Area(2944, 0, 4864, 1080)}), 1);
}

TEST(MonitorsTest, AWindowIsCutIntoTheMonitorsItSpans) {
    const RECT screen = VirtualScreen();
    EXPECT_GT(screen.right - screen.left, 0);
    EXPECT_GT(screen.bottom - screen.top, 0);
    // Reaching 100 pixels past the virtual screen's left and top edges: only what a monitor
    // shows is a part, in the window's own coordinates.
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, screen.left - 100, screen.top - 100,
                                        300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const std::vector<ScreenArea> areas = ScreenAreasOf(window);
    DestroyWindow(window);
    ASSERT_FALSE(areas.empty());
    bool leftEdge = false, topEdge = false;
    for (const ScreenArea& a : areas) {
        EXPECT_GE(a.rect.left, 100);
        EXPECT_GE(a.rect.top, 100);
        EXPECT_LE(a.rect.right, 300);
        EXPECT_LE(a.rect.bottom, 200);
        leftEdge = leftEdge || a.rect.left == 100;
        topEdge = topEdge || a.rect.top == 100;
    }
    // Some monitor lies on each edge of the virtual screen.
    EXPECT_TRUE(leftEdge);
    EXPECT_TRUE(topEdge);
}

}  // namespace
}  // namespace saverkit
