// The cairo canvas against GDI's geometry, pixel by pixel: what each call covers, what it
// leaves alone, and where it puts the centre of a shape or the corner of a text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "cairo_canvas.h"
#include "picture_files.h"

namespace senvola::x11 {
namespace {

constexpr Colour kBackground = 0x563412;  // a colour no call below paints
constexpr Colour kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : image_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 64, 48)), canvas_(image_.get()) {
        canvas_.SetPen(kBackground, false);
        canvas_.SetBrush(kBackground, true);
        canvas_.FillRect(0, 0, 64, 48);
        canvas_.TakeDamage();
    }
    // The pixel as 0x00BBGGRR, the canvas's own encoding.
    Colour At(int x, int y) {
        cairo_surface_flush(image_.get());
        const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image_.get()) +
                                                            y * cairo_image_surface_get_stride(image_.get()));
        const uint32_t v = row[x] & 0xFFFFFF;
        return (v & 0xFF) << 16 | (v & 0xFF00) | (v >> 16);
    }
    // The box that holds every pixel different from the background; x2 == x1 when none.
    Rect Touched() {
        Rect r{64, 48, 0, 0};
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                if (At(x, y) == kBackground) continue;
                r = {std::min(r.x1, x), std::min(r.y1, y), std::max(r.x2, x + 1), std::max(r.y2, y + 1)};
            }
        }
        return r.x2 == 0 ? Rect{} : r;
    }
    // The one area painted since the last call.
    Rect OneDamage() {
        const CairoCanvas::Damage d = canvas_.TakeDamage();
        EXPECT_EQ(d.count, 1);
        return d.count ? d.rects[0] : Rect{};
    }
    static void ExpectRect(const Rect& r, int x1, int y1, int x2, int y2) {
        EXPECT_EQ(r.x1, x1);
        EXPECT_EQ(r.y1, y1);
        EXPECT_EQ(r.x2, x2);
        EXPECT_EQ(r.y2, y2);
    }

    UniqueSurface image_;
    CairoCanvas canvas_;
};

TEST_F(CanvasTest, RectangleCoversItsBoxWithTheOutlineInside) {
    canvas_.SetPen(kRed, true);
    canvas_.SetBrush(kGreen, true);
    canvas_.Rectangle(30, 20, 10, 5);  // corners in either order, as GDI takes them
    ExpectRect(Touched(), 10, 5, 30, 20);
    EXPECT_EQ(At(10, 5), kRed);
    EXPECT_EQ(At(29, 19), kRed);
    EXPECT_EQ(At(20, 19), kRed);
    EXPECT_EQ(At(11, 6), kGreen);
    EXPECT_EQ(At(28, 18), kGreen);
    ExpectRect(OneDamage(), 10, 5, 30, 20);

    canvas_.SetBrush(kBlue, false);
    canvas_.Rectangle(40, 30, 50, 40);
    EXPECT_EQ(At(40, 30), kRed);
    EXPECT_EQ(At(45, 35), kBackground) << "a clear brush leaves the inside alone";

    canvas_.SetPen(kRed, false);
    canvas_.SetBrush(kBlue, true);
    canvas_.Rectangle(52, 2, 56, 6);
    EXPECT_EQ(At(52, 2), kBlue) << "with a clear pen the brush fills the whole box";
    EXPECT_EQ(At(55, 5), kBlue);
    EXPECT_EQ(At(56, 6), kBackground);
}

TEST_F(CanvasTest, FillRectPaintsOnlyWithASolidBrushAndAProperBox) {
    canvas_.SetBrush(kGreen, false);
    canvas_.FillRect(0, 0, 20, 20);
    canvas_.SetBrush(kGreen, true);
    canvas_.FillRect(20, 20, 10, 10);
    canvas_.FillRect(5, 5, 5, 9);
    ExpectRect(Touched(), 0, 0, 0, 0);
    EXPECT_EQ(canvas_.TakeDamage().count, 0);
    canvas_.FillRect(3, 4, 7, 9);
    ExpectRect(Touched(), 3, 4, 7, 9);
}

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
    canvas_.SetPen(kRed, true);
    canvas_.Line(10, 5, 20, 5);
    ExpectRect(Touched(), 10, 5, 20, 6);
    canvas_.Line(30, 20, 30, 10);  // upwards: from 20 down to 11
    EXPECT_EQ(At(30, 20), kRed);
    EXPECT_EQ(At(30, 11), kRed);
    EXPECT_EQ(At(30, 10), kBackground);
    canvas_.Line(45, 40, 40, 40);  // leftwards
    EXPECT_EQ(At(45, 40), kRed);
    EXPECT_EQ(At(41, 40), kRed);
    EXPECT_EQ(At(40, 40), kBackground);
    canvas_.SetPen(kBlue, false);
    canvas_.Line(0, 47, 63, 47);
    EXPECT_EQ(At(10, 47), kBackground) << "a clear pen draws no line";
}

