// The BMP loader on files of every form it takes, written here byte by byte: each picture's
// pixels against the colours it was written with and against GDI's own decoding of the same
// bytes (StretchDIBits from memory); what it refuses, and where its size limits lie.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "win32/bmp_win32.h"

namespace senvola {
namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, std::size_t at, uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void Put32(Bytes& b, std::size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// How a test picture is stored.
struct Form {
    int header = 40;  // 12 (core), 40, 52, 56, 108 or 124
    int bits = 24;
    uint32_t compression = BI_RGB;
    bool topDown = false;
    std::vector<uint32_t> palette;  // 0x00RRGGBB, for 1, 4 and 8 bits
    uint32_t masks[3] = {};         // BI_BITFIELDS
    std::string Name() const {
        return std::to_string(header) + "-byte header, " + std::to_string(bits) + " bits, compression " +
               std::to_string(compression) + (topDown ? ", top-down" : ", bottom-up");
    }
};

// The headers (file, info, masks, palette) of a w x h picture whose pixel data is `pixelBytes`
// long and follows at once.
Bytes Headers(const Form& f, int w, int h, std::size_t pixelBytes) {
    const bool core = f.header == 12;
    const std::size_t masks = (f.compression == BI_BITFIELDS && f.header == 40) ? 12 : 0;
    const std::size_t entry = core ? 3 : 4;
    const std::size_t off = 14 + f.header + masks + f.palette.size() * entry;
    Bytes b(off, 0);
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, uint32_t(off + pixelBytes));
    Put32(b, 10, uint32_t(off));
    Put32(b, 14, uint32_t(f.header));
    if (core) {
        Put16(b, 18, w);
        Put16(b, 20, h);
        Put16(b, 22, 1);
        Put16(b, 24, f.bits);
    } else {
        Put32(b, 18, uint32_t(w));
        Put32(b, 22, uint32_t(f.topDown ? -h : h));
        Put16(b, 26, 1);
        Put16(b, 28, f.bits);
        Put32(b, 30, f.compression);
        Put32(b, 34, uint32_t(pixelBytes));
        if (f.bits <= 8 && f.palette.size() < (std::size_t(1) << f.bits)) Put32(b, 46, uint32_t(f.palette.size()));
        if (f.compression == BI_BITFIELDS)
            for (int i = 0; i < 3; ++i) Put32(b, 54 + 4 * i, f.masks[i]);
        if (f.header >= 108) Put32(b, 14 + 56, 0x73524742);  // LCS_sRGB
    }
    for (std::size_t i = 0; i < f.palette.size(); ++i) {
        const std::size_t at = 14 + f.header + masks + i * entry;
        b[at] = f.palette[i] & 0xFF;
        b[at + 1] = (f.palette[i] >> 8) & 0xFF;
        b[at + 2] = (f.palette[i] >> 16) & 0xFF;
    }
    return b;
}

// A whole uncompressed file; raw(x, y) is the stored value of the pixel at column x, row y from
// the top: a palette index, a 16- or 32-bit word, or 0x00RRGGBB for 24 bits.
Bytes Encode(const Form& f, int w, int h, const std::function<uint32_t(int, int)>& raw) {
    const std::size_t stride = ((std::size_t(w) * f.bits + 31) / 32) * 4;
    Bytes pixels(stride * h, 0);
    for (int i = 0; i < h; ++i) {
        const int y = f.topDown ? i : h - 1 - i;
        unsigned char* row = &pixels[i * stride];
        for (int x = 0; x < w; ++x) {
            const uint32_t v = raw(x, y);
            switch (f.bits) {
            case 1: row[x / 8] |= (v & 1) << (7 - x % 8); break;
            case 4: row[x / 2] |= (v & 0xF) << (x % 2 ? 0 : 4); break;
            case 8: row[x] = v & 0xFF; break;
            case 16: row[2 * x] = v & 0xFF, row[2 * x + 1] = (v >> 8) & 0xFF; break;
            case 24: row[3 * x] = v & 0xFF, row[3 * x + 1] = (v >> 8) & 0xFF, row[3 * x + 2] = (v >> 16) & 0xFF; break;
            default:
                for (int k = 0; k < 4; ++k) row[4 * x + k] = (v >> (8 * k)) & 0xFF;
            }
        }
    }
    Bytes file = Headers(f, w, h, pixels.size());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// A run-length file: `runs` is the pixel data as it is stored.
Bytes EncodeRuns(const Form& f, int w, int h, const Bytes& runs) {
    Bytes file = Headers(f, w, h, runs.size());
    file.insert(file.end(), runs.begin(), runs.end());
    return file;
}

// The pixels (row by row from the top) of a 32-bit top-down surface after `paint` drew on it.
std::vector<COLORREF> Painted(int w, int h, const std::function<void(HDC)>& paint) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP surface = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, surface);
    PatBlt(dc, 0, 0, w, h, BLACKNESS);
    paint(dc);
    GdiFlush();
    std::vector<COLORREF> out;
    for (int i = 0; i < w * h; ++i) out.push_back(FromRgb(static_cast<const uint32_t*>(bits)[i]));
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
    return out;
}

