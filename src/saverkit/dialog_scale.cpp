#include "saverkit/dialog_scale.h"

#include <commctrl.h>

#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "saverkit/tab_pages.h"
#include "win32/handles.h"

namespace saverkit {

namespace {

constexpr const char* kPropDpi = "saverkit.dpi";
// Kept by the tab pages as the font a control was made with; it scales with the control.
constexpr const char* kPropBaseFont = "saverkit.baseFont";

// Through void*, as the compiler asks for a procedure's address of unknown type.
template <typename Function>
Function Procedure(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

std::function<int(HWND)>& DpiSource() {
    static std::function<int(HWND)> source;
    return source;
}

// Windows 10 1607 and later answer per window; 8.1 per monitor; older ones only for the
// system. Looked up at run time so that the program still starts on those.
int SystemWindowDpi(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto forWindow =
        Procedure<ForWindow>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (forWindow && window)
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const senvola::UniqueModule shcore(LoadLibraryW(L"shcore.dll"));
    static const auto forMonitor = Procedure<ForMonitor>(shcore.get(), "GetDpiForMonitor");
    if (forMonitor) {
        UINT x = 0, y = 0;
        constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
        if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), kEffectiveDpi, &x, &y)) && y)
            return static_cast<int>(y);
    }
    const senvola::ScopedGetDc dc(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int Edge(int designEdge, int fromDpi, int toDpi) { return MulDiv(designEdge, toDpi, fromDpi); }

BOOL CALLBACK Collect(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

bool HasClass(HWND window, const char* name) {
    char cls[32] = {};
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

}  // namespace

int WindowDpi(HWND window) {
    if (const auto& source = DpiSource()) return source(window);
    return SystemWindowDpi(window);
}

void SetDpiSource(std::function<int(HWND)> source) { DpiSource() = std::move(source); }

int LayoutDpi(HWND window) {
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    const auto dpi = root ? static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(root, kPropDpi))) : 0;
    return dpi > 0 ? dpi : kDesignDpi;
}

int Scaled(HWND window, int designPixels) { return MulDiv(designPixels, LayoutDpi(window), kDesignDpi); }

HFONT RescaledFont(HFONT font, int fromDpi, int toDpi) {
    if (!font || fromDpi == toDpi) return font;
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof lf, &lf)) return font;
    lf.lfHeight = MulDiv(lf.lfHeight, toDpi, fromDpi);
    lf.lfWidth = MulDiv(lf.lfWidth, toDpi, fromDpi);
    // Fonts are constants of the process, as SharedFont's are: a control may keep one as long.
    static std::map<std::tuple<std::wstring, LONG, LONG, LONG, BYTE, BYTE, BYTE>, senvola::UniqueFont> fonts;
    const auto key = std::make_tuple(std::wstring(lf.lfFaceName), lf.lfHeight, lf.lfWidth, lf.lfWeight, lf.lfItalic,
                                     lf.lfQuality, lf.lfCharSet);
    auto it = fonts.find(key);
    if (it == fonts.end()) it = fonts.emplace(key, senvola::UniqueFont(CreateFontIndirectW(&lf))).first;
    return it->second ? it->second.get() : font;
}

HFONT DialogFont(HWND window) { return RescaledFont(DefaultFont(), kDesignDpi, LayoutDpi(window)); }

HFONT SharedFontFor(HWND window, const char* face, int designPixelHeight, bool bold) {
    return RescaledFont(SharedFont(face, designPixelHeight, bold), kDesignDpi, LayoutDpi(window));
}

void ScaleWindowTree(HWND root, int dpi) {
    const int from = LayoutDpi(root);
    if (dpi <= 0 || dpi == from) return;
    SetPropA(root, kPropDpi, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    std::vector<HWND> windows;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&windows));
    // Every rectangle is read before any moves: a container that lays out its children when it
    // is resized would otherwise have them scaled twice.
    std::vector<RECT> rects;
    rects.reserve(windows.size());
    for (HWND w : windows) {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        // A combo box is sized with its list dropped down; its window is only the closed part.
        if (HasClass(w, "ComboBox")) {
            RECT dropped{};
            if (SendMessageW(w, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
                r.bottom = r.top + (dropped.bottom - dropped.top);
        }
        rects.push_back(r);
    }
    for (size_t i = 0; i < windows.size(); ++i) {
        HWND w = windows[i];
        const RECT& r = rects[i];
        // Edges rather than sizes, so that controls that met still meet.
        const int left = Edge(r.left, from, dpi), top = Edge(r.top, from, dpi);
        SetWindowPos(w, nullptr, left, top, Edge(r.right, from, dpi) - left, Edge(r.bottom, from, dpi) - top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (HANDLE base = GetPropA(w, kPropBaseFont))
            SetPropA(w, kPropBaseFont, RescaledFont(static_cast<HFONT>(base), from, dpi));
        if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)))
            SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(RescaledFont(font, from, dpi)), TRUE);
    }
    // A tab strip's tabs grow with its font: the pages under it move to where they now begin.
    for (HWND w : windows)
        if (HasClass(w, "vekPageControl")) {
            RECT c{};
            GetClientRect(w, &c);
            SendMessageW(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
        }
    RedrawWindow(root, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace saverkit