// Stones: an ellipse inscribed in its box, centred where GDI centres it, outline in the pen.
TEST_F(CanvasTest, EllipseStaysInItsBoxAndIsCentredOnIt) {
    canvas_.SetPen(kRed, true);
    canvas_.SetBrush(kWhite, true);
    canvas_.Ellipse(10, 8, 40, 38);
    ExpectRect(Touched(), 10, 8, 40, 38);
    EXPECT_EQ(At(25, 23), kWhite);
    EXPECT_EQ(At(10, 8), kBackground) << "the corners of the box stay as they were";
    // The painted pixels balance around (25, 23) in pixel edges: 24.5 and 22.5 in centres.
    double sx = 0, sy = 0, n = 0;
    for (int y = 8; y < 38; ++y) {
        for (int x = 10; x < 40; ++x) {
            if (At(x, y) == kBackground) continue;
            sx += x, sy += y, n += 1;
        }
    }
    EXPECT_NEAR(sx / n, 24.5, 0.05);
    EXPECT_NEAR(sy / n, 22.5, 0.05);
    // The outline is in the pen: the leftmost pixel of the middle row is red, not white.
    const Colour edge = At(10, 22);
    EXPECT_GT(edge & 0xFF, 0x80u);
    EXPECT_LT((edge >> 8) & 0xFF, 0x80u);
    ExpectRect(OneDamage(), 10, 8, 40, 38);

    canvas_.SetBrush(kWhite, false);
    canvas_.Ellipse(44, 4, 60, 20);
    EXPECT_EQ(At(52, 12), kBackground) << "a clear brush leaves the inside of a ring alone";
    EXPECT_NE(At(44, 11), kBackground);
}

TEST_F(CanvasTest, TextSitsAtItsCornerWithinItsMeasuredBox) {
    canvas_.SetFont("Arial", 10, kWhite, false);
    const Size size = canvas_.TextExtent("Move 60");
    // Arial's line at 13 pixels to the em (10 points at 96 dpi) is 15 pixels on Windows.
    EXPECT_GE(size.cy, 14);
    EXPECT_LE(size.cy, 16);
    EXPECT_GT(size.cx, 30);
    EXPECT_LT(size.cx, 60);
    canvas_.SetFont("Arial", 10, kWhite, true);
    EXPECT_GT(canvas_.TextExtent("Move 60").cx, size.cx) << "bold is wider";
    canvas_.SetFont("Arial", 20, kWhite, false);
    EXPECT_GT(canvas_.TextExtent("Move 60").cy, 2 * size.cy - 4);

    // A solid brush paints the text's box, exactly; the glyphs lie inside it.
    canvas_.SetFont("Arial", 10, kWhite, false);
    canvas_.SetBrush(kBlue, true);
    canvas_.DrawString(4, 6, "Move 60");
    ExpectRect(Touched(), 4, 6, 4 + size.cx, 6 + size.cy);
    EXPECT_EQ(At(4, 6), kBlue);
    // Anti-aliased glyphs: count the pixels that are mostly text colour.
    int bright = 0;
    for (int y = 6; y < 6 + size.cy; ++y) {
        for (int x = 4; x < 4 + size.cx; ++x) bright += (At(x, y) & 0xFF) > 0xA0;
    }
    EXPECT_GT(bright, 20);

    // A clear brush: only the glyphs, still within the box.
    canvas_.SetBrush(kBlue, false);
    canvas_.DrawString(4, 28, "Move 60");
    EXPECT_EQ(At(4, 28), kBackground);
    int drawn = 0;
    for (int y = 26; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (At(x, y) == kBackground) continue;
            ++drawn;
            EXPECT_TRUE(x >= 4 && x < 4 + size.cx && y >= 28 && y < 28 + size.cy) << x << "," << y;
        }
    }
    EXPECT_GT(drawn, 20);
}

TEST_F(CanvasTest, Utf8TextIsMeasuredAsItsCharacters) {
    canvas_.SetFont("Arial", 10, kWhite, false);
    // "\xc3\xa9" is é: one character, as wide as e, not two.
    EXPECT_EQ(canvas_.TextExtent("Caf\xc3\xa9").cx, canvas_.TextExtent("Cafe").cx);
    EXPECT_LT(canvas_.TextExtent("Caf\xc3\xa9").cx, canvas_.TextExtent("Cafee").cx);
    // 囲碁: each ideograph drawn by a fallback font, wider than a Latin letter.
    const int one = canvas_.TextExtent("\xe5\x9b\xb2").cx;
    EXPECT_GT(one, canvas_.TextExtent("e").cx);
    EXPECT_GE(canvas_.TextExtent("\xe5\x9b\xb2\xe7\xa2\x81").cx, 2 * one - 1);
    // Broken bytes and NUL still draw (U+FFFD), where pango would otherwise refuse the text.
    EXPECT_GT(canvas_.TextExtent("a\xe5\x9b").cx, canvas_.TextExtent("a").cx);
    EXPECT_GT(canvas_.TextExtent(std::string_view("a\0b", 3)).cx, canvas_.TextExtent("a").cx);
}

