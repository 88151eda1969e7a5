#include "win32/window_class.h"

namespace senvola {

bool EnsureWindowClass(WNDCLASSEXA wc) {
    wc.cbSize = sizeof wc;
    wc.hInstance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return RegisterClassExA(&wc) != 0;
}

}  // namespace senvola
