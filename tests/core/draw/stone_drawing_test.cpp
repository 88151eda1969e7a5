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
    // The marker is a third of the stone at every size, 4K included.
    for (int cell : {31, 48, 97}) EXPECT_NEAR(MarkerRadiusFor(cell), StoneRadiusFor(cell) / 3, 1e-9) << cell;
    EXPECT_GT(MarkerRadiusFor(97), 2 * MarkerRadiusFor(48) - 1);
}

// The stone's and the marker's pictures blended on the point's cell, the marker centred on it.
TEST(StoneDrawingTest, StoneAndMarkerPicturesAt1024x768) {
    Scene s;
    LayOut(s, 1024, 768, 19);  // square cells of 31
    ASSERT_EQ(s.Layout.CellWidth, 31);
    ASSERT_EQ(s.Layout.CellHeight, 31);
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 5, 4, true, true);
    const auto blends = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(blends.size(), 2u);
    const Rect cell = PointCell(s.Layout, 5, 4);
    EXPECT_TRUE(SameRect(blends[0].rect, cell));
    EXPECT_EQ(blends[0].bitmap, s.Sprites.Stone(true).bitmap.get());
    EXPECT_EQ(blends[1].bitmap, s.Sprites.Marker().bitmap.get());
    EXPECT_EQ(blends[1].rect.x1 + blends[1].rect.x2, cell.x1 + cell.x2);
    EXPECT_EQ(blends[1].rect.y1 + blends[1].rect.y2, cell.y1 + cell.y2);
    // The point is cleaned first: the stone never lands on an older rim or shadow.
    ASSERT_FALSE(OpsOf(c, CanvasOpKind::FillRect).empty());
    EXPECT_TRUE(SameRect(OpsOf(c, CanvasOpKind::FillRect)[0].rect, cell));

    c.Clear();
    DrawStone(c, s.Layout, s.Look(), 5, 6, false, false);
    const auto white = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(white.size(), 1u);
    EXPECT_EQ(white[0].bitmap, s.Sprites.Stone(false).bitmap.get());
}

TEST(StoneDrawingTest, TinyCellsStillDrawAStoneAndAMarker) {
    Scene s;
    LayOut(s, 152, 112, 19);  // the preview window: the board alone
    ASSERT_TRUE(s.Layout.BoardOnly);
    ASSERT_EQ(s.Layout.CellWidth, 5);
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 1, 1, false, true);
    const auto e = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].rect.x2 - e[0].rect.x1, 5);
    EXPECT_EQ(e[0].rect.y2 - e[0].rect.y1, 5);
    EXPECT_GE(e[1].rect.x2 - e[1].rect.x1, 2);
}

TEST(StoneDrawingTest, EachColourFollowsItsOwnPictureFlag) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Settings.UseBitmap[geBlackStones] = true;
    s.Pictures[geBlackStones] = std::make_unique<RecordingBitmap>(64, 64, true);
    s.Settings.UseBitmap[geWhiteStones] = true;  // asked for, but no picture loaded
    RecordingCanvas c;
    DrawStone(c, s.Layout, s.Look(), 11, 12, true, false);
    DrawStone(c, s.Layout, s.Look(), 12, 12, false, false);
    const auto pictures = OpsOf(c, CanvasOpKind::StretchBitmap);
    ASSERT_EQ(pictures.size(), 1u);
    const int px = s.Layout.BoardLeft + 10 * 31, py = s.Layout.BoardTop + 11 * 31;
    EXPECT_TRUE(SameRect(pictures[0].rect, {px - 15, py - 15, px + 15, py + 15}));  // square: no oval
    EXPECT_EQ(pictures[0].bitmap, s.Pictures[geBlackStones].get());
    const auto discs = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].bitmap, s.Sprites.Stone(false).bitmap.get());
}

TEST(EmptyPointTest, InteriorPointOnColourBoard) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 5, 5);
    const int px = s.Layout.BoardLeft + 4 * 31, py = s.Layout.BoardTop + 4 * 31;
    const Rect cell{px - 15, py - 15, px + 16, py + 16};
    EXPECT_TRUE(SameRect(PointCell(s.Layout, 5, 5), cell));
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_TRUE(SameRect(fills[0].rect, cell));
    EXPECT_EQ(fills[0].brush.colour, s.Settings.Color[geBoard]);
    EXPECT_FALSE(fills[0].pen.solid);
    // Grid pieces: one-pixel lines at this size, across the cell, in black.
    EXPECT_TRUE(SameRect(fills[1].rect, {px, cell.y1, px + 1, cell.y2}));
    EXPECT_TRUE(SameRect(fills[2].rect, {cell.x1, py, cell.x2, py + 1}));
    EXPECT_EQ(fills[1].brush.colour, 0u);
    EXPECT_TRUE(fills[1].brush.solid);
}