// GDI's own reading of the file's bytes, from memory.
std::vector<COLORREF> DecodedByGdi(const Bytes& file, int w, int h) {
    const uint32_t off = file[10] | file[11] << 8 | file[12] << 16 | uint32_t(file[13]) << 24;
    return Painted(w, h, [&](HDC dc) {
        StretchDIBits(dc, 0, 0, w, h, 0, 0, w, h, file.data() + off, reinterpret_cast<const BITMAPINFO*>(file.data() + 14),
                      DIB_RGB_COLORS, SRCCOPY);
    });
}

// The loaded picture's pixels, copied out of its bitmap by GDI.
std::vector<COLORREF> PixelsOf(const BmpPicture& picture) {
    return Painted(picture.width, picture.height, [&](HDC dc) {
        HDC src = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(src, picture.bitmap.get());
        BitBlt(dc, 0, 0, picture.width, picture.height, src, 0, 0, SRCCOPY);
        SelectObject(src, old);
        DeleteDC(src);
    });
}

class BmpLoadTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& p : files_) DeleteFileA(p.c_str());
    }
    std::string Write(const Bytes& bytes) {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        files_.push_back(std::string(dir) + "senvola_bmp_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                         std::to_string(files_.size()) + ".bmp");
        std::ofstream(files_.back(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return files_.back();
    }
    // Loads the file and expects the given colours (row by row from the top) and GDI's own
    // reading of the same bytes.
    void ExpectPixels(const Bytes& file, int w, int h, const std::function<COLORREF(int, int)>& colour,
                      const std::string& what) {
        const std::optional<BmpPicture> picture = LoadBmpFile(Write(file));
        ASSERT_TRUE(picture.has_value()) << what;
        ASSERT_EQ(picture->width, w) << what;
        ASSERT_EQ(picture->height, h) << what;
        const std::vector<COLORREF> loaded = PixelsOf(*picture);
        const std::vector<COLORREF> gdi = DecodedByGdi(file, w, h);
        int wrong = 0, unlikeGdi = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                wrong += loaded[y * w + x] != colour(x, y);
                unlikeGdi += loaded[y * w + x] != gdi[y * w + x];
            }
        EXPECT_EQ(wrong, 0) << what << ": first pixel " << std::hex << loaded[0] << " for " << colour(0, 0);
        EXPECT_EQ(unlikeGdi, 0) << what;
        EXPECT_EQ(picture->bottomLeft, colour(0, h - 1)) << what;
    }
    std::vector<std::string> files_;
};

TEST_F(BmpLoadTest, PalettePicturesInEveryHeaderAndBothRowOrders) {
    constexpr int w = 11, h = 3;  // rows that end inside a byte, and padding
    for (int header : {12, 40, 124})
        for (int bits : {1, 4, 8})
            for (bool topDown : {false, true}) {
                if (header == 12 && topDown) continue;  // the core header has no sign
                Form f;
                f.header = header;
                f.bits = bits;
                f.topDown = topDown;
                // Fewer colours than the depth allows for 8 bits: the palette's length is stored.
                // (The core header has no such field: its palette is always full.)
                const int colours = bits == 8 && header != 12 ? 7 : 1 << bits;
                for (int i = 0; i < colours; ++i) f.palette.push_back(uint32_t((i * 37 % 256) << 16 | (i * 91 % 256) << 8 | (255 - i * 13)));
                auto index = [&](int x, int y) { return uint32_t((x + 2 * y) % colours); };
                ExpectPixels(Encode(f, w, h, index), w, h, [&](int x, int y) { return FromRgb(f.palette[index(x, y)]); },
                             f.Name());
            }
}

TEST_F(BmpLoadTest, TrueColourPicturesWithDefaultAndStoredMasks) {
    constexpr int w = 5, h = 4;
    auto rgb = [](int x, int y) { return uint32_t((x * 60) << 16 | (y * 80) << 8 | (255 - x * 50)); };
    for (int header : {12, 40, 56, 108, 124})
        for (bool topDown : {false, true}) {
            if (header == 12 && topDown) continue;
            Form f;
            f.header = header;
            f.topDown = topDown;
            ExpectPixels(Encode(f, w, h, rgb), w, h, [&](int x, int y) { return FromRgb(rgb(x, y)); }, f.Name());
            // 32 bits: the fourth byte holds anything and is dropped.
            f.bits = 32;
            ExpectPixels(Encode(f, w, h, [&](int x, int y) { return rgb(x, y) | 0xA5000000; }), w, h,
                         [&](int x, int y) { return FromRgb(rgb(x, y)); }, f.Name());
        }

    // 32 bits with the colours at other places of the word.
    Form f32;
    f32.bits = 32;
    f32.compression = BI_BITFIELDS;
    f32.masks[0] = 0x0000FF00, f32.masks[1] = 0x00FF0000, f32.masks[2] = 0xFF000000;
    for (int header : {40, 52, 124}) {
        f32.header = header;
        auto word = [&](int x, int y) {
            const uint32_t c = rgb(x, y);
            return ((c >> 16) & 0xFF) << 8 | ((c >> 8) & 0xFF) << 16 | (c & 0xFF) << 24 | 0x5A;
        };
        ExpectPixels(Encode(f32, w, h, word), w, h, [&](int x, int y) { return FromRgb(rgb(x, y)); }, f32.Name());
    }

    // 16 bits: five bits a colour by default, 5-6-5 with masks; a channel's bits repeat down.
    const std::vector<std::pair<uint32_t, COLORREF>> x555 = {
        {31u << 10, RGB(255, 0, 0)}, {31u << 5, RGB(0, 255, 0)}, {31u, RGB(0, 0, 255)},
        {0x7FFF, RGB(255, 255, 255)}, {16u << 10 | 8u << 5 | 1u, RGB(0x84, 0x42, 0x08)}, {0, RGB(0, 0, 0)}};
    const std::vector<std::pair<uint32_t, COLORREF>> x565 = {
        {31u << 11, RGB(255, 0, 0)}, {63u << 5, RGB(0, 255, 0)}, {31u, RGB(0, 0, 255)},
        {0xFFFF, RGB(255, 255, 255)}, {16u << 11 | 32u << 5 | 1u, RGB(0x84, 0x82, 0x08)}, {0, RGB(0, 0, 0)}};
    for (bool bitfields : {false, true}) {
        Form f;
        f.bits = 16;
        const auto& table = bitfields ? x565 : x555;
        if (bitfields) {
            f.compression = BI_BITFIELDS;
            f.masks[0] = 0xF800, f.masks[1] = 0x07E0, f.masks[2] = 0x001F;
        }
        for (bool topDown : {false, true}) {
            f.topDown = topDown;
            const int n = int(table.size());
            ExpectPixels(Encode(f, n, 2, [&](int x, int y) { return table[(x + y) % n].first; }), n, 2,
                         [&](int x, int y) { return table[(x + y) % n].second; }, f.Name());
        }
    }
}

TEST_F(BmpLoadTest, RunLengthPictures) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    Form f8;
    f8.bits = 8;
    f8.compression = BI_RLE8;
    f8.palette = palette;
    // 6 x 3, bottom row first: a run and an absolute stretch (padded); a jump and a run, the
    // skipped pixels black; a whole row; the end.
    const Bytes runs8 = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0,  //
                         0, 2, 2, 0, 2, 5, 0, 0,        //
                         6, 6, 0, 1};
    const char* rows8[3] = {"666666", "005500", "111234"};  // from the top
    ExpectPixels(EncodeRuns(f8, 6, 3, runs8), 6, 3, [&](int x, int y) { return FromRgb(palette[rows8[y][x] - '0']); },
                 "RLE8");

    Form f4 = f8;
    f4.bits = 4;
    f4.compression = BI_RLE4;
    // 5 x 2: a run of two alternating indices; an absolute stretch of three, then a run of two.
    const Bytes runs4 = {5, 0x12, 0, 0,  //
                         0, 3, 0x34, 0x50, 2, 0x66, 0, 1};
    const char* rows4[2] = {"34566", "12121"};
    ExpectPixels(EncodeRuns(f4, 5, 2, runs4), 5, 2, [&](int x, int y) { return FromRgb(palette[rows4[y][x] - '0']); },
                 "RLE4");

    // Runs that say more than the data holds end the picture where the data ends.
    const Bytes cut = {2, 1, 0, 0, 0, 9, 1};
    const std::optional<BmpPicture> partial = LoadBmpFile(Write(EncodeRuns(f8, 3, 2, cut)));
    ASSERT_TRUE(partial.has_value());
    EXPECT_EQ(PixelsOf(*partial)[3], FromRgb(palette[1]));  // bottom row, first pixel
    EXPECT_EQ(PixelsOf(*partial)[0], RGB(0, 0, 0));
}

