// Coverage is the area estimate clamp(r - d + 1/2, 0, 1) at each pixel's centre: exact for a
// straight edge through the pixel and good to a few per cent on any circle a board holds, with
// no bias to either axis, so a stone is as wide as it is high.
#include "draw/stone_raster.h"

#include <algorithm>
#include <cmath>

namespace senvola {

namespace {

struct Rgb {
    double r, g, b;
};

Rgb FromColour(Colour c) {
    return {static_cast<double>(c & 0xFF), static_cast<double>((c >> 8) & 0xFF), static_cast<double>((c >> 16) & 0xFF)};
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double Coverage(double d, double r) { return std::clamp(r - d + 0.5, 0.0, 1.0); }

// Colour `c` at opacity `a` over a premultiplied pixel `under`.
uint32_t Over(const Rgb& c, double a, uint32_t under) {
    auto channel = [&](double top, int shift) {
        const double below = static_cast<double>((under >> shift) & 0xFF);
        return static_cast<uint32_t>(std::lround(std::clamp(top * a + below * (1.0 - a), 0.0, 255.0))) << shift;
    };
    const double ua = static_cast<double>(under >> 24) / 255.0;
    const double outA = a + ua * (1.0 - a);
    return (static_cast<uint32_t>(std::lround(outA * 255.0)) << 24) | channel(c.r, 16) | channel(c.g, 8) |
           channel(c.b, 0);
}

PixelImage Blank(int side) {
    PixelImage image;
    image.width = image.height = std::max(side, 0);
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    return image;
}

}  // namespace

PixelImage RasteriseDisc(int side, double cx, double cy, double r, Colour colour) {
    PixelImage image = Blank(side);
    const Rgb c = FromColour(colour);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double a = Coverage(std::hypot(x + 0.5 - cx, y + 0.5 - cy), r);
            if (a > 0) image.pixels[static_cast<std::size_t>(y) * image.width + x] = Over(c, a, 0);
        }
    }
    return image;
}

PixelImage RasteriseStone(int side, double cx, double cy, double r, Colour colour, StoneStyle style,
                          double outline) {
    PixelImage image = Blank(side);
    const Rgb base = FromColour(colour);
    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    // Lit from the upper left: a lighter spot there, the base colour across the middle, a little
    // darker at the lower-right rim; on a black stone the spot is what shows, on a white one the rim.
    const Rgb light = Mix(base, white, 0.32);
    const Rgb dark = Mix(base, black, 0.22);
    const double hx = cx - 0.38 * r, hy = cy - 0.38 * r;
    // The shadow must have faded before the square's edge, where the neighbouring point begins.
    const double edge = std::min({cx, cy, side - cx, side - cy});
    const double soft = std::max(0.8, (edge - r) * 0.5);
    // Faded out by the centre of the square's last pixel.
    const double offset = std::max(0.0, edge - 0.5 - r - soft / 2);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            uint32_t pixel = 0;
            if (style == StoneStyle::Shaded) {
                const double ds = std::hypot(px - cx - offset, py - cy - offset);
                const double shadow = 0.38 * std::clamp((r + soft / 2 - ds) / soft, 0.0, 1.0);
                if (shadow > 0) pixel = Over(black, shadow, 0);
            }
            const double d = std::hypot(px - cx, py - cy);
            const double a = Coverage(d, r);
            if (a > 0) {
                Rgb c = base;
                if (style == StoneStyle::Shaded) {
                    const double t = std::clamp(std::hypot(px - hx, py - hy) / (1.38 * r), 0.0, 1.0);
                    c = t < 0.5 ? Mix(light, base, t * 2) : Mix(base, dark, (t - 0.5) * 2);
                } else {
                    // Outline and fill blend across the outline's inner edge as well.
                    c = Mix(base, black, std::clamp(d - (r - outline) + 0.5, 0.0, 1.0));
                }
                pixel = Over(c, a, pixel);
            }
            image.pixels[static_cast<std::size_t>(y) * image.width + x] = pixel;
        }
    }
    return image;
}

}  // namespace senvola
