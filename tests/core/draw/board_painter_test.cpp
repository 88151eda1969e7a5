// The empty board: surface, grid and star points, and the board picture tiled.
#include <set>

#include <gtest/gtest.h>

#include "draw/board_painter.h"
#include "core/draw/draw_test_support.h"

namespace senvola {
namespace {

using namespace draw_test;

TEST(DrawBoardTest, ColourBoardGridAndStarPoints) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u + 9u);
    EXPECT_TRUE(SameRect(fills[0].rect, {0, 0, 1024, 768}));
    EXPECT_EQ(fills[0].brush.colour, 0u);
    // One cell of board surface beyond the outer lines.
    EXPECT_TRUE(SameRect(fills[1].rect, {57 - 31, 56 - 33, 57 + 18 * 31 + 31, 56 + 18 * 33 + 33}));
    EXPECT_EQ(fills[1].brush.colour, 0x004080u);
    EXPECT_TRUE(fills[1].brush.solid);

    const auto lines = OpsOf(c, CanvasOpKind::Line);
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_TRUE(SameRect(lines[0].rect, {57, 56, 57, 56 + 18 * 33}));
    EXPECT_TRUE(SameRect(lines[1].rect, {57, 56, 57 + 18 * 31, 56}));
    EXPECT_TRUE(SameRect(lines[36].rect, {57 + 18 * 31, 56, 57 + 18 * 31, 56 + 18 * 33}));
    for (const CanvasOp& op : lines) {
        EXPECT_EQ(op.pen.colour, 0u);
        EXPECT_TRUE(op.pen.solid);
    }
    // Star points on lines 4, 10, 16: 5 x 5 squares.
    EXPECT_TRUE(SameRect(fills[2].rect, {57 + 3 * 31 - 2, 56 + 3 * 33 - 2, 57 + 3 * 31 + 3, 56 + 3 * 33 + 3}));
    EXPECT_TRUE(SameRect(fills[10].rect, {57 + 15 * 31 - 2, 56 + 15 * 33 - 2, 57 + 15 * 31 + 3, 56 + 15 * 33 + 3}));
    EXPECT_EQ(c.Pen().colour, 0u);
    EXPECT_TRUE(c.Pen().solid);
    EXPECT_EQ(c.Brush().colour, 0u);
    EXPECT_TRUE(c.Brush().solid);
}

// A board-only window height whose 9 x 9 layout has the given cell width.
int HeightForCellWidth(int cellWidth) {
    for (int h = 20; h < 2000; ++h) {
        if (Layout(2000, h, 9, true).CellWidth == cellWidth) return h;
    }
    return -1;
}

TEST(DrawBoardTest, StarPointSquareGrowsAtSevenPixels) {
    for (auto [cell, side] : {std::pair{6, 3}, std::pair{7, 5}}) {
        Scene s;
        const int h = HeightForCellWidth(cell);
        ASSERT_GT(h, 0);
        LayOut(s, 2000, h, 9, true);
        RecordingCanvas c;
        DrawBoard(c, s.Layout, s.Lines(), s.Look());
        const auto fills = OpsOf(c, CanvasOpKind::FillRect);
        ASSERT_EQ(fills.size(), 7u);  // the surface, the board, five star points
        for (std::size_t i = 2; i < fills.size(); ++i) {
            EXPECT_EQ(fills[i].rect.x2 - fills[i].rect.x1, side);
            EXPECT_EQ(fills[i].rect.y2 - fills[i].rect.y1, side);
        }
        // 9 x 9: the four 3-3 points and the centre, never the midpoints of the edges.
        const BoardLayout& l = s.Layout;
        const int r = side / 2;
        std::set<std::pair<int, int>> points;
        for (std::size_t i = 2; i < fills.size(); ++i) {
            const int dx = fills[i].rect.x1 + r - l.BoardLeft, dy = fills[i].rect.y1 + r - l.BoardTop;
            EXPECT_EQ(dx % l.CellWidth, 0);
            EXPECT_EQ(dy % l.CellHeight, 0);
            points.insert({dx / l.CellWidth + 1, dy / l.CellHeight + 1});
        }
        EXPECT_EQ(points, (std::set<std::pair<int, int>>{{3, 3}, {3, 7}, {5, 5}, {7, 3}, {7, 7}}));
    }
}

