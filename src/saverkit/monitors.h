// The monitors the saver's window spans. The window covers the whole virtual screen, whose
// origin is wherever the monitors left of or above the primary one put it; what is drawn for one
// monitor is drawn in that monitor's part of the window.
#pragma once

#include <windows.h>

#include <vector>

namespace saverkit {

// The desktop's bounding rectangle in screen coordinates: every monitor, not just the primary
// one. A host that cannot tell gives the primary screen.
RECT VirtualScreen();

struct ScreenArea {
    RECT rect{};  // in the client coordinates of the window asked about
    bool primary = false;
};

// The parts of `window` that each monitor shows, in the window's client coordinates, in the
// order the system lists the monitors. A window on no monitor (a hidden preview, say) gets its
// whole client area as one part.
std::vector<ScreenArea> ScreenAreasOf(HWND window);

// Which area a single replay fills: the primary monitor's, else the largest (the first of equal
// ones); -1 for none.
int MainArea(const std::vector<ScreenArea>& areas);

}  // namespace saverkit
