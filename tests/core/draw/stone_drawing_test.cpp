// Stones, the last-move marker and the restoring of empty points.
#include <gtest/gtest.h>

#include "draw/board_painter.h"
#include "draw/stone_drawing.h"
#include "core/draw/draw_test_support.h"

namespace senvola {
namespace {

using namespace draw_test;

TEST(StoneDrawingTest, RadiiRoundHalvesToEvenAndStayAtLeastTwo) {
    EXPECT_EQ(StoneRadius(31), 15);  // 15.5 -> 16
    EXPECT_EQ(StoneRadius(33), 15);  // 16.5 -> 16
    EXPECT_EQ(StoneRadius(35), 17);  // 17.5 -> 18
    EXPECT_EQ(StoneRadius(4), 2);
    EXPECT_EQ(StoneRadius(5), 2);    // 2.5 -> 2, then raised
    EXPECT_EQ(StoneRadius(7), 3);    // 3.5 -> 4
    EXPECT_EQ(StoneRadius(0), 2);
    EXPECT_EQ(StoneRadius(-40), 2);
    // Larger than a byte holds: a 9 x 9 board on a 10000-pixel window.
    EXPECT_EQ(StoneRadius(855), 427);
    EXPECT_EQ(MarkerRadius(7), 3);
    EXPECT_EQ(MarkerRadius(6), 1);
}

TEST(StoneDrawingTest, StoneBoxAndMarkerAt1024x768) {
    Scene s;
    LayOut(s, 1024, 768, 19);  // cells 31 x 33
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 4, 4, true, true);
    const auto ellipses = OpsOf(c, CanvasOpKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    const int px = 57 + 3 * 31, py = 56 + 3 * 33;
    EXPECT_TRUE(SameRect(ellipses[0].rect, {px - 15, py - 15, px + 15, py + 15}));  // 30 x 30
    EXPECT_EQ(ellipses[0].pen.colour, 0u);
    EXPECT_EQ(ellipses[0].brush.colour, s.Settings.Color[geBlackStones]);
    EXPECT_TRUE(SameRect(ellipses[1].rect, {px - 3, py - 3, px + 3, py + 3}));
    EXPECT_EQ(ellipses[1].pen.colour, 255u);
    EXPECT_EQ(ellipses[1].brush.colour, 255u);
    EXPECT_TRUE(ellipses[1].brush.solid);

    c.Clear();
    DrawStone(c, s.Layout, s.Look(), 5, 6, false, false);
    const auto white = OpsOf(c, CanvasOpKind::Ellipse);
    ASSERT_EQ(white.size(), 1u);
    EXPECT_EQ(white[0].brush.colour, s.Settings.Color[geWhiteStones]);
}

TEST(StoneDrawingTest, TinyCellsKeepRadiusTwoAndATwoPixelMarker) {
    Scene s;
    LayOut(s, 152, 112, 19);  // the preview window
    ASSERT_EQ(s.Layout.CellWidth, 4);
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 1, 1, false, true);
    const auto e = OpsOf(c, CanvasOpKind::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].rect.x2 - e[0].rect.x1, 4);
    EXPECT_EQ(e[0].rect.y2 - e[0].rect.y1, 4);
    EXPECT_EQ(e[1].rect.x2 - e[1].rect.x1, 2);
    EXPECT_EQ(e[1].rect.y2 - e[1].rect.y1, 2);
}

TEST(StoneDrawingTest, EachColourFollowsItsOwnPictureFlag) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Settings.UseBitmap[geBlackStones] = true;
    s.Pictures[geBlackStones] = std::make_unique<RecordingBitmap>(64, 64, true);
    s.Settings.UseBitmap[geWhiteStones] = true;  // asked for, but no picture loaded
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 10, 10, true, false);
    DrawStone(c, s.Layout, s.Look(), 11, 10, false, false);
    const auto pictures = OpsOf(c, CanvasOpKind::StretchBitmap);
    ASSERT_EQ(pictures.size(), 1u);
    const int px = 57 + 9 * 31, py = 56 + 9 * 33;
    EXPECT_TRUE(SameRect(pictures[0].rect, {px - 15, py - 15, px + 15, py + 15}));
    EXPECT_EQ(pictures[0].bitmap, s.Pictures[geBlackStones].get());
    const auto discs = OpsOf(c, CanvasOpKind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].brush.colour, s.Settings.Color[geWhiteStones]);
}

TEST(EmptyPointTest, InteriorPointOnColourBoard) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 5, 5);
    const int px = 57 + 4 * 31, py = 56 + 4 * 33;
    // L1 = 57 + trunc(3.5 x 31 - 1) = 57 + 107; R1 = 57 + trunc(4.5 x 31 + 1) = 57 + 140.
    const Rect cell{57 + 107, 56 + 114, 57 + 140, 56 + 149};
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_TRUE(SameRect(fills[0].rect, cell));
    EXPECT_EQ(fills[0].brush.colour, s.Settings.Color[geBoard]);
    EXPECT_FALSE(fills[0].pen.solid);
    const auto lines = OpsOf(c, CanvasOpKind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(SameRect(lines[0].rect, {cell.x1, py, cell.x2, py}));
    EXPECT_TRUE(SameRect(lines[1].rect, {px, cell.y1, px, cell.y2}));
    EXPECT_EQ(lines[0].pen.colour, 0u);
    EXPECT_TRUE(lines[0].pen.solid);
}

