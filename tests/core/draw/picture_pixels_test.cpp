// Alpha read from a picture's fourth byte, and resampling: shrinking averages what it covers, a
// clear pixel lends its neighbours no colour, a plain picture stays plain at any size.
#include "draw/picture_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace senvola {
namespace {

std::vector<uint32_t> Resample(const std::vector<uint32_t>& src, int sw, int sh, int dw, int dh) {
    std::vector<uint32_t> dst(std::size_t(dw) * dh, 0xDEADBEEFu);
    std::vector<float> scratch(std::size_t(dw) * sh * 4);
    ResamplePixels(src.data(), sw, sh, dst.data(), dw, dh, scratch.data());
    return dst;
}

TEST(PicturePixels, FourthByteIsAlphaOnlyWhenItVaries) {
    // Writers without alpha leave one value everywhere: opaque, the byte cleared.
    for (uint32_t fill : {0x00000000u, 0xFF000000u, 0xA5000000u}) {
        std::vector<uint32_t> same{fill | 0x102030u, fill | 0x405060u};
        EXPECT_FALSE(PremultiplyIfTranslucent(same.data(), same.size()));
        EXPECT_EQ(same, (std::vector<uint32_t>{0x00102030u, 0x00405060u}));
    }

    // Varying: premultiplied, a clear pixel black whatever colour it carried.
    std::vector<uint32_t> mixed{0xFFFF8000u, 0x80FF8000u, 0x00FFFFFFu};
    EXPECT_TRUE(PremultiplyIfTranslucent(mixed.data(), mixed.size()));
    EXPECT_EQ(mixed[0], 0xFFFF8000u);
    EXPECT_EQ(mixed[1], 0x80804000u);
    EXPECT_EQ(mixed[2], 0u);
}

TEST(PicturePixels, ShrinkingAveragesInsteadOfDroppingRowsAndColumns) {
    // One-pixel black and white stripes: nearest-pixel halving keeps one colour only.
    std::vector<uint32_t> stripes;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) stripes.push_back((x % 2) ? 0xFFFFFFFFu : 0xFF000000u);
    for (uint32_t p : Resample(stripes, 8, 8, 4, 4)) {
        const uint32_t grey = p & 0xFF;
        EXPECT_NEAR(int(grey), 128, 2) << std::hex << p;
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_EQ(p & 0xFFFFFF, grey * 0x010101u);
    }

    // A plain picture stays plain, larger or smaller, in either direction alone.
    const std::vector<uint32_t> plain(5 * 3, 0xFF336699u);
    for (auto [w, h] : {std::pair{2, 2}, std::pair{11, 7}, std::pair{5, 1}, std::pair{1, 3}})
        for (uint32_t p : Resample(plain, 5, 3, w, h)) EXPECT_EQ(p, 0xFF336699u) << w << "x" << h;
}

TEST(PicturePixels, ClearPixelsLendNoColourToASoftEdge) {
    // An opaque white disc edge against clear pixels that once held magenta: after
    // premultiplication they are 0, so every resampled pixel is a shade of white by its alpha
    // (colour equal to alpha in each channel), never tinted.
    std::vector<uint32_t> src;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            src.push_back((x - 4) * (x - 4) + (y - 4) * (y - 4) <= 12 ? 0xFFFFFFFFu : 0x00FF00FFu);
    ASSERT_TRUE(PremultiplyIfTranslucent(src.data(), src.size()));
    int partial = 0;
    for (uint32_t p : Resample(src, 9, 9, 4, 4)) {
        const uint32_t a = p >> 24;
        EXPECT_EQ(p & 0xFFFFFF, a * 0x010101u) << std::hex << p;
        partial += a > 0 && a < 255;
    }
    EXPECT_GT(partial, 0);  // the edge is soft, not cut
}

// A stone painted on the key colour with a smoothed edge: the rim's pixels are blends of the
// stone and the key. Taken apart, every pixel left has the stone's own colour (none is tinted
// by the key), its share of the stone as alpha; hard edges and outlines of another colour stay
// opaque as they were.
TEST(PicturePixels, KeyColourBlendedIntoAnEdgeBecomesAlpha) {
    constexpr uint32_t kKey = 0xFF00FF;
    constexpr int n = 16;
    auto blend = [](uint32_t colour, double cover) {
        auto ch = [&](int shift) {
            return uint32_t(std::lround(((colour >> shift) & 0xFF) * cover + ((kKey >> shift) & 0xFF) * (1 - cover)));
        };
        return ch(16) << 16 | ch(8) << 8 | ch(0);
    };
    for (uint32_t stone : {0x101010u, 0xF0F0F0u, 0x2040C0u}) {
        std::vector<uint32_t> src, out(std::size_t(n) * n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const double d = std::hypot(x + 0.5 - n / 2.0, y + 0.5 - n / 2.0);
                src.push_back(0xA5000000u | blend(stone, std::clamp(n / 2.0 - 1 - d, 0.0, 1.0)));
            }
        KeyedToPremultiplied(src.data(), n, n, kKey, out.data());
        int soft = 0;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const uint32_t a = out[i] >> 24;
            if ((src[i] & 0xFFFFFF) == kKey) {
                EXPECT_EQ(out[i], 0u);
            }
            if (a == 0 || a == 255) continue;
            ++soft;
            if (a < 48) continue;  // too little colour left to judge
            for (int shift : {16, 8, 0}) {
                const double unmixed = ((out[i] >> shift) & 0xFF) * 255.0 / a;
                EXPECT_NEAR(unmixed, (stone >> shift) & 0xFF, 12) << std::hex << stone << " pixel " << std::dec << i;
            }
        }
        EXPECT_GT(soft, 8) << "the smoothed rim stays soft";
        EXPECT_EQ(out[std::size_t(n / 2) * n + n / 2], 0xFF000000u | stone) << "the inside is untouched";
    }

    // Hard edges, and a dark red outline round a white inside: nothing there is a blend.
    std::vector<uint32_t> ring(std::size_t(n) * n, kKey), out(ring.size());
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x) ring[std::size_t(y) * n + x] = (x == 3 || y == 3 || x == 12 || y == 12) ? 0x800000u : 0xFFFFFFu;
    KeyedToPremultiplied(ring.data(), n, n, kKey, out.data());
    for (std::size_t i = 0; i < ring.size(); ++i)
        EXPECT_EQ(out[i], ring[i] == kKey ? 0u : 0xFF000000u | ring[i]) << i;
}

}  // namespace
}  // namespace senvola
