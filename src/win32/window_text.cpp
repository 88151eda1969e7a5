#include "win32/window_text.h"

#include "win32/path_win32.h"

namespace senvola {

void SetWindowTextUtf8(HWND window, std::string_view text) { SetWindowTextW(window, WideFromUtf8(text).c_str()); }

std::string WindowTextUtf8(HWND window) {
    const int n = GetWindowTextLengthW(window);
    if (n <= 0) return {};
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return Utf8FromWide(text);
}

HWND CreateWindowUtf8(DWORD exStyle, std::string_view className, std::string_view caption, DWORD style, int x,
                      int y, int w, int h, HWND parent, HMENU menu, void* param) {
    return CreateWindowExW(exStyle, WideFromUtf8(className).c_str(), WideFromUtf8(caption).c_str(), style, x, y, w,
                           h, parent, menu, GetModuleHandleW(nullptr), param);
}

}  // namespace senvola
