// The drawing surface the replay paints on. A GDI implementation draws on an HDC; a recording
// one serves host tests. Semantics are those of GDI: a rectangle (x1, y1, x2, y2) covers
// x1..x2-1 by y1..y2-1, outline included; a line does not paint its end point.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "settings/colour.h"
#include "platform/bitmap.h"

namespace senvola {

struct Size {
    int cx = 0, cy = 0;
};

struct Rect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetPen(Colour colour, bool solid) = 0;    // 1 pixel wide; !solid = no outline
    virtual void SetBrush(Colour colour, bool solid) = 0;  // !solid = interiors and text background unpainted
    virtual void SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) = 0;
    // Outline in the pen, interior in the brush.
    virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
    // The whole rectangle in the brush; the pen is not used.
    virtual void FillRect(int x1, int y1, int x2, int y2) = 0;
    // Ellipse inscribed in the rectangle: outline in the pen, interior in the brush.
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // From (x1, y1) up to but not including (x2, y2), in the pen.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Text in the current font with its top-left corner at (x, y).
    virtual void DrawString(int x, int y, std::string_view text) = 0;
    virtual Size TextExtent(std::string_view text) = 0;
    // Bitmap unscaled with its top-left corner at (x, y).
    virtual void DrawBitmap(const Bitmap& bitmap, int x, int y) = 0;
    // Bitmap stretched into dst; a transparent bitmap leaves its transparent colour out.
    virtual void StretchBitmap(const Bitmap& bitmap, const Rect& dst) = 0;
    // Copies src of this surface onto dst of the same surface, stretched.
    virtual void CopySelf(const Rect& dst, const Rect& src) = 0;

    // Anti-aliased shapes are rasterised by the core once per layout into pictures with an alpha
    // channel and then only blended: the same pixels on every platform, one blit per stone.
    // A picture of width x height premultiplied 0xAARRGGBB pixels, top row first, for
    // BlendBitmap; null when the surface cannot hold one.
    virtual std::unique_ptr<Bitmap> MakeAlphaBitmap(const uint32_t* pixels, int width, int height) = 0;
    // A picture from MakeAlphaBitmap composited over the surface with its top-left corner at (x, y).
    virtual void BlendBitmap(const Bitmap& bitmap, int x, int y) = 0;
    // The picture repeated from (originX, originY) in both directions, painted only inside clip:
    // a patch of a tiled board, equal to the same patch of the whole tiled surface.
    virtual void TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) = 0;
};

}  // namespace senvola
