// Which monitor the single game goes to. (The parts of the saver's window each monitor shows are
// checked on a two-monitor screen by tests/e2e/win_saver_monitors.sh.)
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

}  // namespace
}  // namespace saverkit
