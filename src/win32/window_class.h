// Window classes of this program, registered once however many windows or tests ask for them.
#pragma once

#include <windows.h>

namespace senvola {

// Registers `wc` (cbSize and hInstance are filled in: the program's own module) unless a class
// of that name is registered for the module already, in which case the one there stays.
// False only when the class is missing and cannot be registered.
// The class is a Unicode one: its windows keep texts outside the system code page, and their
// procedures take the W messages (DefWindowProcW).
bool EnsureWindowClass(WNDCLASSEXW wc);

}  // namespace senvola