TEST(EmptyPointTest, EdgePointsGetNoStubBeyondTheEdge) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    const BoardLayout& l = s.Layout;
    auto linesAt = [&](int x, int y) {
        RecordingCanvas c;
        DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), x, y);
        return OpsOf(c, CanvasOpKind::Line);
    };
    const int left = 57, top = 56, right = 57 + 18 * 31, bottom = 56 + 18 * 33;

    auto first = linesAt(1, 7);
    // trunc(-0.5 x 31 - 1) = trunc(-16.5) = -16: the surface starts 16 pixels left of the line.
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 1, 7);
    EXPECT_EQ(OpsOf(c, CanvasOpKind::FillRect)[0].rect.x1, left - 16);
    EXPECT_EQ(first[0].rect.x1, left);            // horizontal starts at the point
    EXPECT_GT(first[0].rect.x2, left);
    auto last = linesAt(19, 7);
    EXPECT_EQ(last[0].rect.x2, right);            // horizontal ends at the point
    EXPECT_LT(last[0].rect.x1, right);
    auto topRow = linesAt(7, 1);
    EXPECT_EQ(topRow[1].rect.y1, top);            // vertical starts at the point
    auto bottomRow = linesAt(7, 19);
    EXPECT_EQ(bottomRow[1].rect.y2, bottom);      // vertical ends at the point
    EXPECT_LT(bottomRow[1].rect.y1, bottom);
    auto corner = linesAt(19, 19);
    EXPECT_EQ(corner[0].rect.x2, right);
    EXPECT_EQ(corner[1].rect.y2, bottom);
    // No piece of any edge point reaches past the outer lines.
    for (int i = 1; i <= 19; ++i) {
        for (auto [x, y] : {std::pair{1, i}, std::pair{19, i}, std::pair{i, 1}, std::pair{i, 19}}) {
            for (const CanvasOp& op : linesAt(x, y)) {
                const Rect a = PaintedArea(op);
                EXPECT_GE(a.x1, left);
                EXPECT_LE(a.x2, right + 1);
                EXPECT_GE(a.y1, top);
                EXPECT_LE(a.y2, bottom + 1);
            }
        }
    }
    (void)l;
}

TEST(EmptyPointTest, StarPointSquareIsRestored) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 16, 10);
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u);
    const int px = 57 + 15 * 31, py = 56 + 9 * 33;
    EXPECT_TRUE(SameRect(fills[1].rect, {px - 2, py - 2, px + 3, py + 3}));
    EXPECT_EQ(fills[1].brush.colour, 0u);
    // The same square DrawBoard drew there.
    RecordingCanvas board;
    DrawBoard(board, s.Layout, s.Lines(), s.Look());
    bool found = false;
    for (const CanvasOp& op : OpsOf(board, CanvasOpKind::FillRect)) found = found || SameRect(op.rect, fills[1].rect);
    EXPECT_TRUE(found);

    c.Clear();
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 16, 11);
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 1u);

    Scene t;
    LayOut(t, 1024, 768, 13);
    c.Clear();
    DrawEmptyPoint(c, t.Layout, t.Lines(), t.Look(), 3, 3);  // handicap point of 13 x 13, no star point
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 1u);
    c.Clear();
    DrawEmptyPoint(c, t.Layout, t.Lines(), t.Look(), 10, 4);
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 2u);
}

TEST(EmptyPointTest, BitmapBoardCopiesTheCornerMarginTwice) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Settings.UseBitmap[geBoard] = true;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(50, 50, false);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 5, 5);
    const auto copies = OpsOf(c, CanvasOpKind::CopySelf);
    ASSERT_EQ(copies.size(), 2u);
    const Rect strip{57 - 31, 56 - 33, 57, 56 - 16};
    EXPECT_TRUE(SameRect(copies[0].src, strip));
    EXPECT_TRUE(SameRect(copies[1].src, strip));
    const int py = 56 + 4 * 33;
    EXPECT_TRUE(SameRect(copies[0].rect, {57 + 107, 56 + 114, 57 + 140, py + 1}));
    EXPECT_TRUE(SameRect(copies[1].rect, {57 + 107, py - 1, 57 + 140, 56 + 149}));
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 0u);
    EXPECT_EQ(c.Count(CanvasOpKind::Line), 2u);
}

