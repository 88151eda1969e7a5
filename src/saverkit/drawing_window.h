// What the full-screen and the preview window have in common: a window of the kit's own class
// whose background, wherever the system erases it and before the first frame, is the prepared
// picture (a colour, a snapshot of the desktop, or the wallpaper).
#pragma once

#include <windows.h>

#include <functional>

namespace saverkit {

// What the drawing window shows before the first frame.
enum class Background { Colour, Desktop, Wallpaper };

class DrawingWindow {
public:
    virtual ~DrawingWindow();
    DrawingWindow(const DrawingWindow&) = delete;
    DrawingWindow& operator=(const DrawingWindow&) = delete;

    HWND Handle() const { return handle_; }
    void SetColour(COLORREF c);
    // `snapshot` (the host's, kept alive by it) serves Background::Desktop.
    void SetBackground(Background background, HBITMAP snapshot);
    // What paints the window where the system asks, over the erased background; until it is
    // set, the background alone.
    void SetPainter(std::function<void(HDC)> painter) { painter_ = std::move(painter); }
    void Show();

protected:
    DrawingWindow() = default;
    // Registers the class (style 0x80B, no pointer) and creates the window.
    void Create(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

    HWND handle_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void EraseBackground(HDC dc);

    COLORREF colour_ = 0;
    Background background_ = Background::Colour;
    HBITMAP snapshot_ = nullptr;
    std::function<void(HDC)> painter_;
};

}  // namespace saverkit
