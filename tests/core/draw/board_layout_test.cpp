// Board geometry, checked against worked numbers and against the plain floating-point reading
// of the formulas.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "core/draw/draw_test_support.h"
#include "draw/board_layout.h"

namespace senvola {
namespace {

using namespace draw_test;

TEST(BoardLayoutTest, WorkedExamples) {
    BoardLayout p = Layout(1024, 768, 19, false);
    EXPECT_EQ(p.BoardAreaHeight, 666);
    EXPECT_EQ(p.BoardAreaWidth, 633);
    EXPECT_EQ(p.CellWidth, 31);
    EXPECT_EQ(p.CellHeight, 33);
    EXPECT_EQ(p.BoardLeft, 57);
    EXPECT_EQ(p.BoardTop, 56);
    EXPECT_EQ(p.BoardCentreX, 336);
    ComputePanelFrame(p);
    EXPECT_EQ(p.PanelLeft, 684);
    EXPECT_EQ(p.PanelRight, 1004);
    EXPECT_EQ(p.PanelBottom, 748);
    EXPECT_EQ(p.CommentLeft, 687);
    EXPECT_EQ(p.CommentRight, 998);
    EXPECT_EQ(p.CommentBottom, 738);

    const BoardLayout b = Layout(1024, 768, 19, true);
    EXPECT_EQ(b.BoardAreaHeight, 758);
    EXPECT_EQ(b.BoardAreaWidth, 720);
    EXPECT_EQ(b.CellWidth, 36);
    EXPECT_EQ(b.CellHeight, 37);
    EXPECT_EQ(b.BoardLeft, 188);
    EXPECT_EQ(b.BoardTop, 51);
    EXPECT_EQ(b.BoardCentreX, 512);

    const BoardLayout small = Layout(640, 480, 9, false);
    EXPECT_EQ(small.CellWidth, 39);
    EXPECT_EQ(small.CellHeight, 41);
    EXPECT_EQ(small.BoardLeft, 53);
    EXPECT_EQ(small.BoardTop, 56);
}

TEST(BoardLayoutTest, ExactHalvesRoundToEven) {
    // Board only at 760 pixels: 760 - 10 = 750 rows, 750 x 0.95 = 712.5.
    EXPECT_EQ(Layout(1000, 760, 19, true).BoardAreaHeight, 750);
    EXPECT_EQ(Layout(1000, 760, 19, true).BoardAreaWidth, 712);
    EXPECT_EQ(RoundHalfEven(7125, 10), 712);
    EXPECT_EQ(RoundHalfEven(7135, 10), 714);
    EXPECT_EQ(RoundHalfEven(7126, 10), 713);
    EXPECT_EQ(RoundHalfEven(-7125, 10), -712);
    EXPECT_EQ(RoundHalfEven(-7135, 10), -714);
    EXPECT_EQ(RoundHalfEven(1, 2), 0);
    EXPECT_EQ(RoundHalfEven(3, 2), 2);
}

// The formulas read with doubles: round() as the FPU's nearest-even, trunc() and div toward zero.
BoardLayout FloatingLayout(int w, int h, int n, bool boardOnly) {
    BoardLayout l;
    const int half = (n - 1) / 2;
    l.BoardAreaHeight = boardOnly ? h - h / 76 : h - w / 10;
    l.BoardAreaWidth = static_cast<int>(std::nearbyint(l.BoardAreaHeight * 0.95));
    l.CellWidth = static_cast<int>(std::trunc(static_cast<double>(l.BoardAreaWidth) / (n + 1)));
    l.CellHeight = static_cast<int>(std::trunc(static_cast<double>(l.BoardAreaHeight) / (n + 1)));
    l.BoardLeft = (boardOnly ? w / 2 : h / 38 + l.BoardAreaWidth / 2) - half * l.CellWidth;
    l.BoardTop = (boardOnly ? h / 2 : h / 38 + l.BoardAreaHeight / 2) - half * l.CellHeight;
    l.BoardCentreX = l.BoardLeft + half * l.CellWidth;
    return l;
}

TEST(BoardLayoutTest, AgreesWithFloatingPointReadingForManySizes) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    int checked = 0;
    for (int h = 0; h <= 4000; h += 7) {
        for (int w : {0, 1, 152, 640, 800, 1024, 1280, 1366, 1920, 2560, 3840, 10000}) {
            for (int n : {9, 13, 19}) {
                for (bool boardOnly : {false, true}) {
                    const BoardLayout a = Layout(w, h, n, boardOnly);
                    const BoardLayout e = FloatingLayout(w, h, n, boardOnly);
                    ASSERT_EQ(a.BoardAreaHeight, e.BoardAreaHeight) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.BoardAreaWidth, e.BoardAreaWidth) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.CellWidth, e.CellWidth) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.CellHeight, e.CellHeight) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.BoardLeft, e.BoardLeft) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.BoardTop, e.BoardTop) << w << "x" << h << " n" << n;
                    ASSERT_EQ(a.BoardCentreX, e.BoardCentreX) << w << "x" << h << " n" << n;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 30000);
}

TEST(BoardLayoutTest, NegativeBoardAreaTruncatesTowardZero) {
    // A wide, flat window in panel mode leaves a negative board area.
    const BoardLayout l = Layout(10000, 1, 19, false);
    EXPECT_EQ(l.BoardAreaHeight, -999);
    EXPECT_EQ(l.BoardAreaWidth, -949);  // -949.05
    EXPECT_EQ(l.CellWidth, -47);        // -47.45, not -48
    EXPECT_EQ(l.CellHeight, -49);
}

TEST(BoardLayoutTest, BoardSizeBelowOneDividesByNothingWorse) {
    const BoardLayout l = Layout(800, 600, 0, false);
    EXPECT_EQ(l.CellWidth, l.BoardAreaWidth / 2);
}

}  // namespace
}  // namespace senvola
