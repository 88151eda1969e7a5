// Writes a 24-bit BMP file from 32-bit pixels (0x00RRGGBB, as GDI's DIB sections and cairo's
// RGB24 surfaces hold them), for the render command on every platform.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace senvola {

// `row(y)` gives the w pixels of row y, top row 0. Returns false, leaving no file behind, when
// the picture is too large for the format or the file cannot be written whole.
bool WriteBmp24File(const std::string& path, int w, int h, const std::function<const uint32_t*(int y)>& row);

}  // namespace senvola
