#include "saverkit/monitors.h"

namespace saverkit {

namespace {

struct Collect {
    RECT window{};
    POINT origin{};  // the client area's top-left corner on the screen
    std::vector<ScreenArea>* areas = nullptr;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& c = *reinterpret_cast<Collect*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    RECT part{};
    if (!IntersectRect(&part, &info.rcMonitor, &c.window)) return TRUE;
    OffsetRect(&part, -c.origin.x, -c.origin.y);
    c.areas->push_back({part, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

}  // namespace

RECT VirtualScreen() {
    const int w = GetSystemMetrics(SM_CXVIRTUALSCREEN), h = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (w <= 0 || h <= 0) return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + w, y + h};
}

std::vector<ScreenArea> ScreenAreasOf(HWND window) {
    std::vector<ScreenArea> areas;
    RECT client{};
    if (!window || !GetClientRect(window, &client)) return areas;
    Collect c;
    c.areas = &areas;
    ClientToScreen(window, &c.origin);
    c.window = client;
    OffsetRect(&c.window, c.origin.x, c.origin.y);
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&c));
    if (areas.empty()) areas.push_back({client, true});
    return areas;
}

int MainArea(const std::vector<ScreenArea>& areas) {
    int best = -1;
    long long bestSize = -1;
    for (std::size_t i = 0; i < areas.size(); ++i) {
        if (areas[i].primary) return static_cast<int>(i);
        const RECT& r = areas[i].rect;
        const long long size = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        if (size > bestSize) {
            best = static_cast<int>(i);
            bestSize = size;
        }
    }
    return best;
}

}  // namespace saverkit