TEST_F(BmpLoadTest, SizeLimitsAndFilesTheHeadersDoNotAccountFor) {
    // Sides and pixels: 8192 x 8192 is the largest picture, as a run-length file of a few bytes.
    Form f;
    f.bits = 8;
    f.compression = BI_RLE8;
    f.palette = {0x123456};
    const Bytes end = {0, 1};
    Bytes largest = EncodeRuns(f, 8192, 8192, end);
    EXPECT_TRUE(IsCompleteBmp(largest.data(), largest.size()));
    Bytes taller = EncodeRuns(f, 8192, 8193, end);
    EXPECT_FALSE(IsCompleteBmp(taller.data(), taller.size()));
    Bytes wider = EncodeRuns(f, 32769, 1, end);
    EXPECT_FALSE(IsCompleteBmp(wider.data(), wider.size()));
    EXPECT_FALSE(LoadBmpFile(Write(taller)).has_value());

    // A few bytes past the picture (a writer's padding) are allowed, a file far larger is not.
    Form plain;
    const Bytes picture = Encode(plain, 2, 2, [](int, int) { return 0x00FF00u; });
    Bytes padded = picture;
    padded.resize(picture.size() + 2);
    EXPECT_TRUE(LoadBmpFile(Write(padded)).has_value());
    Bytes bloated = picture;
    bloated.resize(picture.size() + (1 << 20), 0xEE);
    EXPECT_FALSE(IsCompleteBmp(bloated.data(), bloated.size()));
    EXPECT_FALSE(LoadBmpFile(Write(bloated)).has_value());

    // Forms the loader does not take: RLE top-down, bit fields on 24 bits, embedded JPEG.
    Form topDownRuns = f;
    topDownRuns.topDown = true;
    EXPECT_FALSE(LoadBmpFile(Write(EncodeRuns(topDownRuns, 2, 2, end))).has_value());
    Form fields24;
    fields24.compression = BI_BITFIELDS;
    EXPECT_FALSE(LoadBmpFile(Write(Encode(fields24, 2, 2, [](int, int) { return 0u; }))).has_value());
    Form jpeg;
    jpeg.compression = BI_JPEG;
    EXPECT_FALSE(LoadBmpFile(Write(Encode(jpeg, 2, 2, [](int, int) { return 0u; }))).has_value());
}

}  // namespace
}  // namespace senvola
