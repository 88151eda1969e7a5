// The options dialog at the monitor's DPI: its controls are designed in pixels at 96 DPI, and a
// dialog shown at another DPI takes them, their fonts and its own frame times DPI / 96, all by
// one factor, so a page keeps its shape at 200 % and after a move to another monitor.
#pragma once

#include <windows.h>

#include <functional>

namespace saverkit {

// The DPI the controls' pixel positions and font heights are designed for.
inline constexpr int kDesignDpi = 96;

// The DPI of the monitor `window` is on (the system's DPI where Windows cannot tell per monitor).
int WindowDpi(HWND window);
// Tests stand in for the monitor's DPI; an empty function gives the system's answer back.
void SetDpiSource(std::function<int(HWND)> source);

// The DPI the top-level window around `window` is laid out for: kDesignDpi until
// ScaleWindowTree lays it out again.
int LayoutDpi(HWND window);
// A length of the 96-DPI design, in pixels of `window`'s layout.
int Scaled(HWND window, int designPixels);
// `font` made for `toDpi` when it was made for `fromDpi`: the same face, its height in
// proportion. Shared, for the life of the process.
HFONT RescaledFont(HFONT font, int fromDpi, int toDpi);
// The dialog font (DefaultFont) at `window`'s layout DPI.
HFONT DialogFont(HWND window);
// SharedFont with a design height, at `window`'s layout DPI.
HFONT SharedFontFor(HWND window, const char* face, int designPixelHeight, bool bold);

// Lays the top-level `root` and every window inside it out for `dpi`: each child's edges and
// font in proportion to the DPI it had. The root's own size is its owner's business.
void ScaleWindowTree(HWND root, int dpi);

}  // namespace saverkit
