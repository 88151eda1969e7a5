// Pictures in and out of cairo image surfaces: the board and stone pictures the settings name
// (PNG or Windows BMP), and the rendered screen written as PNG or as a 24-bit BMP.
#pragma once

#include <memory>
#include <string>

#include "cairo_handles.h"
#include "draw/canvas.h"

namespace senvola::x11 {

// A picture for the cairo canvas. A transparent one (a stone) is ARGB32 with the pixels left
// out already cleared, one with alpha of its own ARGB32 as it came; any other is opaque RGB24.
class CairoBitmap final : public Bitmap {
public:
    CairoBitmap(UniqueSurface surface, bool transparent, bool alpha = false);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Transparent() const override { return transparent_; }
    bool Alpha() const override { return alpha_; }
    cairo_surface_t* Surface() const { return surface_.get(); }

private:
    UniqueSurface surface_;
    int width_, height_;
    bool transparent_;
    bool alpha_;
};

// A PNG (known by its signature) or a BMP (bmp_decode.h); null for anything else, a missing or
// unreadable file, one over 256 MiB, or a PNG whose header gives it more pixels or longer sides
// than a BMP may have (checked before it is decoded). `transparent` leaves out a colour, as the
// Windows program does with stone pictures: the colour of the bottom-left pixel of a picture
// without alpha; a PNG or 32-bit BMP with alpha keeps its own transparency instead.
std::unique_ptr<CairoBitmap> LoadPicture(const std::string& path, bool transparent);

// Write an image surface; false (and no file left behind) when the file cannot be written whole.
bool WritePng(cairo_surface_t* image, const std::string& path);
bool WriteBmp24(cairo_surface_t* image, const std::string& path);
// WritePng for a name ending in ".png" in any case, WriteBmp24 for any other.
bool WritePicture(cairo_surface_t* image, const std::string& path);

}  // namespace senvola::x11
