#include "win32/canvas_gdi.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>

#include "win32/blit.h"
#include "win32/bmp_win32.h"
#include "win32/fallback_faces.h"
#include "win32/png_win32.h"

namespace senvola {

// ---- GdiBitmap ----------------------------------------------------------------------------

GdiBitmap::GdiBitmap(UniqueBitmap bitmap, int width, int height, bool transparent, COLORREF transparentColour,
                     bool alpha)
    : bitmap_(std::move(bitmap)), width_(width), height_(height), transparent_(transparent),
      transparentColour_(transparentColour), alpha_(alpha) {}

// ---- Win32BitmapLoader --------------------------------------------------------------------

std::unique_ptr<Bitmap> Win32BitmapLoader::Load(const std::string& path, bool transparent) {
    std::optional<BmpPicture> picture = LoadPictureFile(path);
    if (!picture) return nullptr;
    return std::make_unique<GdiBitmap>(std::move(picture->bitmap), picture->width, picture->height, transparent,
                                       transparent ? picture->bottomLeft : 0, picture->alpha);
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

HFONT MakeFont(const wchar_t* face, int heightPixels, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = heightPixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

HDC GdiObjectCache::MemoryDcFor(HDC dc) {
    if (!memDc_) memDc_.reset(CreateCompatibleDC(dc));
    return memDc_.get();
}

HBRUSH GdiObjectCache::PatternBrush(HBITMAP bitmap, HGDIOBJ selected) {
    if (!pattern_ || patternSource_ != bitmap) {
        if (pattern_ && pattern_.get() == selected) return nullptr;  // never delete what the DC holds
        pattern_.reset(CreatePatternBrush(bitmap));
        patternSource_ = pattern_ ? bitmap : nullptr;
    }
    return static_cast<HBRUSH>(pattern_.get());
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
    wchar_t face[LF_FACESIZE] = {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), face, LF_FACESIZE - 1);
    face[n > 0 ? n : 0] = L'\0';
    HFONT font = MakeFont(face, heightPixels, bold);
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    FontEntry& slot = PickSlot(fonts_, selected);
    slot.obj.reset(font);
    slot.name.assign(name);
    slot.height = heightPixels;
    slot.bold = bold;
    slot.used = clock_;
    return font;
}

const std::vector<std::wstring>& GdiObjectCache::FallbackFaces(HDC dc) {
    if (fallbackFacesKnown_) return fallbackFaces_;
    fallbackFacesKnown_ = true;
    for (const wchar_t* face : kFallbackFaces)
        if (FaceInstalled(dc, face)) fallbackFaces_.emplace_back(face);
    return fallbackFaces_;
}

HFONT GdiObjectCache::FallbackFont(std::size_t face, int heightPixels, bool bold, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : fallbacks_) {
        if (e.obj && e.face == face && e.height == heightPixels && e.bold == bold) {
            e.used = clock_;
            return static_cast<HFONT>(e.obj.get());
        }
    }
    if (face >= fallbackFaces_.size()) return nullptr;
    HFONT font = MakeFont(fallbackFaces_[face].c_str(), heightPixels, bold);
    if (!font) return nullptr;
    FallbackEntry& slot = PickSlot(fallbacks_, selected);
    slot.obj.reset(font);
    slot.face = face;
    slot.height = heightPixels;
    slot.bold = bold;
    slot.used = clock_;
    return font;
}

// ---- GdiCanvas ---------------------------------------------------------------------------

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
    fontHeight_ = height;
    fontBold_ = bold;
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

bool GdiCanvas::PrepareText(std::string_view utf8) {
    GdiObjectCache::TextBuffers& text = cache_->Text();
    mixed_ = false;
    primary_ = static_cast<HFONT>(GetCurrentObject(dc_, OBJ_FONT));
    if (utf8.empty()) return false;
    const int size = static_cast<int>(std::min<std::size_t>(utf8.size(), INT_MAX / 2));
    // Windows replaces an invalid sequence with U+FFFD when it is not asked to fail on one. A
    // UTF-16 text has at most as many units as its UTF-8 form has bytes.
    text.wide.resize(static_cast<std::size_t>(size));
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.wide.data(), size);
    text.wide.resize(static_cast<std::size_t>(std::max(n, 0)));
    if (text.wide.empty()) return false;

