#include "win32/canvas_gdi.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "win32/blit.h"
#include "win32/bmp_win32.h"

namespace senvola {

// ---- GdiBitmap ----------------------------------------------------------------------------

GdiBitmap::GdiBitmap(UniqueBitmap bitmap, int width, int height, bool transparent, COLORREF transparentColour)
    : bitmap_(std::move(bitmap)), width_(width), height_(height), transparent_(transparent),
      transparentColour_(transparentColour) {}

// ---- Win32BitmapLoader --------------------------------------------------------------------

std::unique_ptr<Bitmap> Win32BitmapLoader::Load(const std::string& path, bool transparent) {
    std::optional<BmpPicture> picture = LoadBmpFile(path);
    if (!picture) return nullptr;
    return std::make_unique<GdiBitmap>(std::move(picture->bitmap), picture->width,
                                       picture->height, transparent, transparent ? picture->bottomLeft : 0);
}

// ---- GdiObjectCache ----------------------------------------------------------------------

namespace {

// The slot for a new object: an empty one, or else the least recently used one that the DC
// does not hold right now (with several slots there is always one).
template <typename Entry, std::size_t N>
Entry& PickSlot(std::array<Entry, N>& entries, HGDIOBJ selected) {
    Entry* slot = nullptr;
    for (auto& e : entries) {
        if (!e.obj) return e;
        if (e.obj.get() != selected && (!slot || e.used < slot->used)) slot = &e;
    }
    return *slot;
}

}  // namespace

HDC GdiObjectCache::MemoryDcFor(HDC dc) {
    if (!memDc_) memDc_.reset(CreateCompatibleDC(dc));
    return memDc_.get();
}

HPEN GdiObjectCache::Pen(Colour colour, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : pens_) {
        if (e.obj && e.colour == colour) {
            e.used = clock_;
            return static_cast<HPEN>(e.obj.get());
        }
    }
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen) return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    PenEntry& slot = PickSlot(pens_, selected);
    slot.obj.reset(pen);
    slot.colour = colour;
    slot.used = clock_;
    return pen;
}

HBRUSH GdiObjectCache::Brush(Colour colour, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : brushes_) {
        if (e.obj && e.colour == colour) {
            e.used = clock_;
            return static_cast<HBRUSH>(e.obj.get());
        }
    }
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    BrushEntry& slot = PickSlot(brushes_, selected);
    slot.obj.reset(brush);
    slot.colour = colour;
    slot.used = clock_;
    return brush;
}

HFONT GdiObjectCache::Font(std::string_view name, int heightPixels, bool bold, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : fonts_) {
        if (e.obj && e.height == heightPixels && e.bold == bold && e.name == name) {
            e.used = clock_;
            return static_cast<HFONT>(e.obj.get());
        }
    }
    LOGFONTA lf{};
    lf.lfHeight = heightPixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t n = name.size() < LF_FACESIZE - 1 ? name.size() : LF_FACESIZE - 1;
    std::memcpy(lf.lfFaceName, name.data(), n);
    lf.lfFaceName[n] = '\0';
    HFONT font = CreateFontIndirectA(&lf);
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    FontEntry& slot = PickSlot(fonts_, selected);
    slot.obj.reset(font);
    slot.name.assign(name);
    slot.height = heightPixels;
    slot.bold = bold;
    slot.used = clock_;
    return font;
}

// ---- GdiCanvas ---------------------------------------------------------------------------

namespace {

std::optional<COLORREF> Transparency(const GdiBitmap& b) {
    return b.Transparent() ? std::optional<COLORREF>(b.TransparentColour()) : std::nullopt;
}

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, GdiObjectCache* cache)
    : ownCache_(cache ? nullptr : std::make_unique<GdiObjectCache>()),
      cache_(cache ? cache : ownCache_.get()),
      dc_(dc),
      oldPen_(SelectObject(dc, GetStockObject(BLACK_PEN))),
      oldBrush_(SelectObject(dc, GetStockObject(BLACK_BRUSH))),
      oldFont_(GetCurrentObject(dc, OBJ_FONT)),
      oldTextColour_(GetTextColor(dc)),
      oldBkMode_(GetBkMode(dc)),
      oldStretchMode_(SetStretchBltMode(dc, COLORONCOLOR)),
      oldBkColour_(GetBkColor(dc)),
      oldTextAlign_(SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP)) {
    // The state a fresh drawing surface starts with: black solid pen and brush, opaque text
    // background in the brush colour; text placed by its top-left corner whatever the DC had.
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, 0);
}

