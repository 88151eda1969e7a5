// The BMP decoder on files built here byte by byte: every pixel format it claims, both row
// orders, and the files it must refuse.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bmp_decode.h"

namespace senvola::x11 {
namespace {

struct Bmp {
    uint32_t headerSize = 40;
    int32_t width = 0, height = 0;  // height < 0: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> masks;    // red, green, blue (and alpha) for BI_BITFIELDS
    std::vector<std::vector<uint8_t>> rows;  // as stored, top row of the file first, unpadded

    std::vector<uint8_t> Bytes() const {
        std::vector<uint8_t> b;
        auto put = [&](uint32_t v, int n) {
            for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
        };
        const bool core = headerSize == 12;
        const std::size_t entry = core ? 3 : 4;
        const bool outsideMasks = headerSize == 40 && compression == 3;
        const uint32_t pixelsAt = 14 + headerSize + (outsideMasks ? 12 : 0) + uint32_t(palette.size() * entry);
        put('B' | 'M' << 8, 2);
        put(0, 4);
        put(0, 4);
        put(pixelsAt, 4);
        put(headerSize, 4);
        if (core) {
            put(width, 2), put(height, 2), put(1, 2), put(bits, 2);
        } else {
            put(width, 4), put(height, 4), put(1, 2), put(bits, 2), put(compression, 4);
            put(0, 4), put(2835, 4), put(2835, 4), put(uint32_t(palette.size()), 4), put(0, 4);
            std::size_t done = 40;
            if (headerSize >= 52) {
                for (int i = 0; i < 3; ++i) put(masks.size() >= 3 ? masks[i] : 0, 4);
                done += 12;
            }
            if (headerSize >= 56) {
                put(masks.size() == 4 ? masks[3] : 0, 4);
                done += 4;
            }
            for (; done < headerSize; ++done) b.push_back(0);
            if (outsideMasks) {
                for (uint32_t m : masks) put(m, 4);
            }
        }
        for (uint32_t c : palette) put(c, static_cast<int>(entry));
        for (const auto& row : rows) {
            b.insert(b.end(), row.begin(), row.end());
            while ((b.size() - pixelsAt) % 4) b.push_back(0);
        }
        const uint32_t size = static_cast<uint32_t>(b.size());
        for (int i = 0; i < 4; ++i) b[2 + i] = static_cast<uint8_t>(size >> (8 * i));
        return b;
    }
};

std::optional<DecodedPicture> Decode(const Bmp& bmp) { return DecodeBmp(bmp.Bytes()); }

void ExpectPixels(const std::optional<DecodedPicture>& p, int w, int h, std::vector<uint32_t> pixels) {
    ASSERT_TRUE(p);
    EXPECT_EQ(p->width, w);
    EXPECT_EQ(p->height, h);
    EXPECT_EQ(p->pixels, pixels);
}

TEST(BmpDecodeTest, TwentyFourBitsBothRowOrdersWithPadding) {
    Bmp bmp;
    bmp.width = 3, bmp.height = 2;
    // Bottom row first: blue green red / white black grey, stored as B G R.
    bmp.rows = {{0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0}, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80}};
    ExpectPixels(Decode(bmp), 3, 2, {0xFFFFFF, 0x000000, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF});
    bmp.height = -2;
    ExpectPixels(Decode(bmp), 3, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080});
}

TEST(BmpDecodeTest, PalettesOfOneFourAndEightBits) {
    Bmp one;
    one.width = 10, one.height = -1, one.bits = 1;
    one.palette = {0x102030, 0xA0B0C0};
    one.rows = {{0b10110000, 0b01000000}};
    ExpectPixels(Decode(one), 10, 1,
                 {0xA0B0C0, 0x102030, 0xA0B0C0, 0xA0B0C0, 0x102030, 0x102030, 0x102030, 0x102030, 0x102030, 0xA0B0C0});

    Bmp four;
    four.width = 3, four.height = -1, four.bits = 4;
    four.palette = {0x000001, 0x000002, 0x000003};
    four.rows = {{0x21, 0x00}};
    ExpectPixels(Decode(four), 3, 1, {0x000003, 0x000002, 0x000001});

    Bmp eight;
    eight.width = 2, eight.height = -1, eight.bits = 8;
    eight.palette = {0x111111, 0x222222};
    eight.rows = {{1, 200}};  // an index past the table is black
    ExpectPixels(Decode(eight), 2, 1, {0x222222, 0});

    Bmp core = eight;  // three-byte palette entries; heights are unsigned there
    core.headerSize = 12;
    core.height = 1;
    core.rows = {{1, 0}};
    ExpectPixels(Decode(core), 2, 1, {0x222222, 0x111111});
}

