#include "saverkit/fullscreen_window.h"

#include <windowsx.h>

#include "saverkit/command_line.h"
#include "saverkit/monitors.h"
#include "saverkit/resource_ids.h"
#include "saverkit/resource_text.h"
#include "win32/handles.h"

namespace saverkit {

FullscreenWindow::FullscreenWindow(senvola::Registry& registry, HWND applicationWindow, std::function<void()> closing)
    : registry_(registry),
      applicationWindow_(applicationWindow),
      closing_(std::move(closing)),
      dismissal_(*this, Dismissal::Clock::now()) {
    // Every monitor: one left uncovered would go on showing the desktop.
    const RECT screen = VirtualScreen();
    Create(kClassName, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOPMOST, screen.left, screen.top,
           screen.right - screen.left, screen.bottom - screen.top, applicationWindow);
    SetColour(RGB(0, 0, 0));
}

void FullscreenWindow::SetDismissalSettings(const DismissalSettings& settings) {
    dismissal_.SetMouseThreshold(settings.mouseThreshold);
    dismissal_.SetPasswordDelay(settings.passwordDelay, settings.passwordDelayUnit);
}

void FullscreenWindow::RequestClose() {
    if (!dismissal_.CloseRequest(Dismissal::Clock::now())) return;
    if (closing_) closing_();
    PostQuitMessage(0);
    ShowWindow(handle_, SW_HIDE);
}

void FullscreenWindow::ShowError(const std::string& message) noexcept {
    try {
        RECT r;
        if (!handle_ || !GetClientRect(handle_, &r)) return;
        const senvola::ScopedGetDc window(handle_);
        if (!window) return;
        const senvola::UniqueDc memory(CreateCompatibleDC(window.get()));
        const senvola::UniqueBitmap picture(CreateCompatibleBitmap(window.get(), r.right, r.bottom));
        if (!memory || !picture) return;
        const senvola::ScopedSelectObject selectPicture(memory.get(), picture.get());
        // A fresh picture is black; the text goes on in black on its own white background.
        FillRect(memory.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(12, GetDeviceCaps(memory.get(), LOGPIXELSY), 72);
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        const senvola::UniqueFont font(CreateFontIndirectA(&lf));
        const senvola::ScopedSelectObject selectFont(memory.get(), font.get());
        SetTextColor(memory.get(), RGB(0, 0, 0));
        SetBkColor(memory.get(), RGB(255, 255, 255));
        SetBkMode(memory.get(), OPAQUE);
        TextOutA(memory.get(), 0, 0, message.c_str(), static_cast<int>(message.size()));
        BitBlt(window.get(), 0, 0, r.right, r.bottom, memory.get(), 0, 0, SRCCOPY);
    } catch (...) {
        // The error handler itself never fails.
    }
}

LRESULT FullscreenWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_SYSCOMMAND: {
        // No system command is carried out; the screensaver and close commands are answered.
        const UINT cmd = static_cast<UINT>(wp & 0xFFF0);
        return (cmd == SC_SCREENSAVE || cmd == SC_CLOSE) ? 1 : 0;
    }
    case WM_SHOWWINDOW:
        if (wp && applicationWindow_)
            SetWindowPos(applicationWindow_, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return DefWindowProcW(handle_, msg, wp, lp);
    case WM_MOUSEMOVE: {
        // On the screen, not in the window: a window moved by a change of the display would
        // otherwise see the pointer jump.
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(handle_, &p);
        if (dismissal_.MouseMove(p.x, p.y)) RequestClose();
        return 0;
    }
    case WM_DISPLAYCHANGE: {
        // A monitor added, taken away or set to another size (one waking from sleep may be all
        // three): the window covers the new virtual screen, and the paint that follows draws the
        // game again on the monitors as they are now.
        const RECT screen = VirtualScreen();
        SetWindowPos(handle_, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                     screen.bottom - screen.top, SWP_NOACTIVATE);
        InvalidateRect(handle_, nullptr, TRUE);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (dismissal_.MouseDown()) RequestClose();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (dismissal_.Key()) RequestClose();
        return 0;
    case WM_CLOSE:
        RequestClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DrawingWindow::HandleMessage(msg, wp, lp);
    }
}

bool FullscreenWindow::PasswordSwitchedOn() {
    auto key = registry_.OpenKey(ResourceText(IDS_SAVERKIT_CONTROL_PANEL_DESKTOP, "Control Panel\\Desktop"), false);
    if (!key) return false;
    const std::string name = ResourceText(IDS_SAVERKIT_SCREENSAVEUSEPASSWORD, "ScreenSaveUsePassword");
    if (auto v = key->ReadInteger(name)) return *v != 0;
    // Hosts of the NT line keep the switch as the text "0" or "1".
    if (auto text = key->ReadString(name)) {
        const auto v = ParseDecimal(*text);
        return v && *v != 0;
    }
    return false;
}

void FullscreenWindow::ShowPointer(bool show) { ShowCursor(show ? TRUE : FALSE); }

PasswordVerdict FullscreenWindow::VerifyPassword() {
    char dir[260];
    const UINT n = GetSystemDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) return PasswordVerdict::NoLibrary;
    const std::string path = std::string(dir) + "\\" + ResourceText(IDS_SAVERKIT_PASSWORD_CPL, "Password.cpl");
    const senvola::UniqueModule library(LoadLibraryA(path.c_str()));
    if (!library) return PasswordVerdict::NoLibrary;
    using Verify = BOOL(WINAPI*)(HWND);
    const std::string entry = ResourceText(IDS_SAVERKIT_VERIFYSCREENSAVEPWD, "VerifyScreenSavePwd");
    auto verify = reinterpret_cast<Verify>(reinterpret_cast<void*>(GetProcAddress(library.get(), entry.c_str())));
    // A library without the entry point cannot protect anything.
    if (!verify) return PasswordVerdict::NoLibrary;
    return verify(handle_) == 1 ? PasswordVerdict::Accepted : PasswordVerdict::Refused;
}

}  // namespace saverkit
