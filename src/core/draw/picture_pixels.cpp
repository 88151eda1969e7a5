#include "draw/picture_pixels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace senvola {

bool PremultiplyIfTranslucent(uint32_t* pixels, std::size_t count) {
    bool varies = false;
    for (std::size_t i = 1; i < count && !varies; ++i) varies = (pixels[i] >> 24) != (pixels[0] >> 24);
    if (!varies) {
        for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0x00FFFFFFu;
        return false;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i], a = p >> 24;
        auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        pixels[i] = a << 24 | mul((p >> 16) & 0xFF) << 16 | mul((p >> 8) & 0xFF) << 8 | mul(p & 0xFF);
    }
    return true;
}

namespace {

struct Rgb {
    int r, g, b;
};
Rgb RgbOf(uint32_t p) { return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)}; }

// How far from the line between the key and the inside colour a rim pixel may lie and still be
// taken for a blend of the two: rounding and a little shading, not a colour of its own.
constexpr int kBlendTolerance = 40;

}  // namespace

void KeyedToPremultiplied(const uint32_t* src, int width, int height, uint32_t key, uint32_t* dst) {
    if (width <= 0 || height <= 0) return;
    const std::size_t count = std::size_t(width) * std::size_t(height);
    auto index = [width](int x, int y) { return std::size_t(y) * std::size_t(width) + std::size_t(x); };
    auto isKey = [&](std::size_t i) { return (src[i] & 0xFFFFFFu) == (key & 0xFFFFFFu); };
    // How far each pixel lies from the key colour, the picture's surroundings counting as key
    // (a stone's edge may run along the border), by whole pixels in any direction, up to
    // kInside: a smoothed edge is a pixel or two wide, what lies further in is the stone itself.
    constexpr uint8_t kInside = 3;
    std::vector<uint8_t> distance(count);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int border = std::min({x + 1, y + 1, width - x, height - y, int(kInside)});
            distance[index(x, y)] = isKey(index(x, y)) ? 0 : uint8_t(border);
        }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t& d = distance[index(x, y)];
            for (int dx = -1; dx <= 1; ++dx)
                if (y > 0 && x + dx >= 0 && x + dx < width) d = std::min<uint8_t>(d, distance[index(x + dx, y - 1)] + 1);
            if (x > 0) d = std::min<uint8_t>(d, distance[index(x - 1, y)] + 1);
        }
    for (int y = height - 1; y >= 0; --y)
        for (int x = width - 1; x >= 0; --x) {
            uint8_t& d = distance[index(x, y)];
            for (int dx = -1; dx <= 1; ++dx)
                if (y + 1 < height && x + dx >= 0 && x + dx < width)
                    d = std::min<uint8_t>(d, distance[index(x + dx, y + 1)] + 1);
            if (x + 1 < width) d = std::min<uint8_t>(d, distance[index(x + 1, y)] + 1);
        }
    const Rgb k = RgbOf(key);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = index(x, y);
            const uint32_t p = src[i] & 0xFFFFFFu;
            dst[i] = distance[i] == 0 ? 0 : 0xFF000000u | p;
            if (distance[i] == 0 || distance[i] >= kInside) continue;
            // The colour inside: the mean of the nearby pixels beyond the edge.
            long long sr = 0, sg = 0, sb = 0, n = 0;
            for (int ny = std::max(0, y - kInside); ny <= std::min(height - 1, y + kInside); ++ny)
                for (int nx = std::max(0, x - kInside); nx <= std::min(width - 1, x + kInside); ++nx) {
                    if (distance[index(nx, ny)] < kInside) continue;
                    const Rgb c = RgbOf(src[index(nx, ny)]);
                    sr += c.r, sg += c.g, sb += c.b, ++n;
                }
            if (n == 0) continue;  // a thin line: nothing inside to tell a blend by
            const double cr = double(sr) / double(n), cg = double(sg) / double(n), cb = double(sb) / double(n);
            const Rgb q = RgbOf(p);
            const double ur = cr - k.r, ug = cg - k.g, ub = cb - k.b;
            const double length2 = ur * ur + ug * ug + ub * ub;
            if (length2 < 1.0) continue;
            const double a = std::clamp(((q.r - k.r) * ur + (q.g - k.g) * ug + (q.b - k.b) * ub) / length2, 0.0, 1.0);
            const double er = q.r - (k.r + a * ur), eg = q.g - (k.g + a * ug), eb = q.b - (k.b + a * ub);
            if (er * er + eg * eg + eb * eb > 3.0 * kBlendTolerance * kBlendTolerance) continue;
            // The inside colour at that share, premultiplied: what is left of the pixel once the
            // key's share is taken out would keep the rounding of the blend as a tint.
            const double alpha = std::round(a * 255.0);
            if (alpha >= 255.0) continue;  // not blended: the pixel as it is
            auto part = [&](double channel) { return uint32_t(std::clamp(std::round(channel * a), 0.0, alpha)); };
            dst[i] = uint32_t(alpha) << 24 | part(cr) << 16 | part(cg) << 8 | part(cb);
        }
    }
}

