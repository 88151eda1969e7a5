// Window texts in UTF-8, through the wide calls: every text the program shows (its own, the
// language file's, a path) is UTF-8, and only a Unicode window keeps one the system code page
// cannot spell. Windows of the program's own classes are Unicode for that reason.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace senvola {

void SetWindowTextUtf8(HWND window, std::string_view text);
std::string WindowTextUtf8(HWND window);
// Creates a window with a UTF-8 class name and caption (CreateWindowExW).
HWND CreateWindowUtf8(DWORD exStyle, std::string_view className, std::string_view caption, DWORD style, int x,
                      int y, int w, int h, HWND parent, HMENU menu, void* param = nullptr);

}  // namespace senvola
