// senvola: the replay as an xscreensaver display hack. It draws a step, shows what changed,
// and sleeps in poll() on the X connection and a signal pipe until the next step, an event, or
// the end: SIGTERM (how xscreensaver stops a hack), SIGINT, SIGHUP or SIGQUIT, the window going
// away, or q / Escape / the close button in a window of its own. Each of those ends with 0.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cairo_canvas.h"
#include "hack_options.h"
#include "hack_replay.h"
#include "x11_window.h"

namespace senvola::x11 {

namespace {

using Clock = std::chrono::steady_clock;
// A window being resized sends a stream of sizes: the game is laid out anew once they stop.
constexpr auto kResizeSettle = std::chrono::milliseconds(250);

// A signal handler takes no context: the pipe it writes to has to be known process-wide.
int gSignalFd = -1;

void OnSignal(int) {
    const int saved = errno;
    const char c = 1;
    [[maybe_unused]] const ssize_t n = write(gSignalFd, &c, 1);
    errno = saved;
}

// The ending signals, turned into a readable pipe for poll(); the old handlers come back
// when it goes.
class SignalPipe {
public:
    SignalPipe() {
        if (pipe2(fds_, O_NONBLOCK | O_CLOEXEC) != 0) return;
        gSignalFd = fds_[1];
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &action, &old_[i]);
    }
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;
    ~SignalPipe() {
        if (fds_[0] < 0) return;
        for (std::size_t i = 0; i < std::size(kSignals); ++i) sigaction(kSignals[i], &old_[i], nullptr);
        gSignalFd = -1;
        close(fds_[0]);
        close(fds_[1]);
    }
    bool Ok() const { return fds_[0] >= 0; }
    int Fd() const { return fds_[0]; }
    bool Caught() const {
        char c;
        return read(fds_[0], &c, 1) == 1;
    }

private:
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
    int fds_[2] = {-1, -1};
    struct sigaction old_[std::size(kSignals)] {};
};

// The replay's picture: kept in the client at the window's size.
struct Picture {
    UniqueSurface image;
    std::unique_ptr<CairoCanvas> canvas;
    int width = 0, height = 0;

    void Resize(int w, int h) {
        canvas.reset();
        width = std::max(1, w);
        height = std::max(1, h);
        image.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        canvas = std::make_unique<CairoCanvas>(image.get());
    }
};

// Senvola.ini beside the program (a build tree, a copied folder), else in the data folder of
// the prefix the program is installed in, else in the configured one.
std::string FindLanguageFile() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        for (const std::filesystem::path& dir : {self.parent_path(), self.parent_path() / SENVOLA_DATA_FROM_PROGRAM}) {
            const std::filesystem::path file = dir / "Senvola.ini";
            if (std::filesystem::is_regular_file(file, ec)) return file.lexically_normal().string();
        }
    }
    return SENVOLA_DATA_DIR "/Senvola.ini";
}

// Colours given by name, looked up in the display's colour database.
bool ResolveColourNames(Display* display, HackOptions& options) {
    for (int i = 0; i < 3; ++i) {
        const std::string& name = options.colourNames[i];
        if (name.empty()) continue;
        XColor c{};
        if (!XParseColor(display, DefaultColormap(display, DefaultScreen(display)), name.c_str(), &c)) {
            std::fprintf(stderr, "senvola: unknown colour %s\n", name.c_str());
            return false;
        }
        const auto byte = [](unsigned short v) { return static_cast<Colour>(v >> 8); };
        options.replay.colours[i] = byte(c.blue) << 16 | byte(c.green) << 8 | byte(c.red);
    }
    return true;
}

int Run(HackOptions options) {
    // First, so that a saver that gives up on the hack at once still finds it listening.
    const SignalPipe signals;
    if (!signals.Ok()) {
        std::fprintf(stderr, "senvola: cannot set up the signal pipe\n");
        return 1;
    }
    const UniqueDisplay display(XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str()));
    if (!display) {
        std::fprintf(stderr, "senvola: cannot open display %s\n", XDisplayName(options.display.c_str()));
        return 1;
    }
    InstallErrorHandler();
    if (!ResolveColourNames(display.get(), options)) return 2;
    std::string error;
    const std::optional<DrawTarget> target = ChooseTarget(options, std::getenv("XSCREENSAVER_WINDOW"), error);
    if (!target) {
        std::fprintf(stderr, "senvola: %s\n", error.c_str());
        return 1;
    }
    std::unique_ptr<HackWindow> window = HackWindow::Open(display.get(), *target, error);
    if (!window) {
        std::fprintf(stderr, "senvola: %s\n", error.c_str());
        return 1;
    }
    HackReplay replay(options.replay, FindLanguageFile());
    for (const std::string& warning : replay.Warnings()) std::fprintf(stderr, "senvola: %s\n", warning.c_str());

    Picture picture;
    picture.Resize(window->Width(), window->Height());
    bool started = false;
    std::optional<Clock::time_point> resizeAt;
    Clock::time_point nextTick = Clock::now();
    const int xfd = ConnectionNumber(display.get());
    for (;;) {
        while (XPending(display.get())) {
            XEvent e;
            XNextEvent(display.get(), &e);
            const HackWindow::Change change = window->Handle(e);
            if (change == HackWindow::Change::Closed) return 0;
            if (change == HackWindow::Change::Resized) resizeAt = Clock::now() + kResizeSettle;
        }
        if (signals.Caught() || WindowLost()) return 0;

        const Clock::time_point now = Clock::now();
        if (resizeAt && now >= *resizeAt) {
            resizeAt.reset();
            picture.Resize(window->Width(), window->Height());
            replay.Redraw(*picture.canvas, picture.width, picture.height);
            const CairoCanvas::Damage damage = picture.canvas->TakeDamage();
            for (const Rect& d : damage.Rects()) window->Present(picture.image.get(), d.x1, d.y1, d.x2, d.y2);
        }
        if (!started && !resizeAt && window->Ready()) {
            started = true;
            nextTick = now;
        }
        if (started && !resizeAt && now >= nextTick) {
            const auto delay = replay.Tick(*picture.canvas, picture.width, picture.height);
            const CairoCanvas::Damage damage = picture.canvas->TakeDamage();
            for (const Rect& d : damage.Rects()) {
                window->Present(picture.image.get(), d.x1, d.y1, d.x2, d.y2);
            }
            // Steps keep their rhythm; after a stall (the machine suspended, say) the next one
            // comes a whole interval later instead of a burst catching up.
            nextTick += delay;
            if (nextTick < now) nextTick = now + delay;
        }
        window->PresentExposed(picture.image.get());
        XFlush(display.get());

        int timeout = -1;
        const auto until = resizeAt ? *resizeAt : nextTick;
        if (resizeAt || started) {
            const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
            timeout = static_cast<int>(std::clamp<long long>(wait, 0, 60000));
        }
        pollfd fds[2] = {{xfd, POLLIN, 0}, {signals.Fd(), POLLIN, 0}};
        poll(fds, 2, timeout);
    }
}

}  // namespace

}  // namespace senvola::x11

int main(int argc, char** argv) {
    using namespace senvola::x11;
    const std::vector<std::string> args(argv + 1, argv + argc);
    ParsedCommandLine parsed = ParseCommandLine(args);
    if (!parsed.options) {
        std::fprintf(stderr, "senvola: %s\nsenvola -help lists the options.\n", parsed.error.c_str());
        return 2;
    }
    if (parsed.options->help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    return Run(std::move(*parsed.options));
}