    text.glyphs.resize(text.wide.size());
    text.faces.assign(text.wide.size(), 0);
    if (GetGlyphIndicesW(dc_, text.wide.data(), static_cast<int>(text.wide.size()), text.glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return true;
    constexpr FontChoice kUnresolved = 0xFF;
    std::size_t unresolved = 0;
    for (std::size_t i = 0; i < text.wide.size(); ++i) {
        if (text.glyphs[i] == 0xFFFF) {
            text.faces[i] = kUnresolved;
            ++unresolved;
        }
    }
    if (unresolved == 0) return true;

    // The fallbacks take the size and weight SetFont asked for; for a font the DC came with,
    // its em height (which rounding may leave a pixel off) and weight.
    if (fontHeight_ != 0) {
        fallbackHeight_ = fontHeight_;
        fallbackBold_ = fontBold_;
    } else {
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        fallbackHeight_ = -(tm.tmHeight - tm.tmInternalLeading);
        fallbackBold_ = tm.tmWeight >= FW_SEMIBOLD;
    }
    const std::size_t faces = std::min<std::size_t>(cache_->FallbackFaces(dc_).size(), kUnresolved - 1);
    for (std::size_t face = 0; face < faces && unresolved > 0; ++face) {
        HFONT font = cache_->FallbackFont(face, fallbackHeight_, fallbackBold_, primary_);
        if (!font) continue;
        const ScopedSelectObject select(dc_, font);
        if (GetGlyphIndicesW(dc_, text.wide.data(), static_cast<int>(text.wide.size()), text.glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
            continue;
        for (std::size_t i = 0; i < text.wide.size(); ++i) {
            if (text.faces[i] == kUnresolved && text.glyphs[i] != 0xFFFF) {
                text.faces[i] = static_cast<FontChoice>(face + 1);
                mixed_ = true;
                --unresolved;
            }
        }
    }
    // What no face has is drawn by the selected font, as its missing-glyph box; a surrogate pair
    // stays in one run.
    for (std::size_t i = 0; i < text.wide.size(); ++i) {
        if (text.faces[i] == kUnresolved) text.faces[i] = 0;
        if (IsHighSurrogate(text.wide[i]) && i + 1 < text.wide.size()) text.faces[i + 1] = text.faces[i];
    }
    return true;
}

HFONT GdiCanvas::SelectChoice(FontChoice choice) {
    HFONT font = choice == 0 ? primary_
                             : cache_->FallbackFont(choice - 1u, fallbackHeight_, fallbackBold_,
                                                     GetCurrentObject(dc_, OBJ_FONT));
    if (!font) font = primary_;
    SelectObject(dc_, font);
    return font;
}

GdiCanvas::Extent GdiCanvas::MeasureRuns() {
    const GdiObjectCache::TextBuffers& text = cache_->Text();
    Extent e;
    for (std::size_t start = 0; start < text.wide.size();) {
        std::size_t end = start + 1;
        while (end < text.wide.size() && text.faces[end] == text.faces[start]) ++end;
        SelectChoice(text.faces[start]);
        SIZE sz{};
        GetTextExtentPoint32W(dc_, text.wide.data() + start, static_cast<int>(end - start), &sz);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc_, &tm);
        e.width += sz.cx;
        e.ascent = std::max(e.ascent, static_cast<int>(tm.tmAscent));
        e.descent = std::max(e.descent, static_cast<int>(tm.tmDescent));
        start = end;
    }
    SelectObject(dc_, primary_);
    return e;
}

void GdiCanvas::DrawString(int x, int y, std::string_view utf8) {
    if (!PrepareText(utf8)) return;
    const GdiObjectCache::TextBuffers& text = cache_->Text();
    if (!mixed_) {
        ::TextOutW(dc_, x, y, text.wide.data(), static_cast<int>(text.wide.size()));
        return;
    }
    // Faces of one size differ in ascent: the runs share the baseline of the tallest, so that the
    // whole text still starts at y.
    const Extent extent = MeasureRuns();
    const UINT align = SetTextAlign(dc_, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    for (std::size_t start = 0; start < text.wide.size();) {
        std::size_t end = start + 1;
        while (end < text.wide.size() && text.faces[end] == text.faces[start]) ++end;
        SelectChoice(text.faces[start]);
        const int count = static_cast<int>(end - start);
        ::TextOutW(dc_, x, y + extent.ascent, text.wide.data() + start, count);
        SIZE sz{};
        GetTextExtentPoint32W(dc_, text.wide.data() + start, count, &sz);
        x += sz.cx;
        start = end;
    }
    SelectObject(dc_, primary_);
    if (align != GDI_ERROR) SetTextAlign(dc_, align);
}

Size GdiCanvas::TextExtent(std::string_view utf8) {
    if (!PrepareText(utf8)) {
        // An empty text is as high as a line of the font, as GDI measures it.
        SIZE sz{};
        if (!GetTextExtentPoint32W(dc_, L"", 0, &sz)) return {};
        return {sz.cx, sz.cy};
    }
    const GdiObjectCache::TextBuffers& text = cache_->Text();
    if (!mixed_) {
        SIZE sz{};
        if (!GetTextExtentPoint32W(dc_, text.wide.data(), static_cast<int>(text.wide.size()), &sz)) return {};
        return {sz.cx, sz.cy};
    }
    const Extent extent = MeasureRuns();
    return {extent.width, extent.ascent + extent.descent};
}

void GdiCanvas::DrawBitmap(const Bitmap& bitmap, int x, int y) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    // A stone picture leaves its transparent colour out however it is drawn.
    b->Draw(dc_, mem, RECT{x, y, x + b->Width(), y + b->Height()});
}

void GdiCanvas::StretchBitmap(const Bitmap& bitmap, const Rect& dst) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    const int w = dst.x2 - dst.x1, h = dst.y2 - dst.y1;
    if (w <= 0 || h <= 0) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    b->Draw(dc_, mem, RECT{dst.x1, dst.y1, dst.x2, dst.y2});
}

void GdiCanvas::CopySelf(const Rect& dst, const Rect& src) {
    StretchBlt(dc_, dst.x1, dst.y1, dst.x2 - dst.x1, dst.y2 - dst.y1, dc_, src.x1, src.y1, src.x2 - src.x1,
               src.y2 - src.y1, SRCCOPY);
}

std::unique_ptr<Bitmap> GdiCanvas::MakeAlphaBitmap(const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    uint32_t* bits = nullptr;
    UniqueBitmap bitmap = NewTopDownDib(width, height, bits, dc_);
    if (!bitmap) return nullptr;
    // BGRA bytes in memory are 0xAARRGGBB words on a little-endian machine.
    std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * 4);
    GdiFlush();
    return std::make_unique<GdiBitmap>(std::move(bitmap), width, height, false, 0);
}

void GdiCanvas::BlendBitmap(const Bitmap& bitmap, int x, int y) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    const ScopedSelectObject select(mem, b->Handle());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc_, x, y, b->Width(), b->Height(), mem, 0, 0, b->Width(), b->Height(), blend);
}

void GdiCanvas::TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b || clip.x2 <= clip.x1 || clip.y2 <= clip.y1 || b->Width() <= 0 || b->Height() <= 0) return;
    HBRUSH pattern = cache_->PatternBrush(b->Handle(), GetCurrentObject(dc_, OBJ_BRUSH));
    if (!pattern) return;
    // A pattern starts at the brush origin; any whole number of periods away is the same origin.
    auto wrap = [](int v, int period) { return ((v % period) + period) % period; };
    POINT old{};
    SetBrushOrgEx(dc_, wrap(originX, b->Width()), wrap(originY, b->Height()), &old);
    const RECT r{clip.x1, clip.y1, clip.x2, clip.y2};
    ::FillRect(dc_, &r, pattern);
    SetBrushOrgEx(dc_, old.x, old.y, nullptr);
}

}  // namespace senvola
