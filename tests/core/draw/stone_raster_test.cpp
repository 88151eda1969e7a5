// The rasterised pieces: round, anti-aliased at the rim, opaque inside, the shadow kept inside
// the point's own square.
#include <gtest/gtest.h>

#include <set>

#include "draw/board_sprites.h"
#include "draw/stone_raster.h"
#include "portable/recording_canvas.h"

namespace senvola {
namespace {

uint32_t Alpha(uint32_t p) { return p >> 24; }

// Pixels of row y (or column x) at least half covered.
int CoveredAcross(const PixelImage& image, int y) {
    int n = 0;
    for (int x = 0; x < image.width; ++x) n += Alpha(image.At(x, y)) >= 128;
    return n;
}
int CoveredDown(const PixelImage& image, int x) {
    int n = 0;
    for (int y = 0; y < image.height; ++y) n += Alpha(image.At(x, y)) >= 128;
    return n;
}

TEST(StoneRasterTest, StonesAreRoundAntiAliasedAndOpaqueInside) {
    for (int cell : {5, 24, 42, 84, 97}) {
        for (StoneStyle style : {StoneStyle::Flat, StoneStyle::Shaded}) {
            const double c = cell / 2.0, r = StoneRadiusFor(cell);
            const PixelImage image = RasteriseStone(cell, c, c, r, 0xFFFFFF, style, 1.0);
            ASSERT_EQ(image.width, cell);
            const int mid = cell / 2;
            // Flat: no shadow, so the covered span is the stone's diameter both ways.
            if (style == StoneStyle::Flat) {
                EXPECT_NEAR(CoveredAcross(image, mid), 2 * r, 1.0) << cell;
                EXPECT_EQ(CoveredAcross(image, mid), CoveredDown(image, mid)) << cell;
            }
            EXPECT_EQ(Alpha(image.At(mid, mid)), 255u) << cell;
            // The rim holds partly covered pixels: the edge is smooth, not stepped.
            std::set<uint32_t> rim;
            for (int x = 0; x < cell; ++x) {
                const uint32_t a = Alpha(image.At(x, mid));
                if (a > 0 && a < 255) rim.insert(a);
            }
            if (cell >= 24) {
                EXPECT_FALSE(rim.empty()) << cell;
            }
            // From 1080p's cells on, the stone and its shadow have faded by the square's border
            // rows: no cut shadow where the neighbouring point begins.
            for (int x = 0; cell >= 42 && x < cell; ++x) {
                EXPECT_EQ(Alpha(image.At(x, 0)), 0u) << cell << " x " << x;
                EXPECT_LE(Alpha(image.At(x, cell - 1)), 8u) << cell << " x " << x;
                EXPECT_LE(Alpha(image.At(cell - 1, x)), 8u) << cell << " y " << x;
            }
        }
    }
}

TEST(StoneRasterTest, ShadedStoneIsLitFromTheUpperLeftWithAShadowBelowRight) {
    const int cell = 84;
    const double c = cell / 2.0, r = StoneRadiusFor(cell);
    const PixelImage black = RasteriseStone(cell, c, c, r, 0x000000, StoneStyle::Shaded, 1.0);
    auto grey = [](uint32_t p) { return (p >> 8) & 0xFF; };
    const int q = static_cast<int>(r * 0.4);
    EXPECT_GT(grey(black.At(cell / 2 - q, cell / 2 - q)), grey(black.At(cell / 2 + q, cell / 2 + q)) + 20);
    // Just outside the rim at the lower right the shadow darkens the board; at the upper left
    // nothing is drawn.
    const int out = static_cast<int>(c + r * 0.7071 + 1.5);
    EXPECT_GT(Alpha(black.At(out, out)), 0u);
    const int in = static_cast<int>(c - r * 0.7071 - 2.5);
    EXPECT_EQ(Alpha(black.At(in, in)), 0u);
    // Flat stones have no shadow at all.
    const PixelImage flat = RasteriseStone(cell, c, c, r, 0x000000, StoneStyle::Flat, 1.0);
    EXPECT_EQ(Alpha(flat.At(out, out)), 0u);
}

// The sprites follow the cell: the marker a third of the stone, star points and marker larger
// at 4K than at 1080p, and made again only when something they depend on changes.
TEST(StoneRasterTest, SpritesScaleWithTheCellAndAreMadeOncePerLayout) {
    RecordingCanvas canvas;
    ReplaySettings settings;
    BoardSprites sprites;
    BoardLayout hd;
    hd.CellWidth = hd.CellHeight = 42;
    hd.LineWidth = GridLineWidth(42);
    sprites.Prepare(canvas, hd, settings);
    const Bitmap* stone = sprites.Stone(true).bitmap.get();
    ASSERT_NE(stone, nullptr);
    const int markerHd = sprites.Marker().bitmap->Width(), starHd = sprites.Star().bitmap->Width();
    sprites.Prepare(canvas, hd, settings);
    EXPECT_EQ(sprites.Stone(true).bitmap.get(), stone) << "nothing changed: nothing made";

    BoardLayout uhd = hd;
    uhd.CellWidth = uhd.CellHeight = 84;
    uhd.LineWidth = GridLineWidth(84);
    sprites.Prepare(canvas, uhd, settings);
    EXPECT_EQ(sprites.Stone(true).bitmap->Width(), 84);
    EXPECT_GT(sprites.Marker().bitmap->Width(), markerHd + 4);
    EXPECT_GT(sprites.Star().bitmap->Width(), starHd + 4);

    settings.FlatStones = true;
    const Bitmap* shaded = sprites.Stone(false).bitmap.get();
    sprites.Prepare(canvas, uhd, settings);
    EXPECT_NE(sprites.Stone(false).bitmap.get(), shaded) << "the style changed";
}

}  // namespace
}  // namespace senvola
