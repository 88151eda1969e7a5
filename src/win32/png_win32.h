// PNG pictures for the board and the stones, decoded by the Windows Imaging Component (in
// Windows and in Wine) into the same 32-bit top-down DIB sections as BMP files, with their alpha
// premultiplied. They are held to the BMP loader's limits: no file over kMaxPictureFileSize, no
// picture wider or higher than kMaxBmpSide or of more than kMaxBmpPixels pixels; the size is
// checked before any pixel is decoded.
#pragma once

#include <optional>
#include <string>

#include "win32/bmp_win32.h"

namespace senvola {

// Empty for a missing, unreadable, corrupt, oversized or non-PNG file, or where the imaging
// component is not there.
std::optional<BmpPicture> LoadPngFile(const std::string& path);

// A PNG (known by its signature) or a BMP, whichever the file is; the loader behind the saver's
// pictures and the option page's preview.
std::optional<BmpPicture> LoadPictureFile(const std::string& path);

}  // namespace senvola
