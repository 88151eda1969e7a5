// The replay's drawing surface on a cairo image surface, with text through pango.
//
// It keeps GDI's geometry (canvas.h): a rectangle covers x1..x2-1 by y1..y2-1 with its
// one-pixel outline inside, a line leaves out its end point, text is placed by the top-left
// corner of its line box. Rectangles and horizontal and vertical lines fall on whole pixels
// and come out exactly as GDI paints them; ellipses, slanted lines, text and stretched pictures
// are anti-aliased. An ellipse inscribed in (x1, y1, x2, y2) is centred at ((x1 + x2) / 2,
// (y1 + y2) / 2), like GDI's, so stones sit where they sit on Windows.
//
// Choices where GDI's meaning does not carry over:
// - Fonts are asked for by name ("Arial" and the like); fontconfig finds the nearest face and
//   the fallback for characters it lacks. A size in points is an em of size x 96 / 72 pixels,
//   as GDI gives on a 96-dpi screen. Glyph advances are whole pixels, as with GDI.
// - Texts are UTF-8, handed to pango as they are; broken bytes show as U+FFFD.
// - Stretched pictures are filtered (bilinear or better) instead of GDI's nearest colour;
//   copies of the surface at their own size stay exact.
//
// The canvas remembers the area it has painted since TakeDamage(), so that a window shows
// only what changed.
#pragma once

#include <array>
#include <span>
#include <string>

#include "cairo_handles.h"
#include "draw/canvas.h"

namespace senvola::x11 {

class CairoCanvas final : public Canvas {
public:
    // Draws on `image` (an image surface), which must outlive the canvas.
    explicit CairoCanvas(cairo_surface_t* image);
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;
    ~CairoCanvas() override;

    void SetPen(Colour colour, bool solid) override;
    void SetBrush(Colour colour, bool solid) override;
    void SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void DrawString(int x, int y, std::string_view text) override;
    Size TextExtent(std::string_view text) override;
    void DrawBitmap(const Bitmap& bitmap, int x, int y) override;
    void StretchBitmap(const Bitmap& bitmap, const Rect& dst) override;
    void CopySelf(const Rect& dst, const Rect& src) override;
    std::unique_ptr<Bitmap> MakeAlphaBitmap(const uint32_t* pixels, int width, int height) override;
    void BlendBitmap(const Bitmap& bitmap, int x, int y) override;
    void TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) override;

    // The areas painted since the last call, clipped to the surface, and then forgotten.
    // Drawing is flushed to the surface's pixels first. A step paints a stone on the board and
    // the move number in the panel: kept apart, they are two small areas to show instead of
    // one that spans the screen.
    struct Damage {
        static constexpr int kMaxRects = 4;
        std::array<Rect, kMaxRects> rects{};
        int count = 0;
        std::span<const Rect> Rects() const { return {rects.data(), static_cast<std::size_t>(count)}; }
    };
    Damage TakeDamage();

private:
    void Fill(Colour colour);
    void AddDamage(int x1, int y1, int x2, int y2);
    // Lays out `text` in the current font; the layout holds it until the next call.
    void Layout(std::string_view text);

    cairo_surface_t* image_;
    UniqueContext cr_;
    UniqueLayout layout_;
    std::string utf8_;  // a text mended for pango

    UniqueFontDescription font_;
    Colour textColour_ = 0;

    UniqueSurface scratch_;  // CopySelf's copy of its source, kept and grown as needed
    UniqueContext scratchCr_;

    Colour penColour_ = 0, brushColour_ = 0;
    bool penSolid_ = true, brushSolid_ = true;
    Damage damage_;
};

}  // namespace senvola::x11
