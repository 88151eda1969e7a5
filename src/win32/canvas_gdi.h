// The replay's drawing surface on a Windows device context, and Windows BMP pictures for it.
//
// GdiCanvas takes its pens, brushes and fonts from a GdiObjectCache keyed by value, so the
// replay's constant switching between a handful of colours and fonts creates no new GDI object
// once each has been made. The cache is bounded and deletes what it holds when it goes; the
// canvas selects the DC's own objects back when it goes. A canvas given no cache has its own.
//
// Choices where plain GDI leaves room:
// - A solid brush paints text backgrounds in its colour (OPAQUE), a clear brush leaves them
//   unpainted (TRANSPARENT), as the brush's comment in canvas.h says. The replay draws all its
//   text with a clear brush.
// - GDI shrinks a Rectangle or Ellipse drawn with a null pen by one pixel at the right and
//   bottom (and implementations differ in how). With a clear pen this canvas still covers
//   x1..x2-1 by y1..y2-1: a shape drawn with a clear pen fills exactly the pixels its outlined
//   form would cover.
// - FillRect paints nothing for an empty or inverted rectangle; Rectangle, with any pen, takes
//   its corners in either order, as GDI does.
// - Anti-aliased pieces (stones, star points, marker) come rasterised by the core as premultiplied
//   32-bit pictures and are drawn with AlphaBlend: one blit each, the same pixels as on cairo.
// - Pictures drawn at another size than their own are resampled (GdiBitmap::Draw): GDI's
//   stretching drops or repeats whole rows and columns, which makes a shrunk picture ragged and
//   an enlarged one blocky. A transparent picture's transparent colour becomes clear alpha
//   first, so its resampled edge is soft without a fringe of that colour. Only when no resampled
//   copy can be made does GDI stretch (COLORONCOLOR, TransparentBlt).
// - Text comes in as UTF-8 and is drawn with the wide calls. Characters the selected font has no
//   glyph for are drawn and measured in the first installed face of a list of fallbacks that
//   has them (CJK faces mostly), at the same size, on a shared baseline: GDI's own font linking
//   is not there everywhere (not under Wine, not for every face on Windows). Invalid UTF-8 draws
//   as U+FFFD. Widening and glyph lookup use buffers the canvas keeps, so that text drawn again
//   and again allocates nothing once they have grown.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "draw/canvas.h"
#include "platform/bitmap.h"
#include "win32/handles.h"

namespace senvola {

// A picture owned as an HBITMAP (a 32-bit top-down DIB section, premultiplied with alpha).
class GdiBitmap final : public Bitmap {
public:
    GdiBitmap(UniqueBitmap bitmap, int width, int height, bool transparent, COLORREF transparentColour,
              bool alpha = false);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Transparent() const override { return transparent_; }
    bool Alpha() const override { return alpha_; }
    COLORREF TransparentColour() const { return transparentColour_; }
    HBITMAP Handle() const { return bitmap_.get(); }

    // Draws the picture into `to` on `dest`, through `memory` (a memory DC). At its own size it
    // is copied (its transparent colour left out) or blended by its alpha; at any other size it
    // is resampled smoothly first (a transparent one with its transparent colour turned into
    // clear alpha, so that its edge is soft and has no fringe of that colour).
    void Draw(HDC dest, HDC memory, const RECT& to) const;

private:
    // The picture resampled to w x h, made on first use and kept: stones are drawn at one size
    // for a whole game, so only a new layout (or another monitor's) makes a new one.
    HBITMAP Resized(int w, int h) const;

    struct ResizedCopy {
        int w = 0, h = 0;
        UniqueBitmap bitmap;
        uint32_t used = 0;
    };
    UniqueBitmap bitmap_;
    int width_, height_;
    bool transparent_;
    COLORREF transparentColour_;
    bool alpha_;
    mutable std::array<ResizedCopy, 4> resized_{};
    mutable uint32_t clock_ = 0;
};

// Loads Windows BMP files (bmp_win32.h) as DIB sections; anything that loader refuses gives
// null. A transparent picture takes the colour of its bottom-left pixel as its transparent
// colour. Paths are UTF-8, as the settings keep them.
class Win32BitmapLoader final : public BitmapLoader {
public:
    std::unique_ptr<Bitmap> Load(const std::string& path, bool transparent) override;
};

// The pens, brushes and fonts a canvas has made, kept by value for reuse; bounded, least
// recently used out first; everything is deleted with the cache. A cache that outlives its
// canvases (the saver makes a canvas per timer tick on the window's DC) makes no GDI object
// after the first few ticks. One canvas at a time may use a cache.
class GdiObjectCache {
public:
    static constexpr std::size_t kSize = 8;

