// Windows BMP files decoded from memory, for the pictures of the board and the stones.
//
// Implemented: the core (OS/2) header and the info headers of 40, 52, 56, 108 and 124 bytes;
// 1, 4 and 8 bits per pixel with a palette, 16, 24 and 32 bits; bottom-up and top-down rows;
// BI_RGB and BI_BITFIELDS (16 and 32 bits).
// Not implemented, so refused: the run-length forms, embedded JPEG or PNG. Colour profiles are
// not read. Alpha: the fourth byte of a 32-bit pixel (BI_RGB, or the alpha mask of a header of
// 56 bytes or more with BI_BITFIELDS) when it varies; 0 or 255 everywhere is an opaque picture.
// A palette without a count of colours runs up to the pixels.
// Refused as well: headers that disagree with the data, pixel rows past the end of the data,
// pictures wider or higher than kMaxPictureSide or of more than kMaxPicturePixels pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace senvola::x11 {

inline constexpr int64_t kMaxPictureSide = 32768;
inline constexpr uint64_t kMaxPicturePixels = uint64_t{64} << 20;

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top-down, width x height of them
    bool alpha = false;            // pixels are 0xAARRGGBB instead, premultiplied
};

std::optional<DecodedPicture> DecodeBmp(std::span<const unsigned char> data);

}  // namespace senvola::x11
