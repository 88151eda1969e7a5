#include "x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace senvola::x11 {

namespace {

constexpr int kOwnWidth = 1024, kOwnHeight = 768;

// How many bits a pixel of `depth` takes in an image the server accepts.
int BitsPerPixel(Display* display, int depth) {
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
    int bits = 0;
    for (int i = 0; i < count; ++i) {
        if (formats[i].depth == depth) bits = formats[i].bits_per_pixel;
    }
    if (formats) XFree(formats);
    return bits;
}

// Xlib's error handler takes no context, so what it learns has to live here.
std::atomic<bool> gWindowLost{false};

int OnXError(Display* display, XErrorEvent* e) {
    if (e->error_code == BadWindow || e->error_code == BadDrawable) {
        gWindowLost = true;
        return 0;
    }
    char text[256];
    XGetErrorText(display, e->error_code, text, sizeof text);
    std::fprintf(stderr, "senvola: X error: %s (request %d)\n", text, e->request_code);
    return 0;
}

int OnXIoError(Display*) {
    std::fprintf(stderr, "senvola: the connection to the X display is lost\n");
    std::exit(1);
}

}  // namespace

void InstallErrorHandler() {
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIoError);
}

bool WindowLost() { return gWindowLost; }

HackWindow::HackWindow(Display* display, Window window, bool own) : display_(display), window_(window), own_(own) {}

std::unique_ptr<HackWindow> HackWindow::Open(Display* display, const DrawTarget& target, std::string& error) {
    const int screen = DefaultScreen(display);
    std::unique_ptr<HackWindow> w;
    Visual* visual = DefaultVisual(display, screen);
    int depth = DefaultDepth(display, screen);
    if (target.kind == DrawTarget::GivenWindow || target.kind == DrawTarget::RootWindow) {
        const Window id = target.kind == DrawTarget::RootWindow ? RootWindow(display, screen) : target.id;
        XWindowAttributes a{};
        if (!XGetWindowAttributes(display, id, &a) || WindowLost()) {
            char text[64];
            std::snprintf(text, sizeof text, "no window 0x%lx on this display", id);
            error = text;
            return nullptr;
        }
        w.reset(new HackWindow(display, id, false));
        // Only what another client's window allows to more than one client: its size and its
        // exposures. Keys and the mouse are the saver's.
        XSelectInput(display, id, StructureNotifyMask | ExposureMask);
        visual = a.visual;
        depth = a.depth;
        w->width_ = a.width;
        w->height_ = a.height;
        w->ready_ = true;
    } else {
        w = CreateOwn(display, target.kind == DrawTarget::FullScreen);
    }
    if (visual->c_class != TrueColor && visual->c_class != DirectColor) {
        error = "the window's visual has no true colours";
        return nullptr;
    }
    w->visual_ = visual;
    w->depth_ = depth;
    w->direct_ = depth == 24 && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
                 visual->blue_mask == 0xFF && ImageByteOrder(display) == LSBFirst && BitsPerPixel(display, depth) == 32;
    w->gc_ = XCreateGC(display, w->window_, 0, nullptr);
    return w;
}

std::unique_ptr<HackWindow> HackWindow::CreateOwn(Display* display, bool fullScreen) {
    const int screen = DefaultScreen(display);
    const int sw = DisplayWidth(display, screen), sh = DisplayHeight(display, screen);
    const int width = fullScreen ? sw : std::min(kOwnWidth, sw), height = fullScreen ? sh : std::min(kOwnHeight, sh);
    XSetWindowAttributes a{};
    a.background_pixel = BlackPixel(display, screen);
    a.event_mask = StructureNotifyMask | ExposureMask | KeyPressMask;
    const Window id = XCreateWindow(display, RootWindow(display, screen), 0, 0, width, height, 0, CopyFromParent,
                                    InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &a);
    std::unique_ptr<HackWindow> w(new HackWindow(display, id, true));
    w->width_ = width;
    w->height_ = height;
    XStoreName(display, id, "Senvola");
    XClassHint hint{const_cast<char*>("senvola"), const_cast<char*>("Senvola")};
    XSetClassHint(display, id, &hint);
    w->deleteWindow_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, id, &w->deleteWindow_, 1);
    if (fullScreen) {
        Atom state = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
        XChangeProperty(display, id, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&state), 1);
        // Like a screen saver: no pointer over the board.
        static const char kEmpty[1] = {0};
        Pixmap bits = XCreateBitmapFromData(display, id, kEmpty, 1, 1);
        XColor black{};
        w->blankCursor_ = XCreatePixmapCursor(display, bits, bits, &black, &black, 0, 0);
        XFreePixmap(display, bits);
        XDefineCursor(display, id, w->blankCursor_);
    }
    XMapWindow(display, id);
    return w;
}

HackWindow::~HackWindow() {
    if (gc_) XFreeGC(display_, gc_);
    if (blankCursor_) XFreeCursor(display_, blankCursor_);
    if (own_) XDestroyWindow(display_, window_);
}

