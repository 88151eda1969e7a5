#include "bmp_decode.h"

#include <algorithm>
#include <bit>

#include "draw/picture_pixels.h"

namespace senvola::x11 {

namespace {

constexpr uint32_t kRgb = 0, kBitfields = 3;

uint32_t U16(std::span<const unsigned char> d, std::size_t at) {
    return uint32_t{d[at]} | uint32_t{d[at + 1]} << 8;
}
uint32_t U32(std::span<const unsigned char> d, std::size_t at) { return U16(d, at) | U16(d, at + 2) << 16; }

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint32_t Of(uint32_t pixel) const {
        if (max == 0) return 0;
        return static_cast<uint32_t>((uint64_t{(pixel & mask) >> shift} * 255 + max / 2) / max);
    }
};

}  // namespace

std::optional<DecodedPicture> DecodeBmp(std::span<const unsigned char> d) {
    if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return std::nullopt;
    const uint64_t pixelsAt = U32(d, 10);
    const uint32_t headerSize = U32(d, 14);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124) {
        return std::nullopt;
    }
    if (d.size() < 14 + uint64_t{headerSize}) return std::nullopt;

    int64_t width, height;
    uint32_t planes, bits, compression = kRgb, coloursUsed = 0;
    if (core) {
        width = U16(d, 18);
        height = U16(d, 20);
        planes = U16(d, 22);
        bits = U16(d, 24);
    } else {
        width = static_cast<int32_t>(U32(d, 18));
        height = static_cast<int32_t>(U32(d, 22));
        planes = U16(d, 26);
        bits = U16(d, 28);
        compression = U32(d, 30);
        coloursUsed = U32(d, 46);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        uint64_t(width) * uint64_t(height) > kMaxPicturePixels) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
    if (compression != kRgb && !(compression == kBitfields && (bits == 16 || bits == 32))) return std::nullopt;

    // Bit fields: inside the larger headers, else three masks right after the 40-byte one.
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    std::size_t tableAt = 14 + headerSize;
    if (compression == kBitfields) {
        const std::size_t at = headerSize >= 52 ? 54 : tableAt;
        if (d.size() < at + 12) return std::nullopt;
        for (int i = 0; i < 3; ++i) masks[i] = U32(d, at + 4 * i);
        if (headerSize == 40) tableAt += 12;
    }
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    uint32_t alphaMask = 0;
    if (bits == 32 && compression == kRgb) alphaMask = 0xFF000000u;
    if (bits == 32 && compression == kBitfields && headerSize >= 56) {
        if (d.size() < 70) return std::nullopt;
        alphaMask = U32(d, 66);
    }
    const Channel alpha(alphaMask);

    std::vector<uint32_t> palette;
    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        const std::size_t entry = core ? 3 : 4;
        if (coloursUsed > full || pixelsAt < tableAt || pixelsAt > d.size()) return std::nullopt;
        // Without a count the table runs up to the pixels: writers leave out unused entries.
        const uint32_t count =
            coloursUsed != 0 ? coloursUsed : static_cast<uint32_t>(std::min<uint64_t>(full, (pixelsAt - tableAt) / entry));
        if (tableAt + count * entry > pixelsAt) return std::nullopt;
        palette.assign(full, 0);  // an index past the table's end shows black
        for (uint32_t i = 0; i < count; ++i) {
            const std::size_t p = tableAt + i * entry;
            palette[i] = uint32_t{d[p + 2]} << 16 | uint32_t{d[p + 1]} << 8 | d[p];
        }
    }

    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    if (pixelsAt < tableAt || pixelsAt + stride * uint64_t(height) > d.size()) return std::nullopt;

    DecodedPicture picture;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.pixels.resize(static_cast<std::size_t>(width * height));
    for (int64_t y = 0; y < height; ++y) {
        const std::size_t row = static_cast<std::size_t>(pixelsAt + stride * uint64_t(topDown ? y : height - 1 - y));
        uint32_t* out = picture.pixels.data() + y * width;
        for (int64_t x = 0; x < width; ++x) {
            uint32_t v;
            switch (bits) {
                case 1: v = palette[(d[row + x / 8] >> (7 - x % 8)) & 1]; break;
                case 4: v = palette[(d[row + x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
                case 8: v = palette[d[row + x]]; break;
                case 24: {
                    const std::size_t p = row + 3 * x;
                    v = uint32_t{d[p + 2]} << 16 | uint32_t{d[p + 1]} << 8 | d[p];
                    break;
                }
                default: {
                    const uint32_t raw = bits == 16 ? U16(d, row + 2 * x) : U32(d, row + 4 * x);
                    v = alpha.Of(raw) << 24 | red.Of(raw) << 16 | green.Of(raw) << 8 | blue.Of(raw);
                    break;
                }
            }
            out[x] = v;
        }
    }
    picture.alpha = PremultiplyIfTranslucent(picture.pixels.data(), picture.pixels.size());
    return picture;
}

}  // namespace senvola::x11
