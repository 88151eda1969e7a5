// render PATH --size WxH --moves K [--board-only] [--no-comments] [--flat-stones]
// [--no-coordinates] [--ini FILE] [--board-picture FILE] [--black-picture FILE]
// [--white-picture FILE] --out FILE: the screensaver's replay of PATH drawn on the native cairo
// canvas (the X11 hack's own) on a surface of W x H pixels, the new-game tick and then K ticks;
// written as PNG when FILE ends in ".png" (any case), else as a 24-bit BMP like the Windows
// build's. Options, messages and exit codes are the Windows build's.
#include <cstdio>
#include <string>

#include "cairo_canvas.h"
#include "commands.h"
#include "hack_replay.h"
#include "picture_files.h"
#include "render_args.h"

namespace senvola::inspect {

namespace {

bool Readable(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace

int CmdRender(const Args& args) {
    RenderArgs parsed;
    if (const int status = ParseRenderArgs(args, parsed)) return status;
    x11::RenderRequest request;
    request.game = parsed.game;
    request.width = parsed.width;
    request.height = parsed.height;
    request.moves = parsed.moves;
    request.boardOnly = parsed.boardOnly;
    request.noComments = parsed.noComments;
    request.flatStones = parsed.flatStones;
    request.noCoordinates = parsed.noCoordinates;
    request.languageFile = parsed.iniPath;
    request.pictures = parsed.pictures;
    const std::string& outPath = parsed.outPath;
    if (parsed.haveIni && !Readable(request.languageFile)) {
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
