// The GDI canvas on a real DIB section: pixel semantics of every operation, object ownership,
// and the BMP loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "win32/bmp_win32.h"
#include "win32/canvas_gdi.h"

namespace senvola {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A 32-bit top-down DIB section selected into a memory DC; pixels read straight from memory.
class Surface {
public:
    Surface(int w, int h) : w_(w), h_(h) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_, bmp_);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    bool Valid() const { return dc_ && bmp_ && bits_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t v = bits_[y * w_ + x];  // 0x00RRGGBB in memory order B, G, R
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Fill(COLORREF c) {
        GdiFlush();
        const uint32_t v = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        for (int i = 0; i < w_ * h_; ++i) bits_[i] = v;
    }
    void Set(int x, int y, COLORREF c) {
        GdiFlush();
        bits_[y * w_ + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    int Count(COLORREF c, int x1, int y1, int x2, int y2) const {
        int n = 0;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x) n += At(x, y) == c;
        return n;
    }
    int W() const { return w_; }
    int H() const { return h_; }

private:
    int w_, h_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

class GdiCanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(surface.Valid());
        surface.Fill(kBlack);
    }
    Surface surface{200, 150};
};

TEST_F(GdiCanvasTest, RectangleCoversX1ToX2MinusOneWithOutlineInPenAndInteriorInBrush) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, true);
    c.SetBrush(kGreen, true);
    c.Rectangle(10, 20, 20, 30);
    // Outline on the first and last covered column and row.
    EXPECT_EQ(surface.At(10, 20), kRed);
    EXPECT_EQ(surface.At(19, 29), kRed);
    EXPECT_EQ(surface.At(19, 25), kRed);
    EXPECT_EQ(surface.At(15, 29), kRed);
    EXPECT_EQ(surface.At(11, 21), kGreen);
    EXPECT_EQ(surface.At(18, 28), kGreen);
    // Nothing at x2 or y2, nothing before x1 or y1.
    EXPECT_EQ(surface.At(20, 25), kBlack);
    EXPECT_EQ(surface.At(15, 30), kBlack);
    EXPECT_EQ(surface.At(9, 25), kBlack);
    EXPECT_EQ(surface.At(15, 19), kBlack);
    EXPECT_EQ(surface.Count(kRed, 0, 0, 200, 150) + surface.Count(kGreen, 0, 0, 200, 150), 100);
}

TEST_F(GdiCanvasTest, RectangleWithClearPenFillsTheSameAreaInTheBrush) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, false);
    c.SetBrush(kGreen, true);
    c.Rectangle(10, 20, 20, 30);
    EXPECT_EQ(surface.At(10, 20), kGreen);
    EXPECT_EQ(surface.At(19, 29), kGreen);
    EXPECT_EQ(surface.At(20, 29), kBlack);
    EXPECT_EQ(surface.At(19, 30), kBlack);
    EXPECT_EQ(surface.Count(kGreen, 0, 0, 200, 150), 100);
    EXPECT_EQ(surface.Count(kRed, 0, 0, 200, 150), 0);
}

TEST_F(GdiCanvasTest, RectangleWithClearBrushLeavesTheInterior) {
    surface.Fill(kBlue);
    GdiCanvas c(surface.Dc());
    c.SetPen(kWhite, true);
    c.SetBrush(kGreen, false);
    c.Rectangle(10, 20, 20, 30);
    EXPECT_EQ(surface.At(10, 20), kWhite);
    EXPECT_EQ(surface.At(19, 29), kWhite);
    EXPECT_EQ(surface.At(15, 25), kBlue);
    EXPECT_EQ(surface.Count(kWhite, 0, 0, 200, 150), 2 * 10 + 2 * 8);
    EXPECT_EQ(surface.Count(kGreen, 0, 0, 200, 150), 0);
}

