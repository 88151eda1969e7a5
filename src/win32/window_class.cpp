#include "win32/window_class.h"

namespace senvola {

bool EnsureWindowClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace senvola