// A 2 x 2 picture: red, green over blue, white. Written and read back as a BMP, so the loader
// is the one the settings use.
UniqueSurface FourColours() {
    UniqueSurface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2));
    cairo_surface_flush(s.get());
    auto* d = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.get()));
    const int stride = cairo_image_surface_get_stride(s.get()) / 4;
    d[0] = 0xFF0000, d[1] = 0x00FF00, d[stride] = 0x0000FF, d[stride + 1] = 0xFFFFFF;
    cairo_surface_mark_dirty(s.get());
    return s;
}

std::string TempFile(const char* name) { return ::testing::TempDir() + name; }

TEST_F(CanvasTest, PicturesDrawnPlainStretchedAndTransparent) {
    const std::string path = TempFile("four.bmp");
    const UniqueSurface four = FourColours();
    ASSERT_TRUE(WriteBmp24(four.get(), path));

    const auto plain = LoadPicture(path, false);
    ASSERT_TRUE(plain);
    canvas_.DrawBitmap(*plain, 5, 7);
    ExpectRect(Touched(), 5, 7, 7, 9);
    EXPECT_EQ(At(5, 7), kRed);
    EXPECT_EQ(At(6, 7), kGreen);
    EXPECT_EQ(At(5, 8), kBlue);
    EXPECT_EQ(At(6, 8), kWhite);

    canvas_.StretchBitmap(*plain, {20, 10, 40, 30});
    EXPECT_EQ(Touched().x2, 40);
    EXPECT_EQ(Touched().y2, 30);
    EXPECT_EQ(At(22, 12), kRed);
    EXPECT_EQ(At(37, 12), kGreen);
    EXPECT_EQ(At(22, 27), kBlue);
    EXPECT_EQ(At(37, 27), kWhite);
    EXPECT_EQ(At(40, 20), kBackground);
    EXPECT_EQ(At(20, 30), kBackground);

    // A stone picture leaves out the colour of its bottom-left pixel (blue here).
    const auto stone = LoadPicture(path, true);
    ASSERT_TRUE(stone);
    EXPECT_TRUE(stone->Transparent());
    canvas_.DrawBitmap(*stone, 50, 40);
    EXPECT_EQ(At(50, 40), kRed);
    EXPECT_EQ(At(50, 41), kBackground);
    EXPECT_EQ(At(51, 41), kWhite);
}

TEST_F(CanvasTest, CopySelfCopiesExactlyEvenWhenItOverlaps) {
    canvas_.SetBrush(kRed, true);
    canvas_.FillRect(0, 0, 4, 4);
    canvas_.SetBrush(kGreen, true);
    canvas_.FillRect(4, 0, 8, 4);
    canvas_.TakeDamage();
    // Onto itself shifted by half its width: the source is read before it is overwritten.
    canvas_.CopySelf({4, 0, 12, 4}, {0, 0, 8, 4});
    EXPECT_EQ(At(4, 0), kRed);
    EXPECT_EQ(At(7, 3), kRed);
    EXPECT_EQ(At(8, 0), kGreen);
    EXPECT_EQ(At(11, 3), kGreen);
    EXPECT_EQ(At(12, 0), kBackground);
    ExpectRect(OneDamage(), 4, 0, 12, 4);
    // Stretched twice over: the same colours, nearest pixel, no blend.
    canvas_.CopySelf({20, 20, 36, 28}, {4, 0, 12, 4});
    EXPECT_EQ(At(27, 27), kRed);
    EXPECT_EQ(At(28, 20), kGreen);
    EXPECT_EQ(At(36, 20), kBackground);
}

// A step paints a stone and, far from it, the move number: two areas to show, not the screen
// between them; areas close together are one; more areas than kept fold into the nearest.
TEST_F(CanvasTest, DamageKeepsDistantAreasApart) {
    canvas_.SetBrush(kRed, true);
    canvas_.FillRect(0, 0, 4, 4);
    canvas_.FillRect(60, 44, 70, 50);  // partly off the surface
    canvas_.FillRect(6, 2, 8, 9);      // next to the first
    CairoCanvas::Damage d = canvas_.TakeDamage();
    ASSERT_EQ(d.count, 2);
    if (d.rects[0].x1 > d.rects[1].x1) std::swap(d.rects[0], d.rects[1]);  // in no particular order
    ExpectRect(d.rects[0], 0, 0, 8, 9);
    ExpectRect(d.rects[1], 60, 44, 64, 48);
    EXPECT_EQ(canvas_.TakeDamage().count, 0);

    const Rect far[] = {{0, 0, 4, 4}, {60, 0, 64, 4}, {0, 44, 4, 48}, {60, 44, 64, 48}, {30, 22, 34, 26}};
    for (const Rect& r : far) canvas_.FillRect(r.x1, r.y1, r.x2, r.y2);
    d = canvas_.TakeDamage();
    ASSERT_EQ(d.count, CairoCanvas::Damage::kMaxRects);
    for (const Rect& r : far) {
        EXPECT_TRUE(std::any_of(d.rects.begin(), d.rects.end(), [&](const Rect& k) {
            return k.x1 <= r.x1 && k.y1 <= r.y1 && k.x2 >= r.x2 && k.y2 >= r.y2;
        })) << r.x1 << "," << r.y1 << " is shown";
    }
}

}  // namespace
}  // namespace senvola::x11