HackWindow::Change HackWindow::Handle(const XEvent& e) {
    switch (e.type) {
        case ConfigureNotify:
            if (e.xconfigure.window != window_) break;
            if (e.xconfigure.width != width_ || e.xconfigure.height != height_) {
                width_ = e.xconfigure.width;
                height_ = e.xconfigure.height;
                return Change::Resized;
            }
            break;
        case MapNotify:
            if (e.xmap.window == window_) ready_ = true;
            break;
        case Expose: {
            const int x1 = e.xexpose.x, y1 = e.xexpose.y;
            const int x2 = x1 + e.xexpose.width, y2 = y1 + e.xexpose.height;
            if (exposed_[2] <= exposed_[0]) {
                exposed_[0] = x1, exposed_[1] = y1, exposed_[2] = x2, exposed_[3] = y2;
            } else {
                exposed_[0] = std::min(exposed_[0], x1), exposed_[1] = std::min(exposed_[1], y1);
                exposed_[2] = std::max(exposed_[2], x2), exposed_[3] = std::max(exposed_[3], y2);
            }
            break;
        }
        case DestroyNotify:
            if (e.xdestroywindow.window == window_) return Change::Closed;
            break;
        case ClientMessage:
            if (own_ && static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow_) return Change::Closed;
            break;
        case KeyPress: {
            if (!own_) break;
            XKeyEvent key = e.xkey;
            char text[8];
            KeySym sym = 0;
            const int n = XLookupString(&key, text, sizeof text, &sym, nullptr);
            if (sym == XK_Escape || (n == 1 && (text[0] == 'q' || text[0] == 'Q'))) return Change::Closed;
            break;
        }
        default:
            break;
    }
    return Change::Unchanged;
}

void HackWindow::Present(cairo_surface_t* picture, int x1, int y1, int x2, int y2) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, width_), y2 = std::min(y2, height_);
    if (x2 <= x1 || y2 <= y1) return;
    // Where the picture ends (the window has grown and the next game is not laid out yet),
    // black.
    const int pw = cairo_image_surface_get_width(picture), ph = cairo_image_surface_get_height(picture);
    XSetForeground(display_, gc_, 0);
    if (x2 > pw) XFillRectangle(display_, window_, gc_, std::max(x1, pw), y1, x2 - std::max(x1, pw), y2 - y1);
    if (y2 > ph) XFillRectangle(display_, window_, gc_, x1, std::max(y1, ph), x2 - x1, y2 - std::max(y1, ph));
    x2 = std::min(x2, pw), y2 = std::min(y2, ph);
    if (x2 > x1 && y2 > y1) PutPixels(picture, x1, y1, x2, y2);
}

void HackWindow::PutPixels(cairo_surface_t* picture, int x1, int y1, int x2, int y2) {
    cairo_surface_flush(picture);
    auto* data = reinterpret_cast<char*>(cairo_image_surface_get_data(picture));
    const int stride = cairo_image_surface_get_stride(picture);
    const int w = x2 - x1, h = y2 - y1;
    if (direct_) {
        // The whole picture as an XImage over its own memory; X sends only the rectangle.
        XImage* image = XCreateImage(display_, visual_, depth_, ZPixmap, 0, data, cairo_image_surface_get_width(picture),
                                     cairo_image_surface_get_height(picture), 32, stride);
        if (!image) return;
        XPutImage(display_, window_, gc_, image, x1, y1, x1, y1, w, h);
        image->data = nullptr;  // the picture's, not X's to free
        XDestroyImage(image);
        return;
    }
    XImage* image = XCreateImage(display_, visual_, depth_, ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!image) return;
    converted_.resize(static_cast<std::size_t>(image->bytes_per_line) * h);
    image->data = converted_.data();
    // Each 8-bit channel scaled into its mask, whatever its width and place.
    const auto channel = [](uint32_t v, unsigned long mask) -> unsigned long {
        if (mask == 0) return 0;
        const int shift = std::countr_zero(mask);
        const unsigned long max = mask >> shift;
        return ((v * max + 127) / 255) << shift;
    };
    // Bits of the depth that no colour uses are alpha on a 32-bit visual: opaque.
    const unsigned long depthBits = depth_ >= 32 ? 0xFFFFFFFFul : (1ul << depth_) - 1;
    const unsigned long opaque = depthBits & ~(visual_->red_mask | visual_->green_mask | visual_->blue_mask);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + std::ptrdiff_t{y1 + y} * stride) + x1;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            XPutPixel(image, x, y,
                      opaque | channel((p >> 16) & 0xFF, visual_->red_mask) |
                          channel((p >> 8) & 0xFF, visual_->green_mask) | channel(p & 0xFF, visual_->blue_mask));
        }
    }
    XPutImage(display_, window_, gc_, image, 0, 0, x1, y1, w, h);
    image->data = nullptr;
    XDestroyImage(image);
}

void HackWindow::PresentExposed(cairo_surface_t* picture) {
    if (exposed_[2] <= exposed_[0]) return;
    Present(picture, exposed_[0], exposed_[1], exposed_[2], exposed_[3]);
    exposed_[0] = exposed_[1] = exposed_[2] = exposed_[3] = 0;
}

}  // namespace senvola::x11
