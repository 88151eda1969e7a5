#include "picture_files.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bmp_decode.h"

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

uint32_t* Row(cairo_surface_t* s, int y) {
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + std::ptrdiff_t{y} * cairo_image_surface_get_stride(s));
}

UniqueSurface SurfaceFromBmp(const DecodedPicture& p) {
    UniqueSurface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.width, p.height));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(s.get());
    for (int y = 0; y < p.height; ++y) {
        std::memcpy(Row(s.get(), y), p.pixels.data() + std::size_t(y) * std::size_t(p.width),
                    std::size_t(p.width) * 4);
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

// Clears every pixel of the bottom-left pixel's colour, on an ARGB32 copy.
UniqueSurface WithColourLeftOut(cairo_surface_t* opaque) {
    const int w = cairo_image_surface_get_width(opaque), h = cairo_image_surface_get_height(opaque);
    UniqueSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(opaque);
    cairo_surface_flush(s.get());
    const uint32_t key = Row(opaque, h - 1)[0] & 0xFFFFFF;
    for (int y = 0; y < h; ++y) {
        const uint32_t* from = Row(opaque, y);
        uint32_t* to = Row(s.get(), y);
        for (int x = 0; x < w; ++x) {
            const uint32_t rgb = from[x] & 0xFFFFFF;
            to[x] = rgb == key ? 0 : 0xFF000000u | rgb;
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace

CairoBitmap::CairoBitmap(UniqueSurface surface, bool transparent)
    : surface_(std::move(surface)),
      width_(cairo_image_surface_get_width(surface_.get())),
      height_(cairo_image_surface_get_height(surface_.get())),
      transparent_(transparent) {}

std::unique_ptr<CairoBitmap> LoadPicture(const std::string& path, bool transparent) {
    const auto bytes = ReadFile(path);
    if (!bytes) return nullptr;
    static constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    UniqueSurface surface;
    if (bytes->size() >= 8 && std::memcmp(bytes->data(), kPngSignature, 8) == 0) {
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
            return std::make_unique<CairoBitmap>(std::move(surface), transparent);
        }
    } else if (auto decoded = DecodeBmp(*bytes)) {
        surface = SurfaceFromBmp(*decoded);
        if (!surface) return nullptr;
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
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const uint64_t stride = (uint64_t(w) * 3 + 3) & ~uint64_t(3);
    const uint64_t imageSize = stride * uint64_t(h);
    if (54 + imageSize > 0xFFFFFFFFu) return false;

    unsigned char header[54] = {};
    auto put16 = [&](int at, uint32_t v) {
        header[at] = static_cast<unsigned char>(v & 0xFF);
        header[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](int at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, static_cast<uint32_t>(54 + imageSize));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));  // bottom-up rows
    put16(26, 1);
    put16(28, 24);
    put32(34, static_cast<uint32_t>(imageSize));
    put32(38, 3780);  // 96 dpi
    put32(42, 3780);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;
    std::vector<unsigned char> row(static_cast<std::size_t>(stride), 0);
    cairo_surface_flush(image);
    for (int y = h - 1; ok && y >= 0; --y) {
        const uint32_t* src = Row(image, y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<unsigned char>(src[x] & 0xFF);
            row[3 * x + 1] = static_cast<unsigned char>((src[x] >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<unsigned char>((src[x] >> 16) & 0xFF);
        }
        ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
    }
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}

bool WritePicture(cairo_surface_t* image, const std::string& path) {
    const std::size_t n = path.size();
    const bool png = n >= 4 && path[n - 4] == '.' && (path[n - 3] | 0x20) == 'p' && (path[n - 2] | 0x20) == 'n' &&
                     (path[n - 1] | 0x20) == 'g';
    return png ? WritePng(image, path) : WriteBmp24(image, path);
}

}  // namespace senvola::x11
