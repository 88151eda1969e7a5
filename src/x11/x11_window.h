// The X side of the hack: the window it draws in (its own, full-screen, or one it is given),
// that window's size, and showing the canvas's picture there.
//
// The picture is kept in the client (a cairo image surface) and only what changed is sent, with
// XPutImage: straight from the picture's memory on a 24-bit TrueColor visual with the usual
// masks, converted pixel by pixel on any other TrueColor or DirectColor visual. A window's size
// is followed through its ConfigureNotify events, Expose is repainted from the picture, and a
// given window that goes away ends the hack. Not implemented: colormapped visuals (refused),
// double buffering on the server, which a picture sent in one piece per step does not need.
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "cairo_handles.h"
#include "hack_options.h"

namespace senvola::x11 {

struct CloseDisplay {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using UniqueDisplay = std::unique_ptr<Display, CloseDisplay>;

class HackWindow {
public:
    // The window the target names, set up for drawing; null with `error` set when it cannot be
    // had (a window id that names no window, say).
    static std::unique_ptr<HackWindow> Open(Display* display, const DrawTarget& target, std::string& error);
    HackWindow(const HackWindow&) = delete;
    HackWindow& operator=(const HackWindow&) = delete;
    ~HackWindow();

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Whether the window is on the screen at its final size, so the first game can be laid out.
    bool Ready() const { return ready_; }

    enum class Change { Unchanged, Resized, Closed };
    // Takes in one event of the display; exposed areas are remembered for PresentExposed.
    Change Handle(const XEvent& event);
    // Shows `area` of `picture`; parts of the window the picture does not cover are black.
    void Present(cairo_surface_t* picture, int x1, int y1, int x2, int y2);
    void PresentExposed(cairo_surface_t* picture);

private:
    HackWindow(Display* display, Window window, bool own);
    static std::unique_ptr<HackWindow> CreateOwn(Display* display, bool fullScreen);

    Display* display_;
    Window window_;
    bool own_;  // created here, destroyed here
    Atom deleteWindow_ = 0;
    Cursor blankCursor_ = 0;
    int width_ = 0, height_ = 0;
    bool ready_ = false;
    void PutPixels(cairo_surface_t* picture, int x1, int y1, int x2, int y2);

    Visual* visual_ = nullptr;
    int depth_ = 0;
    bool direct_ = false;  // the picture's own bytes are the window's pixels
    GC gc_ = nullptr;
    std::vector<char> converted_;  // pixels for other visuals, kept and grown as needed
    int exposed_[4] = {0, 0, 0, 0};  // x1 y1 x2 y2; empty when x1 == x2
};

// Xlib reports errors through one process-wide handler; this installs it once. Errors about a
// window that has gone (the saver destroyed it) mark the display as lost instead of exiting.
void InstallErrorHandler();
bool WindowLost();

}  // namespace senvola::x11
