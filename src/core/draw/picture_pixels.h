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
