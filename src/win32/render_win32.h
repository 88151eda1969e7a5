// The replay drawn off screen with real GDI: a memory surface, the screensaver's own ticks on a
// GdiCanvas, and the picture written as a BMP file. senvola-inspect's render command and the
// Wine tests use it, so what they see is what the saver window shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "records/game_library.h"
#include "replay/replay.h"
#include "settings/replay_settings.h"
#include "win32/handles.h"

namespace senvola {

// A 32-bit top-down DIB section selected into its own memory DC. Starts black.
class DibSurface {
public:
    DibSurface(int width, int height);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    HDC Dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The pixel as 0x00BBGGRR; pending GDI drawing is flushed first.
    COLORREF Pixel(int x, int y) const;
    // Row y as 0x00RRGGBB values, Width() of them; call GdiFlush() before reading.
    const uint32_t* Row(int y) const { return bits_ + static_cast<std::size_t>(y) * width_; }

private:
    int width_, height_;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    std::optional<ScopedSelectObject> selected_;  // the bitmap in the DC, for the surface's life
    const uint32_t* bits_ = nullptr;
};

// Writes the surface as a 24-bit bottom-up BMP (rows padded to four bytes). False when the
// file cannot be written completely.
bool WriteBmp24(const DibSurface& surface, const std::string& path);

// Points the games of `settings` and `library` at `path`: "builtin:N" (N = 1..6) selects built-in
// game N, any other text is a game file, taken as an absolute path. False (with a message in
// `error`) for a malformed builtin:N or a file that does not exist.
bool SelectRenderSource(ReplaySettings& settings, GameLibrary& library, const std::string& path,
                        const FileSystem& files, std::string& error);

// The ticks the saver window would run: one new-game tick, then `moves` further ticks, all drawn
// on `surface` as the window of its size. A new game is requested first, so the game selected
// for `replay` starts.
void RenderReplay(Replay& replay, DibSurface& surface, int moves);

}  // namespace senvola
