// render PATH --size WxH --moves K [--board-only] [--no-comments] [--ini FILE] --out FILE.bmp:
// the screensaver's replay of PATH drawn with real GDI on a memory surface of W x H pixels, the
// new-game tick and then K ticks, written as a 24-bit BMP.
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "replay/replay.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "win32/file_system_win32.h"
#include "win32/ini_win32.h"
#include "win32/render_win32.h"

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

// Without --ini the replay runs on its built-in English texts, as with a missing language file.
class NoLanguageFile final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

}  // namespace

int CmdRender(const Args& args) {
    std::string path, sizeText, movesText, iniPath, outPath;
    bool haveSize = false, haveMoves = false, haveIni = false, haveOut = false;
    bool boardOnly = false, noComments = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into, bool& seen) {
            if (seen) return false;
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            seen = true;
            return true;
        };
        if (a == "--size") {
            if (!value(sizeText, haveSize)) return UsageError("render: --size needs one WxH");
        } else if (a == "--moves") {
            if (!value(movesText, haveMoves)) return UsageError("render: --moves needs one K");
        } else if (a == "--ini") {
            if (!value(iniPath, haveIni)) return UsageError("render: --ini needs one FILE");
        } else if (a == "--out") {
            if (!value(outPath, haveOut)) return UsageError("render: --out needs one FILE.bmp");
        } else if (a == "--board-only") {
            boardOnly = true;
        } else if (a == "--no-comments") {
            noComments = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("render: unknown option " + a);
        } else if (path.empty() && !a.empty()) {
            path = a;
        } else {
            return UsageError("render: one PATH only");
        }
    }
    if (path.empty()) return UsageError("render: no PATH given");
    if (!haveSize || !haveMoves || !haveOut) return UsageError("render: --size, --moves and --out are required");
    int w = 0, h = 0, moves = 0;
    if (!ParseSize(sizeText, w, h)) {
        return UsageError("render: --size must be WxH with W and H from 1 to " + std::to_string(kMaxSide));
    }
    if (!ParseInt(movesText, 0, kMaxMoves, moves)) {
        return UsageError("render: --moves must be a whole number from 0 to " + std::to_string(kMaxMoves));
    }
    if (outPath.empty()) return UsageError("render: --out needs a file name");

    Win32FileSystem files;
    if (haveIni && !files.FileExists(iniPath)) {
        std::fprintf(stderr, "senvola-inspect: render: no such language file: %s\n", iniPath.c_str());
        return 1;
    }
    ReplaySettings settings;
    ApplyDefaults(settings);
    settings.ShowBoardOnly = boardOnly;
    settings.ShowComments = !noComments;
    const BoardPictures pictures;
    NoLanguageFile english;
    std::unique_ptr<Win32IniFile> ini;
    if (haveIni) ini = std::make_unique<Win32IniFile>(iniPath);
    const IniFile& languageFile = ini ? static_cast<const IniFile&>(*ini) : english;
    LanguageTable language;
    // The game records are large: keep the replay off the stack.
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, languageFile, files});
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
