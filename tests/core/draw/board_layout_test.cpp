// Board geometry, checked against worked numbers and against the plain floating-point reading
// of the formulas.
#include <gtest/gtest.h>

#include <cfenv>
#include <algorithm>
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
    EXPECT_EQ(p.CellHeight, 31);  // square, from the smaller side
    EXPECT_EQ(p.BoardLeft, 57);
    EXPECT_EQ(p.BoardTop, 74);
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
    EXPECT_EQ(b.CellHeight, 36);
    EXPECT_EQ(b.BoardLeft, 188);
    EXPECT_EQ(b.BoardTop, 60);
    EXPECT_EQ(b.BoardCentreX, 512);

    const BoardLayout small = Layout(640, 480, 9, false);
    EXPECT_EQ(small.CellWidth, 39);
    EXPECT_EQ(small.CellHeight, 39);
    EXPECT_EQ(small.BoardLeft, 53);
    EXPECT_EQ(small.BoardTop, 64);

    // Lines and edge grow with the cell: 1 and 2 pixels at 1080p's 42, 3 and 4 at 4K's 84.
    const BoardLayout hd = Layout(1920, 1080, 19, false);
    EXPECT_EQ(hd.CellWidth, 42);
    EXPECT_EQ(hd.LineWidth, 1);
    EXPECT_EQ(hd.EdgeWidth, 2);
    const BoardLayout uhd = Layout(3840, 2160, 19, false);
    EXPECT_EQ(uhd.CellWidth, 84);
    EXPECT_EQ(uhd.LineWidth, 3);
    EXPECT_EQ(uhd.EdgeWidth, 4);

    // An upright 1080 x 1920 screen: the board across the top, the panel below it.
    BoardLayout up = Layout(1080, 1920, 19, false);
    EXPECT_TRUE(up.Portrait);
    EXPECT_EQ(up.CellWidth, 51);
    EXPECT_EQ(up.BoardLeft, 81);
    EXPECT_EQ(up.BoardTop, 81);
    EXPECT_EQ(up.InfoLeft, 54);
    EXPECT_EQ(up.InfoTop, 2 * 28 + 1024);
    ComputePanelFrame(up);
    EXPECT_EQ(up.PanelLeft, 54);
    EXPECT_EQ(up.PanelRight, 1026);
    EXPECT_EQ(up.CommentRight - up.PanelRight, up.PanelLeft - up.CommentLeft);
    EXPECT_LT(up.PanelBottom, up.FixedTop);

    // A square screen keeps the panel beside the board, with room for a player's name and rank;
    // a screen only a little taller than wide puts it below, with room for a comment too.
    const BoardLayout square = Layout(1080, 1080, 19, false);
    EXPECT_FALSE(square.Portrait);
    EXPECT_GE(1080 - 1080 / 50 - square.InfoLeft, 1080 * 40 / 100);
    const BoardLayout upright = Layout(1200, 1600, 19, false);
    EXPECT_TRUE(upright.Portrait);
    EXPECT_GE(upright.FixedTop - upright.InfoTop, 1200 * 48 / 100);
    EXPECT_EQ(upright.BoardAreaWidth, 785);

    // The preview: the board alone whatever the options say.
    const BoardLayout preview = Layout(152, 112, 19, false);
    EXPECT_TRUE(preview.BoardOnly);
    EXPECT_EQ(preview.CellWidth, 5);
    EXPECT_FALSE(Layout(800, 600, 19, false).BoardOnly);
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
    boardOnly = boardOnly || h < 320;
    // The panel's room: 40 % of the shorter side beside the board, 48 % below it.
    const int shorter = std::min(w, h);
    const int besideHeight = h - std::max(std::min(w / 10, h / 5), h / 38 + 5 * shorter / 48);
    const int besideWidth = std::max(0, std::min(static_cast<int>(std::nearbyint(besideHeight * 0.95)),
                                                 w - w / 20 - w / 50 - shorter * 40 / 100));
    const int above = std::max(0, std::min({w - 2 * (w / 38), static_cast<int>(static_cast<long long>(h) * 62 / 100),
                                            h - 2 * (w / 38) - h / 9 - shorter * 48 / 100}));
    const bool portrait = !boardOnly && h > w && above >= std::min(besideWidth, besideHeight);
    if (boardOnly) {
        l.BoardAreaHeight = h - h / 76;
        l.BoardAreaWidth = std::min(static_cast<int>(std::nearbyint(l.BoardAreaHeight * 0.95)), w - w / 76);
    } else if (portrait) {
        l.BoardAreaHeight = l.BoardAreaWidth = above;
    } else {
        l.BoardAreaHeight = besideHeight;
        l.BoardAreaWidth = besideWidth;
    }
    const int cell = static_cast<int>(std::trunc(static_cast<double>(std::min(l.BoardAreaWidth, l.BoardAreaHeight)) / (n + 1)));
    l.CellWidth = l.CellHeight = cell;
    if (boardOnly || portrait) {
        l.BoardLeft = w / 2 - half * cell;
    } else {
        l.BoardLeft = h / 38 + l.BoardAreaWidth / 2 - half * cell;
    }
    if (boardOnly) {
        l.BoardTop = h / 2 - half * cell;
    } else {
        l.BoardTop = (portrait ? w / 38 : h / 38) + l.BoardAreaHeight / 2 - half * cell;
    }
    l.BoardCentreX = l.BoardLeft + half * cell;
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