TEST(BmpDecodeTest, SixteenAndThirtyTwoBitsWithAndWithoutBitFields) {
    Bmp plain16;  // 5-5-5: pure red, and a blue of 16 out of 31
    plain16.width = 2, plain16.height = -1, plain16.bits = 16;
    plain16.rows = {{0x00, 0x7C, 0x10, 0x00}};
    ExpectPixels(Decode(plain16), 2, 1, {0xFF0000, 0x000084});

    Bmp fields16 = plain16;  // 5-6-5 masks after the 40-byte header
    fields16.compression = 3;
    fields16.masks = {0xF800, 0x07E0, 0x001F};
    fields16.rows = {{0xE0, 0x07, 0x1F, 0xF8}};
    ExpectPixels(Decode(fields16), 2, 1, {0x00FF00, 0xFF00FF});

    Bmp plain32;  // B G R X; the fourth byte is not alpha
    plain32.width = 1, plain32.height = -1, plain32.bits = 32;
    plain32.rows = {{0x10, 0x20, 0x30, 0x99}};
    ExpectPixels(Decode(plain32), 1, 1, {0x302010});

    Bmp v3 = plain32;  // masks inside a 56-byte header, channels in another order
    v3.headerSize = 56;
    v3.compression = 3;
    v3.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    ExpectPixels(Decode(v3), 1, 1, {0x102030});
}

TEST(BmpDecodeTest, ThirtyTwoBitsWithAlphaComePremultiplied) {
    // The fourth byte varies: alpha. Clear, half and opaque pixels of one orange.
    Bmp plain;
    plain.width = 3, plain.height = -1, plain.bits = 32;
    plain.rows = {{0x00, 0x80, 0xFF, 0x00, 0x00, 0x80, 0xFF, 0x80, 0x00, 0x80, 0xFF, 0xFF}};
    auto p = Decode(plain);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->alpha);
    EXPECT_EQ(p->pixels, (std::vector<uint32_t>{0x00000000, 0x80804000, 0xFFFF8000}));

    // The alpha mask of a 124-byte header, alpha in the lowest byte.
    Bmp v5;
    v5.headerSize = 124, v5.compression = 3;
    v5.width = 2, v5.height = -1, v5.bits = 32;
    v5.masks = {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
    v5.rows = {{0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00}};  // clear red, opaque blue
    p = Decode(v5);
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->alpha);
    EXPECT_EQ(p->pixels, (std::vector<uint32_t>{0x00000000, 0xFF0000FF}));
}

TEST(BmpDecodeTest, RefusesWhatItCannotOrMustNotRead) {
    Bmp good;
    good.width = 2, good.height = 2;
    good.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    ASSERT_TRUE(Decode(good));

    std::vector<uint8_t> bytes = good.Bytes();
    bytes.resize(bytes.size() - 1);
    EXPECT_FALSE(DecodeBmp(bytes)) << "pixel rows past the end";
    bytes = good.Bytes();
    bytes[0] = 'X';
    EXPECT_FALSE(DecodeBmp(bytes)) << "no BM signature";
    EXPECT_FALSE(DecodeBmp(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 20))) << "headers cut short";

    Bmp rle = good;
    rle.bits = 8, rle.compression = 1, rle.palette = {0};
    EXPECT_FALSE(Decode(rle)) << "run-length data is not implemented";
    Bmp fields24 = good;
    fields24.compression = 3, fields24.masks = {0xFF0000, 0xFF00, 0xFF};
    EXPECT_FALSE(Decode(fields24)) << "bit fields only for 16 and 32 bits";
    Bmp noWidth = good;
    noWidth.width = 0;
    EXPECT_FALSE(Decode(noWidth));
    Bmp oddHeader = good;
    oddHeader.headerSize = 44;
    EXPECT_FALSE(Decode(oddHeader));
    Bmp bigPalette = good;
    bigPalette.bits = 1, bigPalette.palette = {0, 1, 2}, bigPalette.rows = {{0}, {0}};
    EXPECT_FALSE(Decode(bigPalette)) << "more colours than the pixels can name";
    Bmp huge = good;
    huge.width = 32769, huge.height = 1, huge.rows = {};
    EXPECT_FALSE(Decode(huge));
    Bmp tooManyPixels = good;
    tooManyPixels.width = 32768, tooManyPixels.height = 32768, tooManyPixels.rows = {};
    EXPECT_FALSE(Decode(tooManyPixels));
}

}  // namespace
}  // namespace senvola::x11
