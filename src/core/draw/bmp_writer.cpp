#include "draw/bmp_writer.h"

#include <cstdio>
#include <vector>

namespace senvola {

bool WriteBmp24File(const std::string& path, int w, int h, const std::function<const uint32_t*(int y)>& row) {
    if (w < 0 || h < 0) return false;
    const uint64_t stride = (uint64_t(w) * 3 + 3) & ~uint64_t(3);
    const uint64_t imageSize = stride * uint64_t(h);
    const uint64_t fileSize = 54 + imageSize;
    if (fileSize > 0xFFFFFFFFu) return false;

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
    put32(2, static_cast<uint32_t>(fileSize));  // BITMAPFILEHEADER
    put32(10, 54);
    put32(14, 40);  // BITMAPINFOHEADER
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));  // positive: bottom-up rows
    put16(26, 1);
    put16(28, 24);
    put32(30, 0);  // BI_RGB
    put32(34, static_cast<uint32_t>(imageSize));
    put32(38, 3780);  // 96 dpi
    put32(42, 3780);

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;
    std::vector<unsigned char> line(static_cast<std::size_t>(stride), 0);
    for (int y = h - 1; ok && y >= 0; --y) {
        const uint32_t* src = row(y);
        for (int x = 0; x < w; ++x) {
            line[3 * x] = static_cast<unsigned char>(src[x] & 0xFF);
            line[3 * x + 1] = static_cast<unsigned char>((src[x] >> 8) & 0xFF);
            line[3 * x + 2] = static_cast<unsigned char>((src[x] >> 16) & 0xFF);
        }
        ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    }
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace senvola