TEST_F(GdiCanvasTest, FillRectUsesOnlyTheBrushAndNothingWithAClearBrush) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, true);
    c.SetBrush(kGreen, true);
    c.FillRect(0, 0, 7, 5);
    EXPECT_EQ(surface.Count(kGreen, 0, 0, 200, 150), 35);
    EXPECT_EQ(surface.Count(kRed, 0, 0, 200, 150), 0);
    EXPECT_EQ(surface.At(6, 4), kGreen);
    EXPECT_EQ(surface.At(7, 4), kBlack);

    c.SetBrush(kBlue, false);
    c.FillRect(50, 50, 80, 80);
    EXPECT_EQ(surface.Count(kBlack, 50, 50, 80, 80), 900);
    // Empty and inverted rectangles paint nothing.
    c.SetBrush(kBlue, true);
    c.FillRect(60, 60, 60, 70);
    c.FillRect(70, 70, 65, 75);
    EXPECT_EQ(surface.Count(kBlue, 0, 0, 200, 150), 0);
}

TEST_F(GdiCanvasTest, LineDoesNotPaintItsEndPoint) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kWhite, true);
    c.Line(5, 5, 15, 5);
    EXPECT_EQ(surface.Count(kWhite, 5, 5, 15, 6), 10);
    EXPECT_EQ(surface.At(15, 5), kBlack);
    EXPECT_EQ(surface.At(4, 5), kBlack);
    c.Line(30, 40, 30, 10);  // upwards: (30, 10) is the end point
    EXPECT_EQ(surface.Count(kWhite, 30, 11, 31, 41), 30);
    EXPECT_EQ(surface.At(30, 10), kBlack);
    EXPECT_EQ(surface.Count(kWhite, 0, 0, 200, 150), 40);
    // A line of length zero paints nothing; a clear pen paints nothing.
    c.Line(100, 100, 100, 100);
    c.SetPen(kWhite, false);
    c.Line(50, 60, 90, 60);
    EXPECT_EQ(surface.Count(kWhite, 0, 0, 200, 150), 40);
}

TEST_F(GdiCanvasTest, EllipseIsInscribedWithOutlineInPenAndInteriorInBrush) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, true);
    c.SetBrush(kGreen, true);
    c.Ellipse(40, 40, 70, 70);  // a 30 x 30 stone box
    EXPECT_EQ(surface.At(55, 55), kGreen);
    EXPECT_EQ(surface.At(40, 55), kRed);  // leftmost outline pixel at x1
    EXPECT_EQ(surface.At(69, 55), kRed);  // rightmost at x2 - 1
    EXPECT_EQ(surface.At(55, 40), kRed);
    EXPECT_EQ(surface.At(55, 69), kRed);
    EXPECT_EQ(surface.At(70, 55), kBlack);
    EXPECT_EQ(surface.At(55, 70), kBlack);
    EXPECT_EQ(surface.At(40, 40), kBlack);  // corners of the box stay
    EXPECT_EQ(surface.At(69, 69), kBlack);
    // Every painted pixel is inside the box.
    int inside = surface.Count(kRed, 40, 40, 70, 70) + surface.Count(kGreen, 40, 40, 70, 70);
    int all = surface.Count(kRed, 0, 0, 200, 150) + surface.Count(kGreen, 0, 0, 200, 150);
    EXPECT_EQ(inside, all);
    EXPECT_GT(inside, 600);  // about pi/4 of 900

    // A small marker disc (r = 3 around a point) in solid red.
    surface.Fill(kBlack);
    c.SetPen(kRed, true);
    c.SetBrush(kRed, true);
    c.Ellipse(97, 97, 103, 103);
    EXPECT_EQ(surface.At(100, 100), kRed);
    EXPECT_EQ(surface.At(103, 100), kBlack);
    EXPECT_EQ(surface.Count(kRed, 97, 97, 103, 103), surface.Count(kRed, 0, 0, 200, 150));
}

TEST_F(GdiCanvasTest, EllipseWithClearPenCoversTheSameBox) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, false);
    c.SetBrush(kGreen, true);
    c.Ellipse(40, 40, 70, 70);
    EXPECT_EQ(surface.At(40, 55), kGreen);
    EXPECT_EQ(surface.At(69, 55), kGreen);
    EXPECT_EQ(surface.At(55, 69), kGreen);
    EXPECT_EQ(surface.At(70, 55), kBlack);
    EXPECT_EQ(surface.Count(kGreen, 40, 40, 70, 70), surface.Count(kGreen, 0, 0, 200, 150));
}

