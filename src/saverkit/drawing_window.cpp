#include "saverkit/drawing_window.h"

#include <stdexcept>

#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/window_class.h"

namespace saverkit {

DrawingWindow::~DrawingWindow() {
    if (handle_ && IsWindow(handle_)) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void DrawingWindow::Create(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                           HWND parent) {
    const std::wstring wideClass = senvola::WideFromUtf8(className);
    WNDCLASSEXW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;  // 0x80B
    wc.lpfnWndProc = &DrawingWindow::WindowProc;
    wc.hCursor = nullptr;  // no pointer over the saver
    wc.lpszClassName = wideClass.c_str();
    senvola::EnsureWindowClass(wc);
    handle_ = CreateWindowExW(exStyle, wideClass.c_str(), L"", style, x, y, w, h, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!handle_) throw std::runtime_error("Cannot create the screensaver window");
}

LRESULT CALLBACK DrawingWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<DrawingWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<DrawingWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->handle_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT r = self->HandleMessage(msg, wp, lp);
        self->handle_ = nullptr;
        return r;
    }
    return self->HandleMessage(msg, wp, lp);
}

void DrawingWindow::SetColour(COLORREF c) {
    colour_ = c;
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void DrawingWindow::SetBackground(Background background, HBITMAP snapshot) {
    background_ = background;
    snapshot_ = snapshot;
}

void DrawingWindow::Show() {
    ShowWindow(handle_, SW_SHOWNORMAL);
    // The prepared background is painted now, so that it cannot wipe the first frame.
    UpdateWindow(handle_);
}

void DrawingWindow::EraseBackground(HDC dc) {
    RECT r;
    GetClientRect(handle_, &r);
    if (background_ == Background::Wallpaper && PaintDesktop(dc)) return;
    if (background_ == Background::Desktop && snapshot_) {
        const senvola::UniqueDc memory(CreateCompatibleDC(dc));
        if (memory) {
            BITMAP bm{};
            GetObjectA(snapshot_, sizeof bm, &bm);
            const senvola::ScopedSelectObject select(memory.get(), snapshot_);
            // Stretched into the window, then once unscaled: on the full screen both cover the
            // same pixels, in the preview the unscaled copy covers the stretched one.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.get(), 0, 0, bm.bmWidth,
                       bm.bmHeight, SRCCOPY);
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, memory.get(), 0, 0, SRCCOPY);
            return;
        }
    }
    const senvola::UniqueBrush brush(CreateSolidBrush(colour_));
    FillRect(dc, &r, brush.get());
}

LRESULT DrawingWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(handle_, &ps);
        if (dc && painter_) {
            try {
                painter_(dc);
            } catch (...) {
                // The background stays; the next frame draws on it as always.
            }
        }
        EndPaint(handle_, &ps);
        return 0;
    }
    default:
        return DefWindowProcW(handle_, msg, wp, lp);
    }
}

}  // namespace saverkit
