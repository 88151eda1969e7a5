// Three ways to put a round stone on a GDI surface, timed under the same conditions: 361 discs
// (a full 19 x 19 board) at the cell sizes of 1920 x 1080 (42) and 3840 x 2160 (84), on a DIB
// section. (a) GDI's Ellipse, aliased; (b) GDI+ FillEllipse with anti-aliasing, a Graphics made
// on the DC per board as a canvas per tick would; (c) a picture rasterised once and blended with
// AlphaBlend, the path the replay takes. For each it counts the colours a disc's rim shows, to
// tell whether the edge is smooth where it runs. Prints figures; asserts nothing.
#include <windows.h>
// GDI+'s headers need PROPID, which a lean windows.h leaves out, and min and max.
#include <objidl.h>
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <cstdio>
#include <memory>
#include <set>
#include <vector>

#include "draw/stone_raster.h"
#include "win32/canvas_gdi.h"
#include "win32/render_win32.h"

namespace {

using namespace senvola;

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

// Distinct colours along the middle row of the disc at (x, y) of radius r, beyond 0.8 r: one
// or two for an aliased edge, more for a smooth one.
std::size_t RimColours(const DibSurface& s, int x, int y, int r) {
    std::set<COLORREF> seen;
    for (int k = r * 8 / 10; k <= r + 2; ++k) seen.insert(s.Pixel(x + k, y));
    return seen.size();
}

void Measure(int cell, int w, int h) {
    DibSurface surface(w, h);
    if (!surface.Valid()) return;
    HDC dc = surface.Dc();
    const int r = cell * 46 / 100;
    auto clear = [&] {
        const RECT all{0, 0, w, h};
        HBRUSH wood = CreateSolidBrush(RGB(0xDC, 0xB3, 0x5C));
        ::FillRect(dc, &all, wood);
        DeleteObject(wood);
    };
    LARGE_INTEGER a, b;

    clear();
    HBRUSH black = CreateSolidBrush(0);
    HGDIOBJ old = SelectObject(dc, black);
    QueryPerformanceCounter(&a);
    for (int i = 0; i < 361; ++i) {
        const int x = cell + (i % 19) * cell, y = cell + (i / 19) * cell;
        ::Ellipse(dc, x - r, y - r, x + r, y + r);
    }
    GdiFlush();
    QueryPerformanceCounter(&b);
    SelectObject(dc, old);
    DeleteObject(black);
    std::printf("cell %3d  GDI Ellipse (aliased)        %8.2f us a disc, %8.1f us a board; rim colours %zu\n", cell,
                1e6 * Seconds(a, b) / 361, 1e6 * Seconds(a, b), RimColours(surface, cell, cell, r));

    clear();
    QueryPerformanceCounter(&a);
    {
        Gdiplus::Graphics g(dc);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        Gdiplus::SolidBrush brush(Gdiplus::Color(255, 0, 0, 0));
        for (int i = 0; i < 361; ++i) {
            const int x = cell + (i % 19) * cell, y = cell + (i / 19) * cell;
            g.FillEllipse(&brush, Gdiplus::REAL(x - r), Gdiplus::REAL(y - r), Gdiplus::REAL(2 * r), Gdiplus::REAL(2 * r));
        }
        g.Flush(Gdiplus::FlushIntentionSync);
    }
    GdiFlush();
    QueryPerformanceCounter(&b);
    std::printf("cell %3d  GDI+ FillEllipse, smoothed %8.2f us a disc, %8.1f us a board; rim colours %zu\n", cell,
                1e6 * Seconds(a, b) / 361, 1e6 * Seconds(a, b), RimColours(surface, cell, cell, r));

    clear();
    GdiObjectCache cache;
    GdiCanvas canvas(dc, &cache);
    QueryPerformanceCounter(&a);
    const PixelImage image = RasteriseStone(cell, cell / 2.0, cell / 2.0, r, 0, StoneStyle::Flat, 0.0);
    const std::unique_ptr<Bitmap> sprite = canvas.MakeAlphaBitmap(image.pixels.data(), image.width, image.height);
    LARGE_INTEGER m;
    QueryPerformanceCounter(&m);
    for (int i = 0; i < 361; ++i) {
        const int x = cell + (i % 19) * cell, y = cell + (i / 19) * cell;
        canvas.BlendBitmap(*sprite, x - cell / 2, y - cell / 2);
    }
    GdiFlush();
    QueryPerformanceCounter(&b);
    std::printf("cell %3d  rasterised once, AlphaBlend  %8.2f us a disc, %8.1f us a board (+ %.1f us to make it); rim colours %zu\n",
                cell, 1e6 * Seconds(m, b) / 361, 1e6 * Seconds(m, b), 1e6 * Seconds(a, m),
                RimColours(surface, cell, cell, r));
}

}  // namespace

int main() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        std::fprintf(stderr, "GDI+ does not start\n");
        return 1;
    }
    for (int round = 0; round < 3; ++round) {
        std::printf("-- round %d\n", round + 1);
        Measure(42, 1920, 1080);
        Measure(84, 3840, 2160);
    }
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
