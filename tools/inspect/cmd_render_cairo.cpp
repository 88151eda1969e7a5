// render PATH --size WxH --moves K [--board-only] [--no-comments] [--ini FILE] --out FILE: the
// screensaver's replay of PATH drawn on the native cairo canvas (the X11 hack's own) on a
// surface of W x H pixels, the new-game tick and then K ticks; written as PNG when FILE ends in
// ".png" (any case), else as a 24-bit BMP like the Windows build's. Options, messages and exit
// codes are the Windows build's.
#include <charconv>
#include <cstdio>
#include <string>

#include "cairo_canvas.h"
#include "commands.h"
#include "hack_replay.h"
#include "picture_files.h"

namespace senvola::inspect {

namespace {

constexpr int kMaxSide = 10000;
constexpr int kMaxMoves = 1000000;

bool ParseInt(std::string_view text, int low, int high, int& out) {
    int v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || v < low || v > high) return false;
    out = v;
    return true;
}

bool ParseSize(const std::string& text, int& w, int& h) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParseInt(std::string_view(text).substr(0, x), 1, kMaxSide, w) &&
           ParseInt(std::string_view(text).substr(x + 1), 1, kMaxSide, h);
}

bool Readable(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace

int CmdRender(const Args& args) {
    x11::RenderRequest request;
    std::string sizeText, movesText, outPath;
    bool haveSize = false, haveMoves = false, haveIni = false, haveOut = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into, bool& seen) {
            if (seen || i + 1 >= args.size()) return false;
            into = args[++i];
            seen = true;
            return true;
        };
        if (a == "--size") {
            if (!value(sizeText, haveSize)) return UsageError("render: --size needs one WxH");
        } else if (a == "--moves") {
            if (!value(movesText, haveMoves)) return UsageError("render: --moves needs one K");
        } else if (a == "--ini") {
            if (!value(request.languageFile, haveIni)) return UsageError("render: --ini needs one FILE");
        } else if (a == "--out") {
            if (!value(outPath, haveOut)) return UsageError("render: --out needs one FILE.bmp");
        } else if (a == "--board-only") {
            request.boardOnly = true;
        } else if (a == "--no-comments") {
            request.noComments = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("render: unknown option " + a);
        } else if (request.game.empty() && !a.empty()) {
            request.game = a;
        } else {
            return UsageError("render: one PATH only");
        }
    }
    if (request.game.empty()) return UsageError("render: no PATH given");
    if (!haveSize || !haveMoves || !haveOut) return UsageError("render: --size, --moves and --out are required");
    if (!ParseSize(sizeText, request.width, request.height)) {
        return UsageError("render: --size must be WxH with W and H from 1 to " + std::to_string(kMaxSide));
    }
    if (!ParseInt(movesText, 0, kMaxMoves, request.moves)) {
        return UsageError("render: --moves must be a whole number from 0 to " + std::to_string(kMaxMoves));
    }
    if (outPath.empty()) return UsageError("render: --out needs a file name");
    if (haveIni && !Readable(request.languageFile)) {
        std::fprintf(stderr, "senvola-inspect: render: no such language file: %s\n", request.languageFile.c_str());
        return 1;
    }

    // Black to begin with, like a new memory surface on Windows.
    const x11::UniqueSurface image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, request.width, request.height));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "senvola-inspect: render: cannot make a %dx%d surface\n", request.width, request.height);
        return 1;
    }
    std::string error;
    x11::RenderOutcome outcome;
    {
        x11::CairoCanvas canvas(image.get());
        outcome = x11::RenderGame(request, canvas, error);
    }
    if (outcome == x11::RenderOutcome::NoSuchGame) {
        std::fprintf(stderr, "senvola-inspect: render: %s\n", error.c_str());
        return 1;
    }
    if (outcome == x11::RenderOutcome::BuiltInDrawnInstead) {
        // The screensaver falls back to a built-in game silently; the tool says so.
        std::fprintf(stderr, "senvola-inspect: render: %s could not be read; a built-in game was drawn\n",
                     request.game.c_str());
    }
    if (!x11::WritePicture(image.get(), outPath)) {
        std::fprintf(stderr, "senvola-inspect: render: cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace senvola::inspect