TEST_F(GdiCanvasTest, TextIsTransparentWithAClearBrushAndOpaqueWithASolidOne) {
    surface.Fill(kBlue);
    GdiCanvas c(surface.Dc());
    c.SetFont("Arial", 12, kWhite, false);
    const Size one = c.TextExtent("X");
    const Size two = c.TextExtent("XX");
    ASSERT_GT(one.cx, 0);
    ASSERT_GT(one.cy, 0);
    EXPECT_EQ(two.cy, one.cy);
    EXPECT_GT(two.cx, one.cx);
    // 12 points at 96 dpi: an em of 16 pixels; the cell height is a little more.
    EXPECT_GE(one.cy, 14);
    EXPECT_LE(one.cy, 24);

    c.SetBrush(kBlack, false);
    c.DrawString(10, 10, "XX");
    const int white = surface.Count(kWhite, 10, 10, 10 + two.cx, 10 + two.cy);
    EXPECT_GT(white, 4);
    EXPECT_GT(surface.Count(kBlue, 10, 10, 10 + two.cx, 10 + two.cy), 0);  // background kept
    // Nothing outside the text's extent.
    EXPECT_EQ(surface.Count(kBlue, 0, 0, 200, 150) - surface.Count(kBlue, 10, 10, 10 + two.cx, 10 + two.cy),
              200 * 150 - two.cx * two.cy);

    c.SetBrush(kGreen, true);
    c.DrawString(100, 50, "XX");
    EXPECT_EQ(surface.Count(kBlue, 100, 50, 100 + two.cx, 50 + two.cy), 0);
    EXPECT_GT(surface.Count(kGreen, 100, 50, 100 + two.cx, 50 + two.cy), 0);

    // Placed by its top-left corner even on a DC set to align text otherwise; the DC's own
    // alignment is back when the canvas goes.
    surface.Fill(kBlack);
    SetTextAlign(surface.Dc(), TA_BOTTOM | TA_RIGHT);
    {
        GdiCanvas aligned(surface.Dc());
        aligned.SetFont("Arial", 12, kWhite, false);
        aligned.SetBrush(kBlack, false);
        aligned.DrawString(50, 50, "XX");
        EXPECT_GT(surface.Count(kWhite, 50, 50, 50 + two.cx, 50 + two.cy), 4);
        EXPECT_EQ(surface.Count(kWhite, 0, 0, 200, 150), surface.Count(kWhite, 50, 50, 50 + two.cx, 50 + two.cy));
    }
    EXPECT_EQ(GetTextAlign(surface.Dc()), static_cast<UINT>(TA_BOTTOM | TA_RIGHT));
    SetTextAlign(surface.Dc(), TA_TOP | TA_LEFT);

    // Bold text of the same size is at least as wide.
    c.SetFont("Arial", 12, kWhite, true);
    EXPECT_GE(c.TextExtent("XXXX").cx, 2 * two.cx);
    // A larger size gives a taller extent.
    c.SetFont("Arial", 24, kWhite, false);
    EXPECT_GT(c.TextExtent("X").cy, one.cy);
    EXPECT_EQ(c.TextExtent("").cx, 0);
}

TEST_F(GdiCanvasTest, CopySelfStretchesPartOfTheSurfaceOntoItself) {
    surface.Set(0, 0, kRed);
    surface.Set(1, 0, kGreen);
    surface.Set(0, 1, kBlue);
    surface.Set(1, 1, kWhite);
    GdiCanvas c(surface.Dc());
    c.CopySelf(Rect{100, 100, 104, 104}, Rect{0, 0, 2, 2});
    EXPECT_EQ(surface.At(100, 100), kRed);
    EXPECT_EQ(surface.At(101, 101), kRed);
    EXPECT_EQ(surface.At(102, 100), kGreen);
    EXPECT_EQ(surface.At(103, 101), kGreen);
    EXPECT_EQ(surface.At(100, 102), kBlue);
    EXPECT_EQ(surface.At(103, 103), kWhite);
    EXPECT_EQ(surface.At(104, 104), kBlack);
    // Shrinking a strip into a thin target.
    c.CopySelf(Rect{150, 10, 151, 11}, Rect{100, 100, 102, 102});
    EXPECT_EQ(surface.At(150, 10), kRed);
}

// ---- Object ownership ---------------------------------------------------------------------

