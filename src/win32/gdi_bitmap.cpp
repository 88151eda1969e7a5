// How a loaded picture reaches a DC: blended by its alpha, or by the alpha its transparent colour
// gives it, or copied; at any other size than its own resampled smoothly first.
#include <vector>

#include "draw/picture_pixels.h"
#include "win32/blit.h"
#include "win32/bmp_win32.h"
#include "win32/canvas_gdi.h"

namespace senvola {

namespace {

constexpr BLENDFUNCTION kPremultiplied{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};

const uint32_t* PixelsOf(HBITMAP bitmap) {
    DIBSECTION section{};
    if (GetObjectW(bitmap, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 32)
        return nullptr;
    return static_cast<const uint32_t*>(section.dsBm.bmBits);
}

}  // namespace

HBITMAP GdiBitmap::Resized(int w, int h) const {
    ++clock_;
    ResizedCopy* slot = &resized_[0];
    for (ResizedCopy& r : resized_) {
        if (r.bitmap && r.w == w && r.h == h) {
            r.used = clock_;
            return r.bitmap.get();
        }
        if (!r.bitmap || r.used < slot->used) slot = &r;
    }
    const uint32_t* source = PixelsOf(bitmap_.get());
    if (!source) return nullptr;
    // Opaque and keyed pictures become premultiplied ones first: every pixel opaque, or clear
    // where the transparent colour is and partly clear where an edge was blended with it.
    const std::size_t count = std::size_t(width_) * std::size_t(height_);
    std::vector<uint32_t> prepared;
    if (!alpha_) {
        prepared.resize(count);
        if (transparent_) {
            const COLORREF k = transparentColour_;
            const uint32_t key = uint32_t(GetRValue(k)) << 16 | uint32_t(GetGValue(k)) << 8 | GetBValue(k);
            KeyedToPremultiplied(source, width_, height_, key, prepared.data());
        } else {
            for (std::size_t i = 0; i < count; ++i) prepared[i] = 0xFF000000u | source[i];
        }
        source = prepared.data();
    }
    uint32_t* pixels = nullptr;
    UniqueBitmap copy = NewTopDownDib(w, h, pixels);
    if (!copy) return nullptr;
    std::vector<float> scratch(std::size_t(w) * std::size_t(height_) * 4);
    ResamplePixels(source, width_, height_, pixels, w, h, scratch.data());
    slot->w = w;
    slot->h = h;
    slot->bitmap = std::move(copy);
    slot->used = clock_;
    return slot->bitmap.get();
}

void GdiBitmap::Draw(HDC dest, HDC memory, const RECT& to) const {
    const int w = to.right - to.left, h = to.bottom - to.top;
    if (w <= 0 || h <= 0 || !memory) return;
    const bool sameSize = w == width_ && h == height_;
    // GDI's stretching drops rows and columns when it shrinks and repeats them as blocks when it
    // enlarges; a stone picture made for one screen is drawn on all of them, so both show. A
    // keyed picture is blended at its own size too, for the soft rim its key colour leaves.
    HBITMAP picture = sameSize && !(transparent_ && !alpha_) ? nullptr : Resized(w, h);
    if (picture) {
        const ScopedSelectObject select(memory, picture);
        if (alpha_ || transparent_)
            AlphaBlend(dest, to.left, to.top, w, h, memory, 0, 0, w, h, kPremultiplied);
        else
            BitBlt(dest, to.left, to.top, w, h, memory, 0, 0, SRCCOPY);
        return;
    }
    // At its own size, or when no resampled copy could be made (out of memory): as it is.
    const ScopedSelectObject select(memory, bitmap_.get());
    if (alpha_) {
        AlphaBlend(dest, to.left, to.top, w, h, memory, 0, 0, width_, height_, kPremultiplied);
        return;
    }
    CopyPicture(dest, to, memory, width_, height_,
                transparent_ ? std::optional<COLORREF>(transparentColour_) : std::nullopt);
}

}  // namespace senvola
