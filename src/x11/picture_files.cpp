#include "picture_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bmp_decode.h"
#include "draw/picture_pixels.h"
#include "draw/bmp_writer.h"

namespace senvola::x11 {

namespace {

constexpr std::uintmax_t kMaxPictureFile = std::uintmax_t{256} << 20;

std::optional<std::vector<unsigned char>> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uintmax_t>(size) > kMaxPictureFile) return std::nullopt;
    in.seekg(0);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return bytes;
}

// The size in a PNG's header (its first chunk must be IHDR) within what a BMP may have.
bool PngSizeAccepted(const std::vector<unsigned char>& b) {
    if (b.size() < 24 || std::memcmp(b.data() + 12, "IHDR", 4) != 0) return false;
    auto be32 = [&b](std::size_t at) {
        return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
    };
    const uint64_t w = be32(16), h = be32(20);
    return w <= uint64_t(kMaxPictureSide) && h <= uint64_t(kMaxPictureSide) && w * h <= kMaxPicturePixels;
}

uint32_t* Row(cairo_surface_t* s, int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + std::ptrdiff_t{y} * cairo_image_surface_get_stride(s));
}

UniqueSurface SurfaceFromBmp(const DecodedPicture& p) {
    // Both forms are what cairo keeps: premultiplied ARGB32, or RGB24 with the top byte unused.
    UniqueSurface s(cairo_image_surface_create(p.alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, p.width, p.height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(s.get());
    for (int y = 0; y < p.height; ++y) {
        std::memcpy(Row(s.get(), y), p.pixels.data() + std::size_t(y) * std::size_t(p.width),
                    std::size_t(p.width) * 4);
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

// Leaves the bottom-left pixel's colour out, on an ARGB32 copy: clear where it is, partly clear
// where an edge was blended with it.
UniqueSurface WithColourLeftOut(cairo_surface_t* opaque) {
    const int w = cairo_image_surface_get_width(opaque), h = cairo_image_surface_get_height(opaque);
    UniqueSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(opaque);
    cairo_surface_flush(s.get());
    const uint32_t key = Row(opaque, h - 1)[0] & 0xFFFFFF;
    std::vector<uint32_t> from(std::size_t(w) * std::size_t(h)), to(from.size());
    for (int y = 0; y < h; ++y) std::memcpy(from.data() + std::size_t(y) * std::size_t(w), Row(opaque, y), std::size_t(w) * 4);
    KeyedToPremultiplied(from.data(), w, h, key, to.data());
    for (int y = 0; y < h; ++y) std::memcpy(Row(s.get(), y), to.data() + std::size_t(y) * std::size_t(w), std::size_t(w) * 4);
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace

CairoBitmap::CairoBitmap(UniqueSurface surface, bool transparent, bool alpha)
    : surface_(std::move(surface)),
      width_(cairo_image_surface_get_width(surface_.get())),
      height_(cairo_image_surface_get_height(surface_.get())),
      transparent_(transparent),
      alpha_(alpha) {}

std::unique_ptr<CairoBitmap> LoadPicture(const std::string& path, bool transparent) {
    const auto bytes = ReadFile(path);
    if (!bytes) return nullptr;
    static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    UniqueSurface surface;
    if (bytes->size() >= 8 && std::memcmp(bytes->data(), kPngSignature, 8) == 0) {
        if (!PngSizeAccepted(*bytes)) return nullptr;
        struct Reader {
            const std::vector<unsigned char>* bytes;
            std::size_t at;
        } reader{&*bytes, 0};
        surface.reset(cairo_image_surface_create_from_png_stream(
            [](void* closure, unsigned char* data, unsigned int length) {
                auto* r = static_cast<Reader*>(closure);
                if (r->bytes->size() - r->at < length) return CAIRO_STATUS_READ_ERROR;
                std::memcpy(data, r->bytes->data() + r->at, length);
                r->at += length;
                return CAIRO_STATUS_SUCCESS;
            },
            &reader));
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
        if (cairo_image_surface_get_format(surface.get()) == CAIRO_FORMAT_ARGB32) {
            // Its own alpha decides what is left out; drawn as a board it lies over black.
            return std::make_unique<CairoBitmap>(std::move(surface), transparent, true);
        }
    } else if (auto decoded = DecodeBmp(*bytes)) {
        surface = SurfaceFromBmp(*decoded);
        if (!surface) return nullptr;
        if (decoded->alpha) return std::make_unique<CairoBitmap>(std::move(surface), transparent, true);
    } else {
        return nullptr;
    }
    if (cairo_image_surface_get_width(surface.get()) < 1 || cairo_image_surface_get_height(surface.get()) < 1) {
        return nullptr;
    }
    if (transparent) {
        surface = WithColourLeftOut(surface.get());
        if (!surface) return nullptr;
    }
    return std::make_unique<CairoBitmap>(std::move(surface), transparent);
}

bool WritePng(cairo_surface_t* image, const std::string& path) {
    const bool ok = cairo_surface_write_to_png(image, path.c_str()) == CAIRO_STATUS_SUCCESS;
    if (!ok) std::remove(path.c_str());
    return ok;
}

bool WriteBmp24(cairo_surface_t* image, const std::string& path) {
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) return false;
    cairo_surface_flush(image);
    return WriteBmp24File(path, cairo_image_surface_get_width(image), cairo_image_surface_get_height(image),
                          [image](int y) { return Row(image, y); });
}

bool WritePicture(cairo_surface_t* image, const std::string& path) {
    const std::size_t n = path.size();
    const bool png = n >= 4 && path[n - 4] == '.' && (path[n - 3] | 0x20) == 'p' && (path[n - 2] | 0x20) == 'n' &&
                     (path[n - 1] | 0x20) == 'g';
    return png ? WritePng(image, path) : WriteBmp24(image, path);
}

}  // namespace senvola::x11