TEST(DrawBoardTest, OtherSizesHaveGridButNoStarPoints) {
    Scene s;
    LayOut(s, 800, 600, 7);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    EXPECT_EQ(c.Count(CanvasOpKind::Line), 14u);
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 2u);
    EXPECT_FALSE(IsStarPoint(7, 4, 4));
    EXPECT_TRUE(IsStarPoint(13, 4, 10));
    EXPECT_FALSE(IsStarPoint(13, 3, 3));  // a handicap point, not a star point
    EXPECT_TRUE(IsStarPoint(9, 5, 5));
    EXPECT_TRUE(IsStarPoint(9, 7, 3));
    EXPECT_FALSE(IsStarPoint(9, 5, 3));
    EXPECT_FALSE(IsStarPoint(9, 7, 5));
    EXPECT_TRUE(IsStarPoint(19, 16, 4));
    EXPECT_FALSE(IsStarPoint(19, 16, 5));
}

TEST(DrawBoardTest, SmallBitmapIsTiledFromTheSurfaceCornerAndCutOff) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    s.Settings.UseBitmap[geBoard] = true;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(20, 25, false);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const int originX = 57 - 31, originY = 56 - 33;
    const int cutX = originX + 20 * 31, cutY = originY + 20 * 33;
    const auto tiles = OpsOf(c, CanvasOpKind::DrawBitmap);
    ASSERT_FALSE(tiles.empty());
    EXPECT_EQ(tiles[0].rect.x1, originX);
    EXPECT_EQ(tiles[0].rect.y1, originY);
    int maxRight = 0, maxBottom = 0;
    for (const CanvasOp& t : tiles) {
        EXPECT_EQ((t.rect.x1 - originX) % 20, 0);
        EXPECT_EQ((t.rect.y1 - originY) % 25, 0);
        EXPECT_LT(t.rect.x1, cutX);
        EXPECT_LT(t.rect.y1, cutY);
        maxRight = std::max(maxRight, t.rect.x2);
        maxBottom = std::max(maxBottom, t.rect.y2);
    }
    // The tiles cover the whole surface, and then the black cut removes what lies beyond it.
    EXPECT_GE(maxRight, cutX);
    EXPECT_GE(maxBottom, cutY);
    EXPECT_EQ(tiles.size(), static_cast<std::size_t>(((cutX - originX + 19) / 20) * ((cutY - originY + 24) / 25)));
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_GE(fills.size(), 3u);
    EXPECT_TRUE(SameRect(fills[1].rect, {cutX, 0, 1024, 768}));
    EXPECT_TRUE(SameRect(fills[2].rect, {0, cutY, 1024, 768}));
    EXPECT_EQ(fills[1].brush.colour, 0u);
    // Every tile comes before the cut.
    std::size_t lastTile = 0, firstCut = 0;
    for (std::size_t i = 0; i < c.Ops().size(); ++i) {
        if (c.Ops()[i].kind == CanvasOpKind::DrawBitmap) lastTile = i;
        if (c.Ops()[i].kind == CanvasOpKind::FillRect && firstCut == 0 && i > 3) firstCut = i;
    }
    EXPECT_LT(lastTile, firstCut);
}

// Replays the recorded tiling onto a pixel grid: each pixel holds the picture pixel it shows.
std::vector<int> TiledPixels(const RecordingCanvas& c, int w, int h, int bw) {
    std::vector<int> px(static_cast<std::size_t>(w) * h, -1);
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == CanvasOpKind::DrawBitmap) {
            for (int y = std::max(op.rect.y1, 0); y < std::min(op.rect.y2, h); ++y)
                for (int x = std::max(op.rect.x1, 0); x < std::min(op.rect.x2, w); ++x)
                    px[y * w + x] = (y - op.rect.y1) * bw + (x - op.rect.x1);
        } else if (op.kind == CanvasOpKind::CopySelf) {
            EXPECT_EQ(op.rect.x2 - op.rect.x1, op.src.x2 - op.src.x1);  // never stretched
            EXPECT_EQ(op.rect.y2 - op.rect.y1, op.src.y2 - op.src.y1);
            const std::vector<int> before = px;
            for (int y = op.rect.y1; y < op.rect.y2; ++y)
                for (int x = op.rect.x1; x < op.rect.x2; ++x) {
                    const int sx = op.src.x1 + (x - op.rect.x1), sy = op.src.y1 + (y - op.rect.y1);
                    if (x < 0 || y < 0 || x >= w || y >= h) continue;
                    px[y * w + x] = (sx >= 0 && sy >= 0 && sx < w && sy < h) ? before[sy * w + sx] : -2;
                }
        }
    }
    return px;
}

