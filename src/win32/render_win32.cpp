#include "win32/render_win32.h"

#include <charconv>
#include <cstdio>
#include <vector>

#include "records/builtin_games.h"
#include "draw/bmp_writer.h"
#include "win32/canvas_gdi.h"
#include "win32/path_win32.h"

namespace senvola {

DibSurface::DibSurface(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down: row y at bits + y * width
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) return;
    selected_.emplace(dc_.get(), bitmap_.get());
    bits_ = static_cast<const uint32_t*>(bits);  // a new DIB section is all zero: black
}

COLORREF DibSurface::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    const uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool WriteBmp24(const DibSurface& surface, const std::string& path) {
    if (!surface.Valid()) return false;
    GdiFlush();
    return WriteBmp24File(path, surface.Width(), surface.Height(), [&surface](int y) { return surface.Row(y); });
}

bool SelectRenderSource(ReplaySettings& settings, GameLibrary& library, const std::string& path,
                        const FileSystem& files, std::string& error) {
    constexpr std::string_view kBuiltIn = "builtin:";
    if (path.compare(0, kBuiltIn.size(), kBuiltIn) == 0) {
        const char* first = path.data() + kBuiltIn.size();
        const char* last = path.data() + path.size();
        int n = 0;
        const auto r = std::from_chars(first, last, n);
        if (first == last || r.ec != std::errc() || r.ptr != last || n < 1 || n > kBuiltInGameCount) {
            error = "builtin:N needs N from 1 to " + std::to_string(kBuiltInGameCount) + ": " + path;
            return false;
        }
        settings.FileLoadType = GameSourceKind::BuiltIn;
        library.SetNextBuiltIn(n);
        return true;
    }
    // A UTF-8 path, as the core carries paths.
    wchar_t wideFull[MAX_PATH * 4];
    const DWORD len = GetFullPathNameW(WideFromUtf8(path).c_str(), MAX_PATH * 4, wideFull, nullptr);
    if (path.empty() || len == 0 || len >= MAX_PATH * 4) {
        error = "not a usable path: " + path;
        return false;
    }
    const std::string full = Utf8FromWide(std::wstring_view(wideFull, len));
    if (!files.FileExists(full)) {
        error = "no such file: " + path;
        return false;
    }
    settings.FileLoadType = GameSourceKind::OneFile;
    settings.DirFileString = full;
    return true;
}

void RenderReplay(Replay& replay, DibSurface& surface, int moves) {
    if (!surface.Valid()) return;
    GdiCanvas canvas(surface.Dc());
    replay.RequestNewGame();
    replay.Tick(canvas, surface.Width(), surface.Height());
    for (int i = 0; i < moves; ++i) replay.Tick(canvas, surface.Width(), surface.Height());
}

}  // namespace senvola
