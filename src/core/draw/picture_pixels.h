// Pixel work on decoded pictures that is the same on every platform: reading a 32-bit picture's
// fourth byte as alpha, and drawing a picture smaller or larger without losing what lies between
// the sampled pixels. Pixels are 0xAARRGGBB, rows top-down; with alpha they are premultiplied, as
// both AlphaBlend and cairo take them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace senvola {

// Decides whether a 32-bit picture's fourth bytes are alpha and brings the pixels into the form
// drawing takes. Writers that know no alpha leave the byte the same everywhere (0, 255, or
// whatever they fill it with): such a picture is opaque, and its fourth bytes are set to 0 as
// for any other opaque picture. A picture with alpha has clear and opaque pixels at least, so
// where the byte varies its colours are premultiplied by it and true is returned.
bool PremultiplyIfTranslucent(uint32_t* pixels, std::size_t count);

// A picture made transparent by one key colour (`key`, 0xRRGGBB; the fourth bytes of `src` are
// ignored) as premultiplied pixels into `dst`: the key colour clear, everything else opaque,
// except the pixels at the rim of what is left that a painting program blended with the key
// colour when it smoothed an edge. Such a pixel lies between the key and the colour just inside
// it; it is taken apart again, its share of that colour becoming its alpha, so that the soft edge
// stays soft without a fringe of the key colour. A pixel that is no such blend (a hard edge, an
// outline of another colour) stays opaque as it is.
void KeyedToPremultiplied(const uint32_t* src, int width, int height, uint32_t key, uint32_t* dst);

// Resamples src (srcWidth x srcHeight, premultiplied or opaque with any fourth byte) into dst
// (dstWidth x dstHeight), each direction on its own. Shrinking, a target pixel is the mean of the
// source pixels it covers, each weighted by how much of it it covers, so the rows and columns
// that nearest-pixel stretching would drop are averaged in; enlarging, it is interpolated
// between the two nearest (linearly). Premultiplied, a fully transparent pixel adds no colour to
// its neighbours, so a soft edge stays soft and has no fringe. `scratch` must hold dstWidth x srcHeight x 4
// floats.
void ResamplePixels(const uint32_t* src, int srcWidth, int srcHeight, uint32_t* dst, int dstWidth, int dstHeight,
                    float* scratch);

}  // namespace senvola