namespace {

// The source pixels one target pixel takes and their weights, for one axis.
struct Taps {
    std::vector<int> first;      // by target pixel: its first source pixel
    std::vector<int> count;      // by target pixel: how many
    std::vector<float> weights;  // by target pixel, `count` each, summing to 1
    std::vector<int> offset;     // by target pixel: where its weights start
};

// Shrinking: how much of source pixel j the target pixel's span [i s, (i + 1) s) covers.
// Enlarging: the tent of one source pixel around the target pixel's centre. Taps beyond the
// picture's edge are left out and the rest weigh in proportionally.
double Weight(int j, int i, double scale) {
    if (scale > 1.0) return std::max(0.0, std::min(j + 1.0, (i + 1) * scale) - std::max(double(j), i * scale));
    const double centre = (i + 0.5) * scale - 0.5;
    return std::max(0.0, 1.0 - std::abs(j - centre));
}

Taps TapsFor(int from, int to) {
    Taps t;
    const double scale = double(from) / to;
    t.first.resize(std::size_t(to));
    t.count.resize(std::size_t(to));
    t.offset.resize(std::size_t(to));
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * scale - 0.5;
        const int lo = std::max(0, int(std::floor(scale > 1.0 ? i * scale : centre)));
        const int hi = std::min(from - 1, int(std::ceil(scale > 1.0 ? (i + 1) * scale : centre + 1.0)));
        t.offset[std::size_t(i)] = int(t.weights.size());
        double sum = 0;
        for (int j = lo; j <= hi; ++j) sum += Weight(j, i, scale);
        if (sum <= 0) {  // nothing under it (rounding at an edge): the nearest pixel
            t.first[std::size_t(i)] = std::clamp(int(std::lround(centre)), 0, from - 1);
            t.count[std::size_t(i)] = 1;
            t.weights.push_back(1.0f);
            continue;
        }
        t.first[std::size_t(i)] = lo;
        t.count[std::size_t(i)] = hi - lo + 1;
        for (int j = lo; j <= hi; ++j) t.weights.push_back(float(Weight(j, i, scale) / sum));
    }
    return t;
}

}  // namespace

void ResamplePixels(const uint32_t* src, int srcWidth, int srcHeight, uint32_t* dst, int dstWidth, int dstHeight,
                    float* scratch) {
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0) return;
    const Taps across = TapsFor(srcWidth, dstWidth), down = TapsFor(srcHeight, dstHeight);
    // Across first, into floats: dstWidth x srcHeight x (a, r, g, b).
    for (int y = 0; y < srcHeight; ++y) {
        const uint32_t* row = src + std::size_t(y) * std::size_t(srcWidth);
        float* out = scratch + std::size_t(y) * std::size_t(dstWidth) * 4;
        for (int x = 0; x < dstWidth; ++x) {
            float a = 0, r = 0, g = 0, b = 0;
            const float* w = across.weights.data() + across.offset[std::size_t(x)];
            for (int k = 0; k < across.count[std::size_t(x)]; ++k) {
                const uint32_t p = row[across.first[std::size_t(x)] + k];
                a += w[k] * float(p >> 24);
                r += w[k] * float((p >> 16) & 0xFF);
                g += w[k] * float((p >> 8) & 0xFF);
                b += w[k] * float(p & 0xFF);
            }
            out[4 * x] = a, out[4 * x + 1] = r, out[4 * x + 2] = g, out[4 * x + 3] = b;
        }
    }
    auto byte = [](float v) { return uint32_t(std::clamp(v + 0.5f, 0.0f, 255.0f)); };
    for (int y = 0; y < dstHeight; ++y) {
        const float* w = down.weights.data() + down.offset[std::size_t(y)];
        uint32_t* out = dst + std::size_t(y) * std::size_t(dstWidth);
        for (int x = 0; x < dstWidth; ++x) {
            float a = 0, r = 0, g = 0, b = 0;
            for (int k = 0; k < down.count[std::size_t(y)]; ++k) {
                const std::size_t row = std::size_t(down.first[std::size_t(y)] + k);
                const float* p = scratch + (row * std::size_t(dstWidth) + std::size_t(x)) * 4;
                a += w[k] * p[0], r += w[k] * p[1], g += w[k] * p[2], b += w[k] * p[3];
            }
            out[x] = byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
        }
    }
}

}  // namespace senvola
