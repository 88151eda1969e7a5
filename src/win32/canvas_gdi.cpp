#include "canvas_gdi.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

namespace senvola {

// ---- GdiObject ----------------------------------------------------------------------------

GdiObject& GdiObject::operator=(GdiObject&& o) noexcept {
    if (this != &o) {
        Reset(o.h_);
        o.h_ = nullptr;
    }
    return *this;
}

void GdiObject::Reset(HGDIOBJ h) {
    if (h_) DeleteObject(h_);
    h_ = h;
}

// ---- GdiBitmap ----------------------------------------------------------------------------

GdiBitmap::GdiBitmap(HBITMAP bitmap, int width, int height, bool transparent, COLORREF transparentColour)
    : bitmap_(bitmap), width_(width), height_(height), transparent_(transparent),
      transparentColour_(transparentColour) {}

// ---- Win32BitmapLoader --------------------------------------------------------------------

namespace {

uint32_t U16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Larger pictures than this are refused rather than read: a board texture or a stone is small.
constexpr std::size_t kMaxBmpFileSize = 256u << 20;
constexpr int64_t kMaxBmpSide = 32768;

}  // namespace

bool IsCompleteBmp(const unsigned char* d, std::size_t size) {
    if (size < 14 + 12 || d[0] != 'B' || d[1] != 'M') return false;
    const uint64_t offBits = U32(d + 10);
    const uint64_t infoSize = U32(d + 14);
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bits = 0, compression = 0, sizeImage = 0, coloursUsed = 0;
    uint64_t paletteEntry = 4;
    if (infoSize == 12) {  // OS/2 core header
        if (size < 14 + 12) return false;
        width = U16(d + 18);
        height = U16(d + 20);
        planes = U16(d + 22);
        bits = U16(d + 24);
        paletteEntry = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (size < 14 + infoSize) return false;
        width = int32_t(U32(d + 18));
        height = int32_t(U32(d + 22));
        planes = U16(d + 26);
        bits = U16(d + 28);
        compression = U32(d + 30);
        sizeImage = U32(d + 34);
        coloursUsed = U32(d + 46);
    } else {
        return false;
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide || planes != 1) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;

    uint64_t headerEnd = 14 + infoSize;
    if (compression == 3 /* BI_BITFIELDS */ && infoSize == 40) headerEnd += 12;  // the three masks
    if (bits <= 8) {
        uint64_t colours = coloursUsed ? coloursUsed : (uint64_t(1) << bits);
        if (colours > (uint64_t(1) << bits)) return false;
        headerEnd += colours * paletteEntry;
    }
    if (headerEnd > size || offBits < 14 + infoSize || offBits > size) return false;

    const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    switch (compression) {
    case 0:  // BI_RGB
        return offBits + stride * uint64_t(height) <= size;
    case 3:  // BI_BITFIELDS
        if (bits != 16 && bits != 32) return false;
        return offBits + stride * uint64_t(height) <= size;
    case 1:  // BI_RLE8
    case 2:  // BI_RLE4
        if (topDown || bits != (compression == 1 ? 8u : 4u) || sizeImage == 0) return false;
        return offBits + sizeImage <= size;
    default:  // JPEG, PNG and anything else
        return false;
    }
}

std::unique_ptr<Bitmap> Win32BitmapLoader::Load(const std::string& path, bool transparent) {
    if (path.empty()) return nullptr;
    {
        std::ifstream in(path, std::ios::binary);
        if (!in) return nullptr;
        in.seekg(0, std::ios::end);
        const std::streamoff len = in.tellg();
        if (len <= 0 || static_cast<uint64_t>(len) > kMaxBmpFileSize) return nullptr;
        std::vector<unsigned char> data(static_cast<std::size_t>(len));
        in.seekg(0);
        if (!in.read(reinterpret_cast<char*>(data.data()), len)) return nullptr;
        if (!IsCompleteBmp(data.data(), data.size())) return nullptr;
    }
    HBITMAP h = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!h) return nullptr;
    GdiObject owned(h);
    BITMAP info{};
    if (GetObjectA(h, sizeof info, &info) != sizeof info || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    COLORREF key = 0;
    if (transparent) {
        MemoryDc mem(nullptr);
        if (!mem.Get()) return nullptr;
        HGDIOBJ old = SelectObject(mem.Get(), h);
        key = GetPixel(mem.Get(), 0, info.bmHeight - 1);
        SelectObject(mem.Get(), old);
        if (key == CLR_INVALID) return nullptr;
    }
    return std::make_unique<GdiBitmap>(static_cast<HBITMAP>(owned.Release()), info.bmWidth,
                                       info.bmHeight, transparent, key);
}

// ---- GdiCanvas ---------------------------------------------------------------------------

// ---- GdiObjectCache ----------------------------------------------------------------------

namespace {

// The slot for a new object: an empty one, or else the least recently used one that the DC
// does not hold right now (with several slots there is always one).
template <typename Entry, std::size_t N>
Entry& PickSlot(std::array<Entry, N>& entries, HGDIOBJ selected) {
    Entry* slot = nullptr;
    for (auto& e : entries) {
        if (!e.obj) return e;
        if (e.obj.Get() != selected && (!slot || e.used < slot->used)) slot = &e;
    }
    return *slot;
}

}  // namespace

HPEN GdiObjectCache::Pen(Colour colour, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : pens_) {
        if (e.obj && e.colour == colour) {
            e.used = clock_;
            return static_cast<HPEN>(e.obj.Get());
        }
    }
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen) return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    PenEntry& slot = PickSlot(pens_, selected);
    slot.obj.Reset(pen);
    slot.colour = colour;
    slot.used = clock_;
    return pen;
}