// Whatever the window's proportions (a narrow 200 x 3000 window included), the board and its
// one-cell margin lie inside it, and with a panel the panel's first line is beside or below the
// board, never over it.
TEST(BoardLayoutTest, AnyShapeHoldsTheWholeBoard) {
    int checked = 0;
    for (int w = 100; w <= 4000; w += 50) {
        for (int h = 100; h <= 4000; h += 50) {
            for (int n : {9, 13, 19}) {
                for (bool boardOnly : {false, true}) {
                    BoardLayout l = Layout(w, h, n, boardOnly);
                    const int c = l.CellWidth;
                    ASSERT_GT(c, 0) << w << "x" << h;
                    const int left = l.BoardLeft - c, right = l.BoardLeft + n * c;
                    const int top = l.BoardTop - c, bottom = l.BoardTop + n * c;
                    ASSERT_GE(left, 0) << w << "x" << h << " n" << n << " " << boardOnly;
                    ASSERT_LE(right, w) << w << "x" << h << " n" << n << " " << boardOnly;
                    ASSERT_GE(top, 0) << w << "x" << h << " n" << n << " " << boardOnly;
                    ASSERT_LE(bottom, h) << w << "x" << h << " n" << n << " " << boardOnly;
                    if (!l.BoardOnly) {
                        ASSERT_TRUE(l.InfoLeft >= right || l.InfoTop >= bottom) << w << "x" << h << " n" << n;
                        ComputePanelFrame(l);
                        ASSERT_LE(l.PanelRight, w);
                        ASSERT_LE(l.CommentBottom, h);
                        ASSERT_LE(l.FixedBottom, h);
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 30000);
    const BoardLayout narrow = Layout(200, 3000, 19, false);
    EXPECT_TRUE(narrow.Portrait);
    EXPECT_GE(narrow.BoardLeft - narrow.CellWidth, 0);
    EXPECT_LE(narrow.BoardLeft + 19 * narrow.CellWidth, 200);
}

TEST(BoardLayoutTest, WideFlatWindowKeepsTheBoardOnTheScreen) {
    // A wide, flat window in panel mode once left a negative board area; now the board keeps
    // four fifths of the height.
    const BoardLayout l = Layout(10000, 400, 19, false);
    EXPECT_EQ(l.BoardAreaHeight, 320);
    EXPECT_EQ(l.BoardAreaWidth, 304);
    EXPECT_EQ(l.CellWidth, 15);
    EXPECT_EQ(l.CellHeight, 15);
}

TEST(BoardLayoutTest, BoardSizeBelowOneDividesByNothingWorse) {
    const BoardLayout l = Layout(800, 600, 0, false);
    EXPECT_EQ(l.CellWidth, l.BoardAreaWidth / 2);
}

}  // namespace
}  // namespace senvola
