// The empty board: surface, grid and star points, and the board picture tiled.
#include <cstdlib>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "draw/board_painter.h"
#include "draw/stone_drawing.h"
#include "core/draw/draw_test_support.h"

namespace senvola {
namespace {

using namespace draw_test;

TEST(DrawBoardTest, ColourBoardGridAndStarPoints) {
    Scene s;
    LayOut(s, 1024, 768, 19);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const int left = 57, top = 74, c31 = 31;
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u + 38u);
    EXPECT_TRUE(SameRect(fills[0].rect, {0, 0, 1024, 768}));
    EXPECT_EQ(fills[0].brush.colour, 0u);
    // One cell of board surface beyond the outer lines, in the light wood colour.
    EXPECT_TRUE(SameRect(fills[1].rect, {left - c31, top - c31, left + 19 * c31, top + 19 * c31}));
    EXPECT_EQ(fills[1].brush.colour, 0x5CB3DCu);
    EXPECT_TRUE(fills[1].brush.solid);

    // Grid lines as filled bands: the edge two pixels wide, inner lines one, the outer square
    // closed at its corners.
    EXPECT_TRUE(SameRect(fills[2].rect, {left - 1, top - 1, left + 1, top + 18 * c31 + 1}));
    EXPECT_TRUE(SameRect(fills[3].rect, {left + c31, top - 1, left + c31 + 1, top + 18 * c31 + 1}));
    EXPECT_TRUE(SameRect(fills[21].rect, {left - 1, top - 1, left + 18 * c31 + 1, top + 1}));
    for (std::size_t i = 2; i < fills.size(); ++i) {
        EXPECT_EQ(fills[i].brush.colour, 0u);
        EXPECT_TRUE(fills[i].brush.solid);
    }
    // Star points on lines 4, 10, 16: the disc picture centred on each.
    const auto stars = OpsOf(c, CanvasOpKind::BlendBitmap);
    ASSERT_EQ(stars.size(), 9u);
    for (const CanvasOp& op : stars) EXPECT_EQ(op.bitmap, s.Sprites.Star().bitmap.get());
    const int sx = left + 3 * c31, sy = top + 3 * c31;
    EXPECT_TRUE(SameRect(stars[0].rect, {sx + s.Sprites.Star().offset, sy + s.Sprites.Star().offset,
                                         sx + s.Sprites.Star().offset + stars[0].bitmap->Width(),
                                         sy + s.Sprites.Star().offset + stars[0].bitmap->Height()}));
    EXPECT_EQ(c.Pen().colour, 0u);
    EXPECT_TRUE(c.Pen().solid);
    EXPECT_EQ(c.Brush().colour, 0u);
    EXPECT_TRUE(c.Brush().solid);
}

// At the preview's size black lines a pixel wide and star-point dots would bury the black
// stones: the grid is drawn half-way to the board's colour there, on the whole board and where a
// point is cleared, and the star points are left out.
TEST(DrawBoardTest, PreviewGridIsSoftened) {
    Scene s;
    LayOut(s, 152, 112, 19);
    ASSERT_LT(s.Layout.CellWidth, 8);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const auto fills = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(fills.size(), 2u + 38u);
    for (std::size_t i = 2; i < fills.size(); ++i) EXPECT_EQ(fills[i].brush.colour, 0x2E596Eu);  // 0x5CB3DC halved
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 0u) << "no star points";
    c.Clear();
    DrawEmptyPoint(c, s.Layout, 19, s.Look(), 5, 5);
    const auto cleared = OpsOf(c, CanvasOpKind::FillRect);
    ASSERT_EQ(cleared.size(), 3u);
    EXPECT_EQ(cleared[1].brush.colour, 0x2E596Eu);
    EXPECT_EQ(c.Brush().colour, 0u);
}