// How many more GDI objects this process can make before the handle table is full. Where the
// system reports no object count (Wine), the room that is left shows what a canvas keeps.
long GdiRoom() {
    std::vector<HGDIOBJ> made;
    while (made.size() < 300000) {
        HGDIOBJ p = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(made.size() & 0xFFFFFF));
        if (!p) break;
        made.push_back(p);
    }
    for (HGDIOBJ p : made) DeleteObject(p);
    return static_cast<long>(made.size());
}

long GdiObjects() {
    const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return n != 0 ? static_cast<long>(n) : -GdiRoom();
}

TEST_F(GdiCanvasTest, RepeatedStateChangesCreateNoNewObjects) {
    GdiCanvas c(surface.Dc());
    c.SetPen(kRed, true);
    HGDIOBJ pen = GetCurrentObject(surface.Dc(), OBJ_PEN);
    c.SetBrush(kGreen, true);
    HGDIOBJ brush = GetCurrentObject(surface.Dc(), OBJ_BRUSH);
    c.SetFont("Arial", 10, kWhite, false);
    HGDIOBJ font = GetCurrentObject(surface.Dc(), OBJ_FONT);
    // The replay's usual round: black, board colour, red, white, back again.
    for (int i = 0; i < 1000; ++i) {
        c.SetPen(kBlack, true);
        c.SetPen(RGB(128, 64, 0), false);
        c.SetPen(kWhite, true);
        c.SetBrush(kBlack, true);
        c.SetBrush(kBlack, false);
        c.SetFont("Arial", 12, kWhite, true);
        c.SetPen(kRed, true);
        c.SetBrush(kGreen, true);
        c.SetFont("Arial", 10, kRed, false);
    }
    // The same values give back the very same objects.
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(surface.Dc(), OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(surface.Dc()), kRed);
}

TEST_F(GdiCanvasTest, NoObjectLeaksOverManyCallsAndAllAreReleasedAtTheEnd) {
    HDC dc = surface.Dc();
    const HGDIOBJ pen0 = GetCurrentObject(dc, OBJ_PEN), brush0 = GetCurrentObject(dc, OBJ_BRUSH),
                  font0 = GetCurrentObject(dc, OBJ_FONT);
    const long before = GdiObjects();
    long during = 0;
    {
        GdiCanvas c(dc);
        for (int i = 0; i < 100000; ++i) {
            // Ever new colours and more fonts than the caches hold: every call must evict.
            c.SetPen(static_cast<Colour>(i * 2654435761u) & 0xFFFFFF, true);
            c.SetBrush(static_cast<Colour>(i * 40503u) & 0xFFFFFF, (i & 1) != 0);
            if (i % 10 == 0) c.SetFont("Arial", 6 + (i / 10) % 20, kWhite, (i & 2) != 0);
            if (i % 100 == 0) {
                c.Rectangle(1, 1, 5, 5);
                c.Ellipse(5, 5, 9, 9);
                c.DrawString(10, 10, "X");
            }
            if (i == 1000) during = GdiObjects();
        }
        // The caches are full by call 1000 and stay bounded after it.
        EXPECT_LE(GdiObjects(), during + 2);
        // And what they hold is a few dozen objects at most.
        EXPECT_LE(GdiObjects(), before + 30);
    }
    // The DC has its own objects back, and every object the canvas made is gone.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
    EXPECT_EQ(GdiObjects(), before);
}

TEST_F(GdiCanvasTest, ACacheThatOutlivesItsCanvasesMakesNoObjectAfterTheFirstTick) {
    HDC dc = surface.Dc();
    const long before = GdiObjects();
    HGDIOBJ firstPen = nullptr, firstFont = nullptr;
    {
        GdiObjectCache cache;
        // One canvas per timer tick on the same cache, as the saver window draws.
        long afterFirst = 0;
        for (int tick = 0; tick < 2000; ++tick) {
            GdiCanvas c(dc, &cache);
            c.SetPen(kRed, true);
            if (tick == 0) firstPen = GetCurrentObject(dc, OBJ_PEN);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), firstPen);
            c.SetBrush(RGB(128, 64, 0), true);
            c.FillRect(0, 0, 10, 10);
            c.SetFont("Arial", 10, kWhite, false);
            if (tick == 0) firstFont = GetCurrentObject(dc, OBJ_FONT);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), firstFont);
            c.DrawString(20, 20, "42");
            c.SetPen(kBlack, true);
            c.Line(0, 50, 100, 50);
            if (tick == 0) afterFirst = GdiObjects();
        }
        EXPECT_EQ(GdiObjects(), afterFirst);
        // The canvases are gone: the DC holds none of the cache's objects, which still live.
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), firstPen);
        EXPECT_EQ(GetObjectType(firstPen), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_EQ(GdiObjects(), before);
    EXPECT_EQ(surface.At(5, 5), RGB(128, 64, 0));
    EXPECT_EQ(surface.At(30, 50), kBlack);
}