    // Each returns the cached object for the value, made if needed; `selected` (the object the
    // DC holds now) is never the one evicted to make room.
    HPEN Pen(Colour colour, HGDIOBJ selected);
    HBRUSH Brush(Colour colour, HGDIOBJ selected);
    HFONT Font(std::string_view name, int heightPixels, bool bold, HGDIOBJ selected);
    // The fallback faces installed here, best first; looked up on `dc` on the first call.
    const std::vector<std::wstring>& FallbackFaces(HDC dc);
    // Fallback face `face` (an index into FallbackFaces) at the given height and weight.
    HFONT FallbackFont(std::size_t face, int heightPixels, bool bold, HGDIOBJ selected);
    // A memory DC for drawing pictures, made on first use.
    HDC MemoryDcFor(HDC dc);
    // A pattern brush of `bitmap`, kept for the last bitmap asked for: a picture board restores
    // point after point from the same one.
    HBRUSH PatternBrush(HBITMAP bitmap, HGDIOBJ selected);
    // Buffers for text being drawn: the saver makes a canvas per tick, the cache lasts, so text
    // drawn tick after tick allocates nothing once they have grown.
    struct TextBuffers {
        std::wstring wide;           // the text in UTF-16
        std::vector<WORD> glyphs;    // glyph indices in the font being tried
        std::vector<uint8_t> faces;  // per UTF-16 unit: 0 the selected font, k fallback face k - 1
    };
    TextBuffers& Text() { return text_; }

private:
    struct PenEntry {
        Colour colour = 0;
        UniqueGdiObject obj;
        uint32_t used = 0;
    };
    struct BrushEntry {
        Colour colour = 0;
        UniqueGdiObject obj;
        uint32_t used = 0;
    };
    struct FontEntry {
        std::string name;
        int height = 0;
        bool bold = false;
        UniqueGdiObject obj;
        uint32_t used = 0;
    };
    struct FallbackEntry {
        std::size_t face = 0;
        int height = 0;
        bool bold = false;
        UniqueGdiObject obj;
        uint32_t used = 0;
    };

    UniqueDc memDc_;
    HBITMAP patternSource_ = nullptr;
    UniqueGdiObject pattern_;
    uint32_t clock_ = 0;  // use counter for the least-recently-used choice
    std::array<PenEntry, kSize> pens_{};
    std::array<BrushEntry, kSize> brushes_{};
    std::array<FontEntry, kSize> fonts_{};
    std::array<FallbackEntry, kSize> fallbacks_{};
    std::vector<std::wstring> fallbackFaces_;
    bool fallbackFacesKnown_ = false;
    TextBuffers text_;
};

class GdiCanvas final : public Canvas {
public:
    // Draws on `dc`, which must outlive the canvas. The DC's pen, brush, font, text colour,
    // background mode, text alignment and stretch mode are restored when the canvas is destroyed. With a
    // `cache`, which must outlive the canvas, GDI objects are taken from and kept in it;
    // without, the canvas keeps its own for its lifetime.
    explicit GdiCanvas(HDC dc, GdiObjectCache* cache = nullptr);
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;
    ~GdiCanvas() override;

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

    HDC Dc() const { return dc_; }

private:
    // The font a UTF-16 unit of the text is drawn in: 0 the selected font, k > 0 fallback face
    // k - 1.
    using FontChoice = uint8_t;
    // Widens `text` into the cache's text buffers and picks each unit's font; false for an
    // empty text.
    bool PrepareText(std::string_view text);
    // Selects the font of `choice` (the selected one for 0) and returns it.
    HFONT SelectChoice(FontChoice choice);
    // Measures the runs of the prepared text: total width, and the largest ascent and descent.
    struct Extent {
        int width = 0, ascent = 0, descent = 0;
    };
    Extent MeasureRuns();
    void PaintBrushRect(int x1, int y1, int x2, int y2);

    std::unique_ptr<GdiObjectCache> ownCache_;  // when no cache is given; outlives the restore
    GdiObjectCache* cache_;
    HDC dc_;
    HGDIOBJ oldPen_, oldBrush_, oldFont_;
    COLORREF oldTextColour_;
    int oldBkMode_, oldStretchMode_;
    COLORREF oldBkColour_;
    UINT oldTextAlign_;

    bool penSolid_ = true, brushSolid_ = true;
    Colour brushColour_ = 0;

    bool mixed_ = false;            // some unit of the prepared text takes a fallback face
    HFONT primary_ = nullptr;       // the font selected when the text was prepared
    int fontHeight_ = 0;            // SetFont's height, as CreateFont takes it; 0 before
    bool fontBold_ = false;
    int fallbackHeight_ = 0;        // the fallback faces' height, as CreateFont takes it
    bool fallbackBold_ = false;
};

}  // namespace senvola