TEST(EmptyPointTest, EdgePointsGetNoStubBeyondTheEdge) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    const BoardLayout& l = s.Layout;
    auto gridAt = [&](int x, int y) {
        RecordingCanvas c;
        DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), x, y);
        auto fills = OpsOf(c, CanvasOpKind::FillRect);
        fills.erase(fills.begin());  // the surface
        return fills;
    };
    const int left = l.BoardLeft, top = l.BoardTop, right = left + 18 * 31, bottom = top + 18 * 31;
    const int e = l.EdgeWidth;
    ASSERT_EQ(e, 2);  // a heavier edge than the 1-pixel inner lines

    // The row's piece at column 1 starts at the edge line's outer side.
    auto first = gridAt(1, 7);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[1].rect.x1, LineStart(left, e));
    EXPECT_EQ(first[0].rect.x2 - first[0].rect.x1, e);  // the edge column in its own width
    auto last = gridAt(19, 7);
    EXPECT_EQ(last[1].rect.x2, LineStart(right, e) + e);
    auto topRow = gridAt(7, 1);
    EXPECT_EQ(topRow[0].rect.y1, LineStart(top, e));
    auto bottomRow = gridAt(7, 19);
    EXPECT_EQ(bottomRow[0].rect.y2, LineStart(bottom, e) + e);
    // No piece of any edge point reaches past the outer lines.
    for (int i = 1; i <= 19; ++i) {
        for (auto [x, y] : {std::pair{1, i}, std::pair{19, i}, std::pair{i, 1}, std::pair{i, 19}}) {
            for (const CanvasOp& op : gridAt(x, y)) {
                const Rect a = PaintedArea(op);
                EXPECT_GE(a.x1, LineStart(left, e));
                EXPECT_LE(a.x2, LineStart(right, e) + e);
                EXPECT_GE(a.y1, LineStart(top, e));
                EXPECT_LE(a.y2, LineStart(bottom, e) + e);
            }
        }
    }
}

TEST(EmptyPointTest, StarPointDiscIsRestored) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 16, 10);
    const auto stars = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(stars[0].bitmap, s.Sprites.Star().bitmap.get());
    // The same disc DrawBoard drew there.
    RecordingCanvas board;
    DrawBoard(board, s.Layout, s.Lines(), s.Look());
    bool found = false;
    for (const CanvasOp& op : OpsOf(board, CanvasOpKind::BlendBitmap)) found = found || SameRect(op.rect, stars[0].rect);
    EXPECT_TRUE(found);

    c.Clear();
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 16, 11);
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 0u);

    Scene t;
    LayOut(t, 1024, 768, 13);
    c.Clear();
    DrawEmptyPoint(c, t.Layout, t.Lines(), t.Look(), 3, 3);  // handicap point of 13 x 13, no star point
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 0u);
    c.Clear();
    DrawEmptyPoint(c, t.Layout, t.Lines(), t.Look(), 10, 4);
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 1u);
}

// The first tile DrawBoard lays: where the board's tiling starts.
Rect FirstTile(const Scene& s) {
    RecordingCanvas board;
    BoardLayout l = s.Layout;
    DrawBoard(board, l, s.Lines(), s.Look());
    const auto tiles = OpsOf(board, CanvasOpKind::DrawBitmap);
    return tiles.empty() ? Rect{} : tiles[0].rect;
}

TEST(EmptyPointTest, BitmapBoardRepaintsTheTilingAtTheSamePlace) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Settings.UseBitmap[geBoard] = true;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(50, 50, false);
    RecordingCanvas c;
    DrawEmptyPoint(c, s.Layout, s.Lines(), s.Look(), 5, 5);
    const auto tiles = OpsOf(c, CanvasOpKind::TileBitmap);
    ASSERT_EQ(tiles.size(), 1u);
    EXPECT_EQ(tiles[0].bitmap, s.Pictures[geBoard].get());
    EXPECT_TRUE(SameRect(tiles[0].rect, PointCell(s.Layout, 5, 5)));
    const Rect first = FirstTile(s);
    EXPECT_EQ(tiles[0].src.x1, first.x1);
    EXPECT_EQ(tiles[0].src.y1, first.y1);
    EXPECT_EQ(c.Count(CanvasOpKind::CopySelf), 0u);
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 2u);  // the grid pieces only
}

// Whatever the window, a restored point takes the tiling from where the board started it and
// stays on the surface and the window.
TEST(EmptyPointTest, TilingOriginAndClipForManyWindows) {
    int checked = 0;
    for (int w = 100; w <= 4000; w += 367) {
        for (int h = 100; h <= 3000; h += 353) {
            for (int n : {9, 13, 19}) {
                for (bool boardOnly : {false, true}) {
                    Scene s;
                    LayOut(s, w, h, n, boardOnly);
                    s.Settings.UseBitmap[geBoard] = true;
                    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(37, 23, false);
                    const BoardLayout& l = s.Layout;
                    const Rect first = FirstTile(s);
                    const Rect surface{l.BoardLeft - BoardMarginX(l), l.BoardTop - BoardMarginY(l),
                                       l.BoardLeft + (n - 1) * l.CellWidth + BoardMarginX(l),
                                       l.BoardTop + (n - 1) * l.CellHeight + BoardMarginY(l)};
                    for (auto [x, y] : {std::pair{1, 1}, std::pair{n, n}, std::pair{1, n}, std::pair{(n + 1) / 2, 2}}) {
                        RecordingCanvas c;
                        DrawEmptyPoint(c, l, n, s.Look(), x, y);
                        const auto tiles = OpsOf(c, CanvasOpKind::TileBitmap);
                        ASSERT_EQ(tiles.size(), 1u);
                        ASSERT_EQ(tiles[0].src.x1, first.x1) << w << "x" << h << " n" << n;
                        ASSERT_EQ(tiles[0].src.y1, first.y1) << w << "x" << h << " n" << n;
                        ASSERT_TRUE(Inside(tiles[0].rect, surface)) << w << "x" << h << " n" << n << " " << x << "," << y;
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace senvola