TEST(DrawBoardTest, TinyPictureIsTiledByDoublingWithTheSamePixels) {
    Scene s;
    LayOut(s, 300, 200, 19);
    s.Settings.UseBitmap[geBoard] = true;
    const int bw = 2, bh = 3;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(bw, bh, false);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const BoardLayout& l = s.Layout;
    const int originX = l.BoardLeft - std::min(l.CellWidth, l.BoardLeft);
    const int originY = l.BoardTop - std::min(l.CellHeight, l.BoardTop);
    const int endX = std::min(originX + 20 * l.CellWidth, 300), endY = std::min(originY + 20 * l.CellHeight, 200);
    ASSERT_GT((endX - originX) / bw * ((endY - originY) / bh), 4096) << "the window must need many tiles";
    EXPECT_EQ(c.Count(CanvasOpKind::DrawBitmap), 1u);
    EXPECT_GT(c.Count(CanvasOpKind::CopySelf), 0u);
    const std::vector<int> px = TiledPixels(c, 300, 200, bw);
    for (int y = originY; y < endY; ++y)
        for (int x = originX; x < endX; ++x)
            ASSERT_EQ(px[y * 300 + x], ((y - originY) % bh) * bw + (x - originX) % bw) << x << "," << y;
}

TEST(DrawBoardTest, OnePixelPictureOnAHugeWindowTakesFewCalls) {
    Scene s;
    LayOut(s, 10000, 10000, 19);
    s.Settings.UseBitmap[geBoard] = true;
    s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(1, 1, false);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    EXPECT_EQ(c.Count(CanvasOpKind::DrawBitmap), 1u);
    EXPECT_LT(c.Count(CanvasOpKind::CopySelf), 64u);
}

TEST(DrawBoardTest, EmptyOrMissingBoardPictureFallsBackToColour) {
    for (int variant = 0; variant < 3; ++variant) {
        Scene s;
        LayOut(s, 800, 600, 19);
        s.Settings.UseBitmap[geBoard] = true;
        if (variant == 1) s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(0, 10, false);
        if (variant == 2) s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(10, 0, false);
        RecordingCanvas c;
        DrawBoard(c, s.Layout, s.Lines(), s.Look());
        EXPECT_EQ(c.Count(CanvasOpKind::DrawBitmap), 0u);
        const auto fills = OpsOf(c, CanvasOpKind::FillRect);
        ASSERT_GE(fills.size(), 2u);
        EXPECT_EQ(fills[1].brush.colour, s.Settings.Color[geBoard]);
    }
}

TEST(DrawBoardTest, DegenerateWindowsAreDrawnWithTheFormulas) {
    for (auto [w, h] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{10000, 10000}, std::pair{10000, 1},
                        std::pair{1, 10000}, std::pair{152, 112}}) {
        for (bool boardOnly : {false, true}) {
            for (bool bitmap : {false, true}) {
                Scene s;
                LayOut(s, w, h, 19, boardOnly);
                s.Settings.UseBitmap[geBoard] = bitmap;
                // One-pixel tiles where the surface is small; the count of tiles grows with the
                // area, so large windows get a larger picture.
                const int side = (w > 200 && h > 200) ? 97 : 1;
                s.Pictures[geBoard] = std::make_unique<RecordingBitmap>(side, side, false);
                RecordingCanvas c;
                DrawBoard(c, s.Layout, s.Lines(), s.Look());
                EXPECT_EQ(c.Count(CanvasOpKind::Line), 38u);
                EXPECT_TRUE(SameRect(c.Ops()[2].rect, {0, 0, w, h}));
                // Tiles outside the window are not drawn, whatever the picture's size.
                for (const CanvasOp& t : OpsOf(c, CanvasOpKind::DrawBitmap)) {
                    EXPECT_LT(t.rect.x1, std::max(w, 1));
                    EXPECT_LT(t.rect.y1, std::max(h, 1));
                }
            }
        }
    }
}

}  // namespace
}  // namespace senvola
