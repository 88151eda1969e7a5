// render PATH --size WxH --moves K [--board-only] [--no-comments] [--flat-stones]
// [--no-coordinates] [--ini FILE] [--board-picture FILE] [--black-picture FILE]
// [--white-picture FILE] --out FILE.bmp:
// the screensaver's replay of PATH drawn with real GDI on a memory surface of W x H pixels, the
// new-game tick and then K ticks, written as a 24-bit BMP.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "render_args.h"
#include "replay/replay.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "draw/board_look.h"
#include "win32/canvas_gdi.h"
#include "win32/file_system_win32.h"
#include "portable/ini_file_reader.h"
#include "win32/text_decoder_win32.h"
#include "win32/render_win32.h"

namespace senvola::inspect {

namespace {

// Without --ini the replay runs on its built-in English texts, as with a missing language file.
class NoLanguageFile final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

}  // namespace

int CmdRender(const Args& args) {
    RenderArgs parsed;
    if (const int status = ParseRenderArgs(args, parsed)) return status;
    const std::string& path = parsed.game;
    const std::string& iniPath = parsed.iniPath;
    const std::string& outPath = parsed.outPath;
    const bool haveIni = parsed.haveIni;
    const int w = parsed.width, h = parsed.height, moves = parsed.moves;

    Win32FileSystem files;
    const Win32TextDecoder decoder;
    if (haveIni && !files.FileExists(iniPath)) {
        std::fprintf(stderr, "senvola-inspect: render: no such language file: %s\n", iniPath.c_str());
        return 1;
    }
    ReplaySettings settings;
    ApplyDefaults(settings);
    settings.ShowBoardOnly = parsed.boardOnly;
    settings.ShowComments = !parsed.noComments;
    settings.FlatStones = parsed.flatStones;
    settings.ShowCoordinates = !parsed.noCoordinates;
    BoardPictures pictures;
    for (int e : {geBoard, geBlackStones, geWhiteStones}) {
        settings.UseBitmap[e] = !parsed.pictures[e].empty();
        settings.BitmapName[e] = parsed.pictures[e];
    }
    Win32BitmapLoader loader;
    LoadGraphicsBitmaps(settings, pictures, loader);
    NoLanguageFile english;
    std::unique_ptr<IniFileReader> ini;
    if (haveIni) ini = std::make_unique<IniFileReader>(iniPath, &decoder);
    const IniFile& languageFile = ini ? static_cast<const IniFile&>(*ini) : english;
    LanguageTable language;
    // The game records are large: keep the replay off the stack.
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, languageFile, files, decoder});
    std::string error;
    if (!SelectRenderSource(settings, replay->Library(), path, files, error)) {
        std::fprintf(stderr, "senvola-inspect: render: %s\n", error.c_str());
        return 1;
    }
    LoadLanguageTable(language, languageFile, settings.Language);

    DibSurface surface(w, h);
    if (!surface.Valid()) {
        std::fprintf(stderr, "senvola-inspect: render: cannot make a %dx%d surface\n", w, h);
        return 1;
    }
    RenderReplay(*replay, surface, moves);
    if (settings.FileLoadType == GameSourceKind::OneFile && replay->GameFileName().empty()) {
        // The screensaver falls back to a built-in game silently; the tool says so.
        std::fprintf(stderr, "senvola-inspect: render: %s could not be read; a built-in game was drawn\n",
                     path.c_str());
    }
    if (!WriteBmp24(surface, outPath)) {
        std::fprintf(stderr, "senvola-inspect: render: cannot write %s\n", outPath.c_str());
        return 1;
    }
    return 0;
}

}  // namespace senvola::inspect