GdiCanvas::~GdiCanvas() {
    // The DC's own objects go back in before any cached one can be deleted.
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    SelectObject(dc_, oldFont_);
    SetTextColor(dc_, oldTextColour_);
    SetBkMode(dc_, oldBkMode_);
    SetBkColor(dc_, oldBkColour_);
    if (oldStretchMode_) SetStretchBltMode(dc_, oldStretchMode_);
    if (oldTextAlign_ != GDI_ERROR) SetTextAlign(dc_, oldTextAlign_);
}

void GdiCanvas::SetPen(Colour colour, bool solid) {
    penSolid_ = solid;
    SelectObject(dc_, solid ? static_cast<HGDIOBJ>(cache_->Pen(colour, GetCurrentObject(dc_, OBJ_PEN)))
                            : GetStockObject(NULL_PEN));
}

void GdiCanvas::SetBrush(Colour colour, bool solid) {
    brushSolid_ = solid;
    brushColour_ = colour;
    if (solid) {
        SelectObject(dc_, cache_->Brush(colour, GetCurrentObject(dc_, OBJ_BRUSH)));
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, colour);
    } else {
        SelectObject(dc_, GetStockObject(NULL_BRUSH));
        SetBkMode(dc_, TRANSPARENT);
    }
}

void GdiCanvas::SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) {
    const int height = -MulDiv(sizePoints, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    SelectObject(dc_, cache_->Font(name, height, bold, GetCurrentObject(dc_, OBJ_FONT)));
    SetTextColor(dc_, colour);
}

void GdiCanvas::PaintBrushRect(int x1, int y1, int x2, int y2) {
    if (!brushSolid_ || x2 <= x1 || y2 <= y1) return;
    const RECT r{x1, y1, x2, y2};
    ::FillRect(dc_, &r, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (penSolid_) {
        ::Rectangle(dc_, x1, y1, x2, y2);
    } else {
        // GDI's Rectangle takes its corners in either order; so does this one.
        PaintBrushRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    }
}

void GdiCanvas::FillRect(int x1, int y1, int x2, int y2) { PaintBrushRect(x1, y1, x2, y2); }

void GdiCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (penSolid_) {
        ::Ellipse(dc_, x1, y1, x2, y2);
    } else if (brushSolid_) {
        // How much a null pen shrinks an ellipse differs between GDI implementations; an outline
        // in the brush colour covers exactly the pixels of the outlined form everywhere.
        SelectObject(dc_, cache_->Pen(brushColour_, GetCurrentObject(dc_, OBJ_PEN)));
        ::Ellipse(dc_, x1, y1, x2, y2);
        SelectObject(dc_, GetStockObject(NULL_PEN));
    }
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void GdiCanvas::DrawString(int x, int y, std::string_view text) {
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

Size GdiCanvas::TextExtent(std::string_view text) {
    SIZE sz{};
    if (!GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &sz)) return {};
    return {sz.cx, sz.cy};
}

void GdiCanvas::DrawBitmap(const Bitmap& bitmap, int x, int y) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    const ScopedSelectObject select(mem, b->Handle());
    // A stone picture leaves its transparent colour out however it is drawn.
    CopyPicture(dc_, RECT{x, y, x + b->Width(), y + b->Height()}, mem, b->Width(), b->Height(), Transparency(*b));
}

void GdiCanvas::StretchBitmap(const Bitmap& bitmap, const Rect& dst) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    const int w = dst.x2 - dst.x1, h = dst.y2 - dst.y1;
    if (w <= 0 || h <= 0) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    const ScopedSelectObject select(mem, b->Handle());
    CopyPicture(dc_, RECT{dst.x1, dst.y1, dst.x2, dst.y2}, mem, b->Width(), b->Height(), Transparency(*b));
}

void GdiCanvas::CopySelf(const Rect& dst, const Rect& src) {
    StretchBlt(dc_, dst.x1, dst.y1, dst.x2 - dst.x1, dst.y2 - dst.y1, dc_, src.x1, src.y1, src.x2 - src.x1,
               src.y2 - src.y1, SRCCOPY);
}

}  // namespace senvola
