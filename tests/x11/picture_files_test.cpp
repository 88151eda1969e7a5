// Pictures written and read back: the BMP and PNG writers of senvola-inspect render and the
// loader behind the settings' pictures.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bmp_decode.h"
#include "picture_files.h"

namespace senvola::x11 {
namespace {

std::string TempFile(const std::string& name) { return ::testing::TempDir() + name; }

std::vector<unsigned char> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture of odd width whose every pixel differs: rows padded in a BMP and swapped channels
// both show.
UniqueSurface Gradient(int w, int h) {
    UniqueSurface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
    cairo_surface_flush(s.get());
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.get()) +
                                                y * cairo_image_surface_get_stride(s.get()));
        for (int x = 0; x < w; ++x) row[x] = uint32_t(x * 40) << 16 | uint32_t(y * 30) << 8 | uint32_t(x + y);
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

std::vector<uint32_t> PixelsOf(cairo_surface_t* s) {
    cairo_surface_flush(s);
    std::vector<uint32_t> out;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                            y * cairo_image_surface_get_stride(s));
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) out.push_back(row[x] & 0xFFFFFF);
    }
    return out;
}

TEST(PictureFilesTest, BmpAndPngRoundTrip) {
    const UniqueSurface picture = Gradient(5, 3);
    const std::vector<uint32_t> expected = PixelsOf(picture.get());

    const std::string bmp = TempFile("gradient.bmp");
    ASSERT_TRUE(WritePicture(picture.get(), bmp));
    const std::vector<unsigned char> bytes = ReadAll(bmp);
    ASSERT_EQ(bytes.size(), 54u + 3 * 16);  // 5 pixels of 3 bytes padded to 16 per row
    const auto decoded = DecodeBmp(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels, expected);

    const std::string png = TempFile("gradient.PNG");  // any case of the extension
    ASSERT_TRUE(WritePicture(picture.get(), png));
    EXPECT_EQ(ReadAll(png)[1], 'P');
    const auto loaded = LoadPicture(png, false);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(PixelsOf(loaded->Surface()), expected);
}

TEST(PictureFilesTest, LoaderTakesPngAndBmpAndRefusesTheRest) {
    const std::string text = TempFile("not-a-picture.bmp");
    std::ofstream(text) << "BM but nothing more";
    EXPECT_FALSE(LoadPicture(text, false));
    EXPECT_FALSE(LoadPicture(TempFile("missing.png"), false));

    // A PNG with alpha keeps its own transparency as a stone; the bottom-left rule is for
    // pictures without it.
    UniqueSurface alpha(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1));
    cairo_surface_flush(alpha.get());
    auto* p = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(alpha.get()));
    p[0] = 0xFF00FF00;  // opaque green
    p[1] = 0x00000000;  // clear
    cairo_surface_mark_dirty(alpha.get());
    const std::string png = TempFile("alpha.png");
    ASSERT_EQ(cairo_surface_write_to_png(alpha.get(), png.c_str()), CAIRO_STATUS_SUCCESS);
    const auto stone = LoadPicture(png, true);
    ASSERT_TRUE(stone);
    cairo_surface_flush(stone->Surface());
    const auto* q = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(stone->Surface()));
    EXPECT_EQ(q[0], 0xFF00FF00u);
    EXPECT_EQ(q[1] >> 24, 0u);
    EXPECT_TRUE(stone->Alpha());
}

}  // namespace
}  // namespace senvola::x11
