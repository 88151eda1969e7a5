// Pictures in and out of cairo image surfaces: the board and stone pictures the settings name
// (PNG or Windows BMP), and the rendered screen written as PNG or as a 24-bit BMP.
#pragma once

#include <memory>
#include <string>

#include "cairo_handles.h"
#include "draw/canvas.h"

namespace senvola::x11 {

// A picture for the cairo canvas. A transparent one (a stone) is ARGB32 with the pixels left
// out already cleared; any other is opaque RGB24.
class CairoBitmap final : public Bitmap {
public:
    CairoBitmap(UniqueSurface surface, bool transparent);
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Transparent() const override { return transparent_; }
    cairo_surface_t* Surface() const { return surface_.get(); }

private:
    UniqueSurface surface_;
    int width_, height_;
    bool transparent_;
};

// A PNG (known by its signature) or a BMP (bmp_decode.h); null for anything else, a missing or
// unreadable file, or one over 256 MiB. `transparent` leaves out a colour, as the Windows
// program does with stone pictures: the colour of the bottom-left pixel of a BMP or of a PNG
// without alpha; a PNG with alpha keeps its own transparency instead.
std::unique_ptr<CairoBitmap> LoadPicture(const std::string& path, bool transparent);

// Write an image surface; false (and no file left behind) when the file cannot be written whole.
bool WritePng(cairo_surface_t* image, const std::string& path);
bool WriteBmp24(cairo_surface_t* image, const std::string& path);
// WritePng for a name ending in ".png" in any case, WriteBmp24 for any other.
bool WritePicture(cairo_surface_t* image, const std::string& path);

}  // namespace senvola::x11