// The sampled strip holds board surface only: inside the window and the surface, clear of the
// grid and of every stone of the first row and column.
void ExpectPureTexture(const BoardLayout& l, int n, const Rect& strip) {
    EXPECT_LT(strip.x1, strip.x2);
    EXPECT_LT(strip.y1, strip.y2);
    EXPECT_GE(strip.x1, 0);
    EXPECT_GE(strip.y1, 0);
    EXPECT_LE(strip.x2, l.ScreenWidth);
    EXPECT_LE(strip.y2, l.ScreenHeight);
    EXPECT_GE(strip.x1, l.BoardLeft - BoardMarginX(l));
    EXPECT_GE(strip.y1, l.BoardTop - BoardMarginY(l));
    EXPECT_LE(strip.x2, l.BoardLeft + (n - 1) * l.CellWidth + BoardMarginX(l));
    EXPECT_LE(strip.y2, l.BoardTop + (n - 1) * l.CellHeight + BoardMarginY(l));
    // Clear of the grid: entirely above the first row or entirely left of the first column.
    EXPECT_TRUE(strip.y2 <= l.BoardTop || strip.x2 <= l.BoardLeft);
    const int rx = StoneRadius(l.CellWidth), ry = StoneRadius(l.CellHeight);
    for (int i = 1; i <= n; ++i) {
        for (auto [x, y] : {std::pair{i, 1}, std::pair{1, i}}) {
            const int px = l.BoardLeft + (x - 1) * l.CellWidth, py = l.BoardTop + (y - 1) * l.CellHeight;
            const bool apart = strip.x2 <= px - rx || strip.x1 >= px + rx || strip.y2 <= py - ry || strip.y1 >= py + ry;
            EXPECT_TRUE(apart) << "stone " << x << "," << y;
        }
    }
}

TEST(EmptyPointTest, TextureStripWhenTheCornerLiesOffTheSurface) {
    // Portrait screen, board only: the board overhangs the left edge.
    BoardLayout portrait;
    portrait.ScreenWidth = 768;
    portrait.ScreenHeight = 1024;
    ComputeBoardLayout(portrait, 19, true);
    ASSERT_LT(portrait.BoardLeft, portrait.CellWidth);
    ASSERT_GE(portrait.BoardTop, portrait.CellHeight);
    Rect strip;
    ASSERT_TRUE(BoardTextureStrip(portrait, 19, strip));
    EXPECT_EQ(strip.x1, 0);
    ExpectPureTexture(portrait, 19, strip);

    // A thin top margin: the left margin is sampled.
    BoardLayout flat;
    flat.ScreenWidth = 1000;
    flat.ScreenHeight = 1000;
    flat.CellWidth = 30;
    flat.CellHeight = 30;
    flat.BoardLeft = 40;
    flat.BoardTop = 10;
    ASSERT_TRUE(BoardTextureStrip(flat, 19, strip));
    EXPECT_TRUE(SameRect(strip, {10, 0, 25, 30}));
    ExpectPureTexture(flat, 19, strip);

    // No margin on either side: nothing to sample.
    flat.BoardLeft = 5;
    EXPECT_FALSE(BoardTextureStrip(flat, 19, strip));
}

TEST(EmptyPointTest, TextureStripIsPureSurfaceForManyWindows) {
    int sampled = 0;
    for (int w = 100; w <= 4000; w += 67) {
        for (int h = 100; h <= 3000; h += 53) {
            for (int n : {9, 13, 19}) {
                for (bool boardOnly : {false, true}) {
                    BoardLayout l;
                    l.ScreenWidth = w;
                    l.ScreenHeight = h;
                    ComputeBoardLayout(l, n, boardOnly);
                    if (l.CellWidth < 8 || l.CellHeight < 8) continue;  // stones wider than cells
                    Rect strip;
                    if (!BoardTextureStrip(l, n, strip)) continue;
                    ++sampled;
                    ExpectPureTexture(l, n, strip);
                    if (::testing::Test::HasFailure()) FAIL() << w << "x" << h << " n" << n << " " << boardOnly;
                }
            }
        }
    }
    EXPECT_GT(sampled, 1000);
}

TEST(EmptyPointTest, NoMarginFallsBackToThePictureSqueezedIntoTheCell) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Layout.BoardLeft = 3;
    s.Layout.BoardTop = 3;
    s.Settings.UseBitmap[geBoard] = true;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(50, 50, false);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 2, 2);
    EXPECT_EQ(c.Count(CanvasOpKind::CopySelf), 0u);
    const auto pics = OpsOf(c, CanvasOpKind::StretchBitmap);
    ASSERT_EQ(pics.size(), 1u);
    EXPECT_EQ(pics[0].bitmap, s.Pictures[geBoard].get());
    const int px = 3 + 31, py = 3 + 33;
    EXPECT_LT(pics[0].rect.x1, px);
    EXPECT_GT(pics[0].rect.x2, px);
    EXPECT_LT(pics[0].rect.y1, py);
    EXPECT_GT(pics[0].rect.y2, py);
}

}  // namespace
}  // namespace senvola
