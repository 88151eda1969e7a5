#include "saverkit/preview_window.h"

namespace saverkit {

namespace {

bool IsClass(HWND window, const char* name) {
    char buffer[64] = "";
    return GetClassNameA(window, buffer, sizeof buffer) > 0 && lstrcmpiA(buffer, name) == 0;
}

}  // namespace

PreviewWindow::PreviewWindow(HWND parent, int width, int height) : parent_(parent) {
    Create(kClassName, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0, width, height, parent);
    SetColour(RGB(0, 0, 0));
}

LRESULT PreviewWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        PostQuitMessage(0);
        DestroyWindow(handle_);
        return 0;
    case WM_DESTROY:
        // The host destroys its preview area with us in it: the preview is over.
        PostQuitMessage(0);
        return 0;
    default:
        return DrawingWindow::HandleMessage(msg, wp, lp);
    }
}

bool UsablePreviewParent(HWND window) {
    if (!window || !IsWindow(window)) return false;
    const HWND desktop = GetDesktopWindow();
    if (window == desktop) return false;
    const HWND root = GetAncestor(window, GA_ROOT);
    if (!root) return false;
    // A message-only window has no place on the screen to show a child in.
    if (GetAncestor(root, GA_PARENT) != desktop) return false;
    if (root == GetShellWindow() || IsClass(root, "Progman") || IsClass(root, "WorkerW")) return false;
    return true;
}

}  // namespace saverkit
