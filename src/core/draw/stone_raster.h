// Anti-aliased discs rasterised into small pictures with alpha: stones (shaded with a shadow, or
// flat with an outline), star points and the last-move marker. Made once per layout; a move only
// blends them.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/colour.h"

namespace senvola {

// Premultiplied 0xAARRGGBB pixels, top row first.
struct PixelImage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

enum class StoneStyle : uint8_t { Shaded, Flat };

// A stone in a square of `side` pixels centred at (cx, cy) (continuous coordinates: pixel (i, j)
// covers i..i+1 by j..j+1) with radius r. Shaded: lit from the upper left, darker towards the
// rim, with a soft shadow to the lower right that fades out inside the square. Flat: the colour
// with a dark outline `outline` pixels wide.
PixelImage RasteriseStone(int side, double cx, double cy, double r, Colour colour, StoneStyle style,
                          double outline);
// A plain disc of radius r at (cx, cy) in a square of `side` pixels.
PixelImage RasteriseDisc(int side, double cx, double cy, double r, Colour colour);

}  // namespace senvola