// ---- Bitmaps ------------------------------------------------------------------------------

std::string TempPath(const std::string& name) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "senvola_gdi_test_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// A 24-bit bottom-up BMP of w x h with pixel(x, y) (y from the top).
std::vector<unsigned char> Bmp24(int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t imageSize = stride * h, off = 54, fileSize = off + imageSize;
    std::vector<unsigned char> f(fileSize, 0);
    auto put16 = [&](int at, uint32_t v) { f[at] = v & 0xFF; f[at + 1] = (v >> 8) & 0xFF; };
    auto put32 = [&](int at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, fileSize);
    put32(10, off);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    for (int y = 0; y < h; ++y) {
        unsigned char* row = &f[off + (h - 1 - y) * stride];
        for (int x = 0; x < w; ++x) {
            const COLORREF c = pixel(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    return f;
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A reference for CJK text: the first installed fallback face with every glyph of `text`, at
// the em height of 12 points, as the canvas would choose it; null when none has them.
HFONT ReferenceFace(HDC dc, GdiObjectCache& cache, const std::wstring& text, int em) {
    for (const std::wstring& face : cache.FallbackFaces(dc)) {
        HFONT font = CreateFontW(em, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
        std::vector<WORD> glyphs(text.size());
        HGDIOBJ old = SelectObject(dc, font);
        const DWORD got = GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                           GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, old);
        if (got != GDI_ERROR && std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end()) return font;
        DeleteObject(font);
    }
    return nullptr;
}

TEST_F(GdiCanvasTest, TextTheFontLacksIsDrawnAndMeasuredInAFallbackFace) {
    // Arial has no Chinese or Korean: the canvas must find a face that does, or draw boxes.
    const char* const chinese = "\xE9\x9D\x99\xE5\x90\xAC\xE9\xA3\x8E\xE9\x9B\xA8";
    const char* const korean = "\xED\x8A\xB8\xEC\x99\x80\xEC\x9D\xBC\xEB\x9D\xBC\xEC\x9E\x87";
    GdiObjectCache cache;
    if (cache.FallbackFaces(surface.Dc()).empty())
        GTEST_SKIP() << "no CJK face installed (scripts/deps.sh installs one)";
    GdiCanvas c(surface.Dc(), &cache);
    c.SetFont("Arial", 12, kWhite, false);
    c.SetBrush(kBlack, false);
    const int em = -MulDiv(12, GetDeviceCaps(surface.Dc(), LOGPIXELSY), 72);

    const Size zh = c.TextExtent(chinese);
    const Size ko = c.TextExtent(korean);
    // Code points no face has come out as the font's boxes.
    const Size boxes = c.TextExtent("\xCD\xB8\xCD\xB8\xCD\xB8\xCD\xB8");
    ASSERT_GT(zh.cx, 0);
    ASSERT_GT(ko.cx, 0);
    EXPECT_NE(zh.cx, boxes.cx);

    // Measured by the glyphs of the face that draws them, pixel for pixel as that face draws.
    const std::wstring wideZh = L"\u9759\u542C\u98CE\u96E8";
    HFONT reference = ReferenceFace(surface.Dc(), cache, wideZh, em);
    ASSERT_NE(reference, nullptr);
    {
        Surface expected(200, 150);
        expected.Fill(kBlack);
        HGDIOBJ old = SelectObject(expected.Dc(), reference);
        SetBkMode(expected.Dc(), TRANSPARENT);
        SetTextColor(expected.Dc(), kWhite);
        SIZE sz{};
        GetTextExtentPoint32W(expected.Dc(), wideZh.c_str(), static_cast<int>(wideZh.size()), &sz);
        TextOutW(expected.Dc(), 10, 20, wideZh.c_str(), static_cast<int>(wideZh.size()));
        SelectObject(expected.Dc(), old);
        EXPECT_EQ(zh.cx, sz.cx);
        EXPECT_EQ(zh.cy, sz.cy);

        c.DrawString(10, 20, chinese);
        int ink = 0, differ = 0;
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 200; ++x) {
                ink += surface.At(x, y) != kBlack;
                differ += surface.At(x, y) != expected.At(x, y);
            }
        }
        // Four hanzi of 16 pixels leave far more ink than their outline boxes would.
        EXPECT_GT(ink, 4 * 20);
        EXPECT_EQ(differ, 0);
    }
    DeleteObject(reference);

    // A name mixing Latin letters, hanzi and hangul: each run in its own face, one after another.
    const std::string mixed = std::string("Ke Jie ") + chinese + " " + korean;
    const Size whole = c.TextExtent(mixed);
    EXPECT_EQ(whole.cx, c.TextExtent("Ke Jie ").cx + zh.cx + c.TextExtent(" ").cx + ko.cx);
    EXPECT_GE(whole.cy, c.TextExtent("Ke Jie ").cy);
    surface.Fill(kBlack);
    c.DrawString(5, 60, mixed);
    // Everything inside the measured box; the right end carries the hangul.
    const int inkAll = 200 * 150 - surface.Count(kBlack, 0, 0, 200, 150);
    const int inkInside = whole.cx * whole.cy - surface.Count(kBlack, 5, 60, 5 + whole.cx, 60 + whole.cy);
    EXPECT_GT(inkInside, 0);
    EXPECT_EQ(inkAll, inkInside);
    EXPECT_LT(surface.Count(kBlack, 5 + whole.cx - ko.cx, 60, 5 + whole.cx, 60 + whole.cy), ko.cx * whole.cy);

    // Bytes that are not UTF-8 are drawn as U+FFFD, one for each bad sequence, never dropped.
    EXPECT_EQ(c.TextExtent("a\xFF" "b").cx, c.TextExtent("a\xEF\xBF\xBD" "b").cx);
    EXPECT_GT(c.TextExtent("a\xFF" "b").cx, c.TextExtent("ab").cx);
    c.DrawString(0, 0, "\xE9\x9D");  // a cut character at the very end
}

// 4 x 4: a magenta frame in the bottom-left corner's colour around a 2 x 2 of red, green,
// blue, white.
COLORREF StonePixel(int x, int y) {
    if (x == 0 || y == 0 || x == 3 || y == 3) return kMagenta;
    static const COLORREF inner[2][2] = {{kRed, kGreen}, {kBlue, kWhite}};
    return inner[y - 1][x - 1];
}

class BitmapTest : public GdiCanvasTest {
protected:
    void TearDown() override {
        for (auto& p : files) DeleteFileA(p.c_str());
    }
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        files.push_back(TempPath(name));
        WriteFile(files.back(), bytes);
        return files.back();
    }
    std::vector<std::string> files;
    Win32BitmapLoader loader;
};

TEST_F(BitmapTest, OpaquePictureIsDrawnPixelForPixelAndStretched) {
    auto bmp = loader.Load(Write("board.bmp", Bmp24(5, 3, [](int x, int y) { return RGB(x * 40, y * 80, 7); })), false);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->Width(), 5);
    EXPECT_EQ(bmp->Height(), 3);
    EXPECT_FALSE(bmp->Transparent());
    GdiCanvas c(surface.Dc());
    c.DrawBitmap(*bmp, 20, 30);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(surface.At(20 + x, 30 + y), RGB(x * 40, y * 80, 7)) << x << "," << y;
    EXPECT_EQ(surface.At(25, 30), kBlack);
    EXPECT_EQ(surface.At(20, 33), kBlack);
    // Drawn partly off the surface: clipped, no failure.
    c.DrawBitmap(*bmp, 198, 148);
    EXPECT_EQ(surface.At(199, 149), RGB(40, 80, 7));

    // Twice the size: interpolated, not repeated in 2 x 2 blocks. The outer pixels keep the
    // picture's own corners; pixel 1 lies a quarter of the way from source pixel 0 to 1.
    c.StretchBitmap(*bmp, Rect{100, 100, 110, 106});
    EXPECT_EQ(surface.At(100, 100), RGB(0, 0, 7));
    EXPECT_EQ(surface.At(101, 101), RGB(10, 20, 7));
    EXPECT_EQ(surface.At(102, 102), RGB(30, 60, 7));
    EXPECT_EQ(surface.At(109, 105), RGB(160, 160, 7));
    EXPECT_EQ(surface.At(110, 105), kBlack);
    EXPECT_EQ(surface.At(109, 106), kBlack);
}

