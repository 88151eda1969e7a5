#include "win32/bmp_win32.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "draw/picture_pixels.h"
#include "win32/path_win32.h"

namespace senvola {

UniqueBitmap NewTopDownDib(int w, int h, uint32_t*& pixels, HDC dc) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels = static_cast<uint32_t*>(bits);
    if (!bits) {
        pixels = nullptr;
        return UniqueBitmap();
    }
    return bitmap;
}

namespace {

uint32_t U16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t U32(const unsigned char* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;
constexpr uint32_t kEmbeddedProfile = 0x4D424544;  // 'MBED'
constexpr std::size_t kFileHeader = 14;
// Headers, masks and a full palette fit in this; the rest is pixel data.
constexpr std::size_t kLongestHeaders = kFileHeader + 124 + 12 + 256 * 4;
constexpr uint64_t kMaxFileSize = kMaxPictureFileSize;
// What a file may hold past everything its headers describe (padding, a writer's trailer); a file
// far larger than its picture is not taken for one.
constexpr uint64_t kTrailingSlack = uint64_t{64} << 10;

// Where everything of a BMP lies, from its headers.
struct Layout {
    int width = 0, height = 0;
    bool topDown = false;
    uint32_t bits = 0, compression = kRgb;
    uint64_t paletteOffset = 0;
    uint32_t paletteCount = 0, paletteEntry = 4;
    uint32_t masks[3] = {};  // red, green, blue, for 16 and 32 bits
    uint32_t alphaMask = 0;  // 32 bits only; 0: none
    uint64_t pixelOffset = 0, stride = 0;
    uint64_t pixelEnd = 0;  // the end of the pixel data
    uint64_t end = 0;       // the end of all the headers describe (pixels, an embedded profile)
};

// The layout when the headers, read from `head` (at least everything before the pixel data or
// kLongestHeaders bytes), agree with each other and with a file of `fileSize` bytes. `packed`: the
// pixel data follows the headers and palette at once, whatever the file header's offset says (a
// BITMAP resource, which has no file header of its own).
std::optional<Layout> ReadLayout(const unsigned char* d, std::size_t head, uint64_t fileSize, bool packed) {
    if (head < kFileHeader + 12 || fileSize < head || d[0] != 'B' || d[1] != 'M') return std::nullopt;
    Layout l;
    uint64_t offBits = U32(d + 10);
    const uint64_t infoSize = U32(d + 14);
    int64_t width = 0, height = 0;
    uint32_t planes = 0, sizeImage = 0, coloursUsed = 0;
    if (infoSize == 12) {  // OS/2 core header
        width = U16(d + 18);
        height = U16(d + 20);
        planes = U16(d + 22);
        l.bits = U16(d + 24);
        l.paletteEntry = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
        if (head < kFileHeader + infoSize) return std::nullopt;
        width = int32_t(U32(d + 18));
        height = int32_t(U32(d + 22));
        planes = U16(d + 26);
        l.bits = U16(d + 28);
        l.compression = U32(d + 30);
        sizeImage = U32(d + 34);
        coloursUsed = U32(d + 46);
    } else {
        return std::nullopt;
    }
    l.topDown = height < 0;
    if (l.topDown) height = -height;
    if (width <= 0 || height <= 0 || width > kMaxBmpSide || height > kMaxBmpSide || planes != 1)
        return std::nullopt;
    if (uint64_t(width) * uint64_t(height) > kMaxBmpPixels) return std::nullopt;
    l.width = int(width);
    l.height = int(height);
    const uint32_t bits = l.bits;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;

    uint64_t headerEnd = kFileHeader + infoSize;
    if (l.compression == kBitfields && infoSize == 40) headerEnd += 12;  // the three masks
    if (bits <= 8) {
        const uint64_t colours = coloursUsed ? coloursUsed : (uint64_t(1) << bits);
        if (colours > (uint64_t(1) << bits)) return std::nullopt;
        l.paletteOffset = headerEnd;
        l.paletteCount = uint32_t(colours);
        headerEnd += colours * l.paletteEntry;
    }
    if (packed) offBits = headerEnd;
    if (headerEnd > fileSize || headerEnd > head || offBits < kFileHeader + infoSize || offBits > fileSize)
        return std::nullopt;

    l.pixelOffset = offBits;
    l.stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    switch (l.compression) {
    case kRgb:
        if (bits == 16) l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
        if (bits == 32) l.masks[0] = 0xFF0000, l.masks[1] = 0xFF00, l.masks[2] = 0xFF, l.alphaMask = 0xFF000000u;
        l.pixelEnd = offBits + l.stride * uint64_t(height);
        break;
    case kBitfields:
        if (bits != 16 && bits != 32) return std::nullopt;
        for (int i = 0; i < 3; ++i) l.masks[i] = U32(d + kFileHeader + 40 + 4 * i);
        // The alpha mask is part of the longer headers only; a 40-byte one is followed by three
        // masks and then the pixels or the palette.
        if (bits == 32 && infoSize >= 56) l.alphaMask = U32(d + kFileHeader + 52);
        l.pixelEnd = offBits + l.stride * uint64_t(height);
        break;
    case kRle8:
    case kRle4:
        if (l.topDown || bits != (l.compression == kRle8 ? 8u : 4u) || sizeImage == 0) return std::nullopt;
        l.pixelEnd = offBits + sizeImage;
        break;
    default:  // JPEG, PNG and anything else
        return std::nullopt;
    }
    if (l.pixelEnd > fileSize) return std::nullopt;
    l.end = std::max(headerEnd, l.pixelEnd);
    if (infoSize == 124 && U32(d + kFileHeader + 56) == kEmbeddedProfile) {
        const uint64_t profileEnd = kFileHeader + uint64_t(U32(d + kFileHeader + 112)) + U32(d + kFileHeader + 116);
        if (profileEnd <= fileSize) l.end = std::max(l.end, profileEnd);
    }
    if (fileSize > l.end + kTrailingSlack) return std::nullopt;
    return l;
}

// One colour channel of a 16- or 32-bit pixel, by its mask, widened to 8 bits the way GDI widens
// it: the channel's bits repeated down to the lowest bit.
class Channel {
public:
    explicit Channel(uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), width_(mask ? std::bit_width(mask >> shift_) : 0) {}
    uint32_t Of(uint32_t pixel) const {
        if (width_ == 0) return 0;
        const uint32_t v = (pixel & mask_) >> shift_;
        if (width_ >= 8) return v >> (width_ - 8);
        uint32_t out = v << (8 - width_);
        for (int filled = width_; filled < 8; filled += width_) out |= out >> width_;
        return out & 0xFF;
    }

private:
    uint32_t mask_;
    int shift_, width_;
};

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r << 16 | g << 8 | b; }

// The palette as DIB pixels; indices past its end read as black.
std::vector<uint32_t> Palette(const unsigned char* d, const Layout& l) {
    std::vector<uint32_t> colours(256, 0);
    for (uint32_t i = 0; i < l.paletteCount; ++i) {
        const unsigned char* e = d + l.paletteOffset + uint64_t(i) * l.paletteEntry;
        colours[i] = Rgb(e[2], e[1], e[0]);
    }
    return colours;
}

void DecodeRows(const unsigned char* d, const Layout& l, uint32_t* out) {
    const std::vector<uint32_t> palette = Palette(d, l);
    const Channel red(l.masks[0]), green(l.masks[1]), blue(l.masks[2]), alpha(l.alphaMask);
    for (int i = 0; i < l.height; ++i) {
        const unsigned char* row = d + l.pixelOffset + uint64_t(i) * l.stride;
        uint32_t* px = out + uint64_t(l.topDown ? i : l.height - 1 - i) * uint64_t(l.width);
        for (int x = 0; x < l.width; ++x) {
            switch (l.bits) {
            case 1: px[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: px[x] = palette[(x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4]; break;
            case 8: px[x] = palette[row[x]]; break;
            case 16: {
                const uint32_t v = U16(row + 2 * x);
                px[x] = Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            case 24: px[x] = Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: {
                const uint32_t v = U32(row + 4 * x);
                px[x] = alpha.Of(v) << 24 | Rgb(red.Of(v), green.Of(v), blue.Of(v));
                break;
            }
            }
        }
    }
}

// Run-length pictures, bottom-up. Pixels that the runs skip (by a line end or a jump) stay black;
// a run that would leave the data ends the picture there.
void DecodeRuns(const unsigned char* d, const Layout& l, uint32_t* out) {
    const std::vector<uint32_t> palette = Palette(d, l);
    const bool four = l.compression == kRle4;
    uint64_t p = l.pixelOffset;
    const uint64_t end = l.pixelEnd;
    int64_t x = 0, y = 0;  // y counts rows from the bottom
    auto put = [&](unsigned index) {
        if (x < l.width && y < l.height) out[uint64_t(l.height - 1 - y) * uint64_t(l.width) + uint64_t(x)] = palette[index];
        ++x;
    };
    while (p + 2 <= end && y < l.height) {
        const unsigned count = d[p], value = d[p + 1];
        p += 2;
        if (count > 0) {  // a run of one index (two alternating ones in four bits)
            for (unsigned i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // jump right and up
            if (p + 2 > end) break;
            x += d[p];
            y += d[p + 1];
            p += 2;
        } else {  // `value` indices as they are, padded to a whole word
            const uint64_t bytes = four ? (value + 1) / 2 : value;
            if (p + bytes > end) break;
            for (unsigned i = 0; i < value; ++i)
                put(four ? ((i & 1) ? d[p + i / 2] & 0x0F : d[p + i / 2] >> 4) : d[p + i]);
            p += bytes + (bytes & 1);
        }
    }
}

bool ReadExactly(HANDLE file, unsigned char* into, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = DWORD(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, into, chunk, &got, nullptr) || got == 0) return false;
        into += got;
        size -= got;
    }
    return true;
}

// The picture the bytes of a whole BMP describe, by the layout read from them.
std::optional<BmpPicture> Decode(const std::vector<unsigned char>& data, const Layout& layout) {
    uint32_t* pixels = nullptr;
    BmpPicture picture;
    picture.bitmap = NewTopDownDib(layout.width, layout.height, pixels);
    if (!picture.bitmap) return std::nullopt;
    std::fill_n(pixels, uint64_t(layout.width) * uint64_t(layout.height), 0u);
    if (layout.compression == kRle8 || layout.compression == kRle4)
        DecodeRuns(data.data(), layout, pixels);
    else
        DecodeRows(data.data(), layout, pixels);
    picture.alpha = PremultiplyIfTranslucent(pixels, uint64_t(layout.width) * uint64_t(layout.height));
    picture.width = layout.width;
    picture.height = layout.height;
    const uint32_t corner = pixels[uint64_t(layout.height - 1) * uint64_t(layout.width)];
    picture.bottomLeft = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);
    return picture;
}

}  // namespace

bool IsCompleteBmp(const unsigned char* data, std::size_t size) {
    return ReadLayout(data, size, size, false).has_value();
}

std::optional<BmpPicture> LoadBmpFile(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const UniqueFile file(CreateFileW(LongPathForm(WideFromUtf8(path)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file.get(), &length) || length.QuadPart <= 0 || uint64_t(length.QuadPart) > kMaxFileSize)
        return std::nullopt;
    const auto size = std::size_t(length.QuadPart);
    // The headers first: a file is read whole only once they have said how large it may be.
    std::vector<unsigned char> data(std::min(size, kLongestHeaders));
    if (!ReadExactly(file.get(), data.data(), data.size())) return std::nullopt;
    const std::optional<Layout> layout = ReadLayout(data.data(), data.size(), size, false);
    if (!layout) return std::nullopt;
    const std::size_t head = data.size();
    data.resize(size);
    if (!ReadExactly(file.get(), data.data() + head, size - head)) return std::nullopt;
    return Decode(data, *layout);
}

std::optional<BmpPicture> LoadBmpResource(const char* name) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!resource) return std::nullopt;
    const DWORD size = SizeofResource(module, resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || size == 0 || size > kMaxFileSize) return std::nullopt;
    // The resource is a BMP file without its file header: one is put before it.
    std::vector<unsigned char> data(kFileHeader, 0);
    data[0] = 'B';
    data[1] = 'M';
    data.insert(data.end(), bytes, bytes + size);
    const std::optional<Layout> layout =
        ReadLayout(data.data(), std::min(data.size(), kLongestHeaders), data.size(), true);
    if (!layout) return std::nullopt;
    return Decode(data, *layout);
}

}  // namespace senvola