// Coordinates where the layout leaves room for them: letters A-T without I centred over each
// column in the margin above and below, numbers 19..1 from the top beside each row, left and right.
TEST(DrawBoardTest, CoordinatesInTheMargin) {
    Scene s;
    LayOut(s, 1920, 1080, 19);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    const BoardLayout& l = s.Layout;
    const int cell = l.CellWidth, right = l.BoardLeft + 18 * cell, bottom = l.BoardTop + 18 * cell;
    const auto texts = OpsOf(c, CanvasOpKind::DrawString);
    ASSERT_EQ(texts.size(), 4u * 19u);
    std::string letters;
    for (std::size_t k = 0; k < 19; ++k) {
        const CanvasOp& above = texts[4 * k];
        const CanvasOp& below = texts[4 * k + 1];
        const CanvasOp& leftNumber = texts[4 * k + 2];
        const CanvasOp& rightNumber = texts[4 * k + 3];
        letters += above.text;
        EXPECT_EQ(below.text, above.text);
        EXPECT_EQ(leftNumber.text, std::to_string(19 - k));
        EXPECT_EQ(rightNumber.text, leftNumber.text);
        const int x = l.BoardLeft + static_cast<int>(k) * cell, y = l.BoardTop + static_cast<int>(k) * cell;
        // Centred on the line, within the margin's outer half: clear of the edge stones.
        EXPECT_LE(std::abs(above.rect.x1 + above.rect.x2 - 2 * x), 1);
        EXPECT_LE(std::abs(leftNumber.rect.y1 + leftNumber.rect.y2 - 2 * y), 1);
        EXPECT_GE(above.rect.y1, l.BoardTop - cell);
        EXPECT_LE(above.rect.y2, l.BoardTop - cell / 2);
        EXPECT_GE(below.rect.y1, bottom + cell / 2);
        EXPECT_LE(below.rect.y2, bottom + cell);
        EXPECT_GE(leftNumber.rect.x1, l.BoardLeft - cell);
        EXPECT_LE(leftNumber.rect.x2, l.BoardLeft - cell / 2);
        EXPECT_GE(rightNumber.rect.x1, right + cell / 2);
        EXPECT_LE(rightNumber.rect.x2, right + cell);
        // As large as the margin's outer half takes.
        EXPECT_LE(above.font.size, CoordinateFontSize(cell));
        EXPECT_GT(above.font.size, CoordinateFontSize(cell) * 3 / 4);
    }
    EXPECT_EQ(letters, "ABCDEFGHJKLMNOPQRST");

    s.Settings.ShowCoordinates = false;
    c.Clear();
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    EXPECT_EQ(c.Count(CanvasOpKind::DrawString), 0u);
}

// A board-only window height whose 9 x 9 layout has the given cell width.
int HeightForCellWidth(int cellWidth) {
    for (int h = 20; h < 2000; ++h) {
        if (Layout(2000, h, 9, true).CellWidth == cellWidth) return h;
    }
    return -1;
}

TEST(DrawBoardTest, StarPointDiscGrowsWithTheCell) {
    int lastSide = 0;
    for (int cell : {kSoftGridBelowCell, 20, 42, 84}) {  // smaller boards have none
        Scene s;
        const int h = HeightForCellWidth(cell);
        ASSERT_GT(h, 0);
        LayOut(s, 2000, h, 9, true);
        RecordingCanvas c;
        DrawBoard(c, s.Layout, s.Lines(), s.Look());
        const auto stars = OpsOf(c, CanvasOpKind::BlendBitmap);
        ASSERT_EQ(stars.size(), 5u);
        const int side = stars[0].rect.x2 - stars[0].rect.x1;
        EXPECT_GE(side, 2 * StarPointRadius(cell)) << cell;
        EXPECT_GE(side, lastSide) << cell;
        lastSide = side;
        // 9 x 9: the four 3-3 points and the centre, never the midpoints of the edges.
        const BoardLayout& l = s.Layout;
        std::set<std::pair<int, int>> points;
        for (const CanvasOp& op : stars) {
            const int dx = op.rect.x1 - s.Sprites.Star().offset - l.BoardLeft;
            const int dy = op.rect.y1 - s.Sprites.Star().offset - l.BoardTop;
            EXPECT_EQ(dx % l.CellWidth, 0);
            EXPECT_EQ(dy % l.CellHeight, 0);
            points.insert({dx / l.CellWidth + 1, dy / l.CellHeight + 1});
        }
        EXPECT_EQ(points, (std::set<std::pair<int, int>>{{3, 3}, {3, 7}, {5, 5}, {7, 3}, {7, 7}}));
    }
    EXPECT_GT(lastSide, 12);  // about a sixth of an 84-pixel cell
}

TEST(DrawBoardTest, OtherSizesHaveGridButNoStarPoints) {
    Scene s;
    LayOut(s, 800, 600, 7);
    RecordingCanvas c;
    DrawBoard(c, s.Layout, s.Lines(), s.Look());
    EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 2u + 14u);
    EXPECT_EQ(c.Count(CanvasOpKind::BlendBitmap), 0u);
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
    const int originX = 57 - 31, originY = 74 - 31;
    const int cutX = originX + 20 * 31, cutY = originY + 20 * 31;
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
                // The window, the surface (or the tiles and two cuts), 38 grid lines.
                const std::size_t cuts = bitmap && s.Pictures[geBoard] ? 2u : 1u;
                EXPECT_EQ(c.Count(CanvasOpKind::FillRect), 1u + cuts + 38u) << w << "x" << h;
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