TEST_F(BitmapTest, TopDownPictureIsDrawnTheRightWayUp) {
    // The same picture with its rows stored from the top: a negative height in the header.
    auto pixel = [](int x, int y) { return RGB(x * 40, y * 80, 7); };
    std::vector<unsigned char> f = Bmp24(5, 3, pixel);
    const int stride = (5 * 3 + 3) & ~3;
    std::vector<unsigned char> topDown(f.begin(), f.begin() + 54);
    for (int row = 2; row >= 0; --row) topDown.insert(topDown.end(), f.begin() + 54 + row * stride, f.begin() + 54 + (row + 1) * stride);
    const int32_t minusThree = -3;
    std::memcpy(&topDown[22], &minusThree, 4);
    auto bmp = loader.Load(Write("topdown.bmp", topDown), true);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->Height(), 3);
    EXPECT_EQ(static_cast<GdiBitmap&>(*bmp).TransparentColour(), pixel(0, 2));
    auto opaque = loader.Load(files.back(), false);
    ASSERT_NE(opaque, nullptr);
    GdiCanvas c(surface.Dc());
    c.DrawBitmap(*opaque, 20, 30);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(surface.At(20 + x, 30 + y), pixel(x, y)) << x << "," << y;
}

TEST_F(BitmapTest, TransparentPictureLeavesItsBottomLeftColourOut) {
    auto bmp = loader.Load(Write("stone.bmp", Bmp24(4, 4, StonePixel)), true);
    ASSERT_NE(bmp, nullptr);
    EXPECT_TRUE(bmp->Transparent());
    EXPECT_EQ(static_cast<GdiBitmap&>(*bmp).TransparentColour(), kMagenta);
    const COLORREF ground = RGB(128, 64, 0);
    surface.Fill(ground);
    GdiCanvas c(surface.Dc());
    // Twice the size: the transparent colour becomes clear before interpolating, so the soft rim
    // mixes the stone's colours with the ground and never with magenta (red and magenta would
    // show as blue on the red corner).
    c.StretchBitmap(*bmp, Rect{10, 10, 18, 18});
    EXPECT_EQ(surface.Count(kMagenta, 0, 0, 200, 150), 0);
    EXPECT_EQ(surface.At(10, 10), ground);
    EXPECT_EQ(surface.At(17, 17), ground);
    EXPECT_EQ(surface.At(17, 10), ground);
    auto within2 = [](COLORREF got, int r, int g, int b) {
        return std::abs(GetRValue(got) - r) <= 2 && std::abs(GetGValue(got) - g) <= 2 &&
               std::abs(GetBValue(got) - b) <= 2;
    };
    // Red at 0.75 x 0.75 of full cover over the ground; the inner pixels mix all four colours.
    const COLORREF rim = surface.At(12, 12);
    EXPECT_TRUE(within2(rim, 255 * 9 / 16 + 128 * 7 / 16, 64 * 7 / 16, 0)) << std::hex << rim;
    const COLORREF inner = surface.At(13, 13);
    EXPECT_TRUE(within2(inner, 255 * 10 / 16, 255 * 4 / 16, 255 * 4 / 16)) << std::hex << inner;
    for (COLORREF solid : {kRed, kGreen, kBlue, kWhite}) EXPECT_EQ(surface.Count(solid, 10, 10, 18, 18), 0);

    // Unscaled too.
    c.DrawBitmap(*bmp, 100, 100);
    EXPECT_EQ(surface.Count(kMagenta, 0, 0, 200, 150), 0);
    EXPECT_EQ(surface.At(100, 100), RGB(128, 64, 0));
    EXPECT_EQ(surface.At(101, 101), kRed);
    EXPECT_EQ(surface.At(102, 102), kWhite);

    // The key is the bottom-left pixel whatever its colour.
    auto other = loader.Load(Write("stone2.bmp", Bmp24(3, 3, [](int x, int y) {
                                       return (x == 0 && y == 2) ? RGB(1, 2, 3) : kGreen;
                                   })), true);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(static_cast<GdiBitmap&>(*other).TransparentColour(), RGB(1, 2, 3));

    // The same picture loaded as opaque keeps its frame.
    auto opaque = loader.Load(files.front(), false);
    ASSERT_NE(opaque, nullptr);
    c.StretchBitmap(*opaque, Rect{50, 50, 54, 54});
    EXPECT_EQ(surface.Count(kMagenta, 50, 50, 54, 54), 12);
}

