// Windows BMP pictures, read by our own decoder into 32-bit top-down DIB sections: the one loader
// behind the saver's pictures, the option page's preview and the pictures built into the program,
// so that each accepts the same files.
//
// Implemented: the core (OS/2) header and the info headers of 40, 52, 56, 108 and 124 bytes;
// 1, 4 and 8 bits per pixel with a palette, 16, 24 and 32 bits; bottom-up and top-down rows;
// BI_RGB, BI_BITFIELDS (16 and 32 bits) and the run-length forms BI_RLE8 and BI_RLE4
// (bottom-up only, as Windows defines them).
// Alpha: the fourth byte of a 32-bit pixel (BI_RGB, or the alpha mask of a 56-, 108- or 124-byte
// header with BI_BITFIELDS) when it varies; 0 or 255 everywhere is an opaque picture.
// Not implemented: embedded JPEG or PNG (PNG files are read by png_win32.h), colour profiles
// (their bytes count as part of the file, their colours are not applied).
//
// Refused, so that the caller falls back to its colour: anything whose headers disagree with the
// file, pixel data that runs past its end, a picture of more than kMaxBmpPixels pixels or wider
// or higher than kMaxBmpSide, and a file far larger than its headers account for.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "win32/handles.h"

namespace senvola {

inline constexpr int64_t kMaxBmpSide = 32768;
inline constexpr uint64_t kMaxBmpPixels = uint64_t{64} << 20;
// Larger files than this are refused rather than read: a board texture or a stone is small.
inline constexpr uint64_t kMaxPictureFileSize = uint64_t{256} << 20;

// A decoded picture: an owned DIB section of width x height, 32 bits per pixel, rows top-down.
struct BmpPicture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
    COLORREF bottomLeft = 0;  // the colour of the bottom-left pixel (a stone's transparent colour)
    bool alpha = false;       // the pixels carry alpha, premultiplied; else their fourth byte is 0
};

// A new DIB section of w x h, 32 bits per pixel, rows top-down (the core's order), and its pixels;
// null (pixels null) when GDI refuses it. `dc` only matters for palettes, which 32 bits have none of.
UniqueBitmap NewTopDownDib(int w, int h, uint32_t*& pixels, HDC dc = nullptr);

// Reads the file at `path`, a UTF-8 path as the settings keep it, through the wide file calls
// (any length). Empty for a missing, unreadable or refused file.
std::optional<BmpPicture> LoadBmpFile(const std::string& path);

// The BITMAP resource `name` of the program's own module, checked and decoded like a file; empty
// when there is none or it is refused.
std::optional<BmpPicture> LoadBmpResource(const char* name);

// True when the bytes are a BMP this loader takes: consistent headers, pixel data wholly inside,
// a sane size.
bool IsCompleteBmp(const unsigned char* data, std::size_t size);

}  // namespace senvola