HBRUSH GdiObjectCache::Brush(Colour colour, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : brushes_) {
        if (e.obj && e.colour == colour) {
            e.used = clock_;
            return static_cast<HBRUSH>(e.obj.Get());
        }
    }
    HBRUSH brush = CreateSolidBrush(colour);
    if (!brush) return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    BrushEntry& slot = PickSlot(brushes_, selected);
    slot.obj.Reset(brush);
    slot.colour = colour;
    slot.used = clock_;
    return brush;
}

HFONT GdiObjectCache::Font(std::string_view name, int heightPixels, bool bold, HGDIOBJ selected) {
    ++clock_;
    for (auto& e : fonts_) {
        if (e.obj && e.height == heightPixels && e.bold == bold && e.name == name) {
            e.used = clock_;
            return static_cast<HFONT>(e.obj.Get());
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
    slot.obj.Reset(font);
    slot.name.assign(name);
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

void GdiCanvas::TextOut(int x, int y, std::string_view text) {
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
    HGDIOBJ old = SelectObject(mem, b->Handle());
    if (b->Transparent()) {
        // A stone picture leaves its transparent colour out however it is drawn.
        TransparentBlt(dc_, x, y, b->Width(), b->Height(), mem, 0, 0, b->Width(), b->Height(),
                       b->TransparentColour());
    } else {
        BitBlt(dc_, x, y, b->Width(), b->Height(), mem, 0, 0, SRCCOPY);
    }
    SelectObject(mem, old);
}

void GdiCanvas::StretchBitmap(const Bitmap& bitmap, const Rect& dst) {
    const auto* b = dynamic_cast<const GdiBitmap*>(&bitmap);
    if (!b) return;
    const int w = dst.x2 - dst.x1, h = dst.y2 - dst.y1;
    if (w <= 0 || h <= 0) return;
    HDC mem = cache_->MemoryDcFor(dc_);
    if (!mem) return;
    HGDIOBJ old = SelectObject(mem, b->Handle());
    if (b->Transparent()) {
        TransparentBlt(dc_, dst.x1, dst.y1, w, h, mem, 0, 0, b->Width(), b->Height(),
                       b->TransparentColour());
    } else {
        StretchBlt(dc_, dst.x1, dst.y1, w, h, mem, 0, 0, b->Width(), b->Height(), SRCCOPY);
    }
    SelectObject(mem, old);
}

void GdiCanvas::CopySelf(const Rect& dst, const Rect& src) {
    StretchBlt(dc_, dst.x1, dst.y1, dst.x2 - dst.x1, dst.y2 - dst.y1, dc_, src.x1, src.y1, src.x2 - src.x1,
               src.y2 - src.y1, SRCCOPY);
}

}  // namespace senvola