TEST_F(BitmapTest, AnythingThatIsNotACompleteBitmapGivesNull) {
    const auto good = Bmp24(7, 5, [](int, int) { return kGreen; });
    ASSERT_NE(loader.Load(Write("good.bmp", good), true), nullptr);

    EXPECT_EQ(loader.Load(TempPath("missing.bmp"), false), nullptr);
    EXPECT_EQ(loader.Load("", false), nullptr);
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    EXPECT_EQ(loader.Load(dir, false), nullptr);  // a directory
    const std::string text = "This is not a picture.\r\nJust text.\r\n";
    EXPECT_EQ(loader.Load(Write("text.bmp", std::vector<unsigned char>(text.begin(), text.end())), false), nullptr);
    EXPECT_EQ(loader.Load(Write("empty.bmp", {}), false), nullptr);

    auto cut = good;
    cut.resize(good.size() - 1);  // one byte of pixel data missing
    EXPECT_EQ(loader.Load(Write("cut.bmp", cut), false), nullptr);
    cut.resize(30);  // in the middle of the header
    EXPECT_EQ(loader.Load(Write("cut2.bmp", cut), true), nullptr);

    auto zeroWidth = good;
    std::memset(&zeroWidth[18], 0, 4);
    EXPECT_EQ(loader.Load(Write("zero.bmp", zeroWidth), false), nullptr);
    auto huge = good;  // claims 100000 x 5 pixels
    huge[18] = 0xA0, huge[19] = 0x86, huge[20] = 0x01, huge[21] = 0;
    EXPECT_EQ(loader.Load(Write("huge.bmp", huge), false), nullptr);
    auto badBits = good;
    badBits[28] = 23;
    EXPECT_EQ(loader.Load(Write("bits.bmp", badBits), false), nullptr);
    auto jpeg = good;
    jpeg[30] = 4;  // BI_JPEG
    EXPECT_EQ(loader.Load(Write("jpeg.bmp", jpeg), false), nullptr);
    auto badOffset = good;
    badOffset[10] = 0xFF, badOffset[11] = 0xFF;
    EXPECT_EQ(loader.Load(Write("offset.bmp", badOffset), false), nullptr);
}

TEST(BmpCheck, AcceptsPaletteAndTopDownPictures) {
    // 8-bit, 2 x 2, a palette of 2 colours, bottom-up then top-down.
    std::vector<unsigned char> f(14 + 40 + 8 + 8, 0);
    f[0] = 'B', f[1] = 'M';
    f[10] = 14 + 40 + 8;
    f[14] = 40;
    f[18] = 2;
    f[22] = 2;
    f[26] = 1;
    f[28] = 8;
    f[46] = 2;  // colours used
    EXPECT_TRUE(IsCompleteBmp(f.data(), f.size()));
    f[22] = 0xFE, f[23] = 0xFF, f[24] = 0xFF, f[25] = 0xFF;  // height -2
    EXPECT_TRUE(IsCompleteBmp(f.data(), f.size()));
    EXPECT_FALSE(IsCompleteBmp(f.data(), f.size() - 1));
    f[28] = 1;
    f[46] = 3;  // three colours for one bit per pixel
    EXPECT_FALSE(IsCompleteBmp(f.data(), f.size()));
}

}  // namespace
}  // namespace senvola
