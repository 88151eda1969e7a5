#include "hack_replay.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "draw/board_look.h"
#include "ini_file_reader.h"
#include "native_file_system.h"
#include "native_text_decoder.h"
#include "picture_files.h"
#include "records/builtin_games.h"
#include "replay/replay.h"
#include "settings/language.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"
#include "settings/settings_store.h"

namespace senvola::x11 {

namespace {

// Element order of the choices' arrays, and the names used in warnings.
constexpr GraphicsElement kElements[3] = {geBoard, geBlackStones, geWhiteStones};
constexpr const char* kElementNames[3] = {"board", "black stone", "white stone"};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return fold(x) == fold(y);
    });
}

// The number of the language called `name` in the file's list or by its own name; -1: none.
int FindLanguage(const IniFile& file, const std::string& name) {
    for (int n = kFirstLanguageKey; n <= kLastLanguageKey; ++n) {
        const std::string listed = file.ReadString(kLanguagesSection, std::to_string(n), "");
        if (listed.empty()) continue;
        if (SameName(listed, name) || SameName(file.ReadString(listed, kLanguageOriginalNameKey, ""), name)) return n;
    }
    return -1;
}

std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec);
    return ec ? path : p.string();
}

class NoLanguageFile final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

class CairoBitmapLoader final : public BitmapLoader {
public:
    std::unique_ptr<Bitmap> Load(const std::string& path, bool transparent) override {
        return LoadPicture(path, transparent);
    }
};

}  // namespace

ReplayDefaults DefaultChoices() {
    const ReplaySettings s;
    return {s.Speed, s.PauseBetweenGames, s.Color};
}

std::span<const int> MoveIntervalsMs() { return SpeedIntervals; }

int MaxPauseSeconds() { return 300; }  // as the settings store holds it

struct HackReplay::State {
    explicit State(const std::string& languagePath) : languageFile(languagePath) {}
    ReplaySettings settings;
    BoardPictures pictures;
    LanguageTable language;
    IniFileReader languageFile;
    NativeFileSystem files;
    NativeTextDecoder decoder;
    std::unique_ptr<Replay> replay;  // made once the above are set
};

HackReplay::HackReplay(const ReplayChoices& c, const std::string& languageFile)
    : state_(std::make_unique<State>(languageFile)) {
    ReplaySettings& settings = state_->settings;
    ApplyDefaults(settings);
    if (c.speed) settings.Speed = static_cast<uint8_t>(std::clamp<int>(*c.speed, 0, SpeedIntervals.size() - 1));
    if (c.pauseSeconds) settings.PauseBetweenGames = std::clamp(*c.pauseSeconds, 0, MaxPauseSeconds());
    if (c.source) {
        settings.FileLoadType = *c.source == GameSource::File        ? GameSourceKind::OneFile
                                : *c.source == GameSource::Directory ? GameSourceKind::Folder
                                                                     : GameSourceKind::BuiltIn;
        if (*c.source != GameSource::BuiltIn) settings.DirFileString = Absolute(c.sourcePath);
        // The saver falls back to the built-in games without a word; a command line says why.
        std::error_code ec;
        if (*c.source == GameSource::File && !state_->files.FileExists(settings.DirFileString)) {
            warnings_.push_back("no game file " + c.sourcePath + "; the built-in games are shown");
        } else if (*c.source == GameSource::Directory && !std::filesystem::is_directory(settings.DirFileString, ec)) {
            warnings_.push_back("no directory " + c.sourcePath + "; the built-in games are shown");
        }
    }
    for (int i = 0; i < 3; ++i) {
        const GraphicsElement e = kElements[i];
        if (c.colours[i]) settings.Color[e] = *c.colours[i] & 0xFFFFFF;
        if (!c.pictures[i].empty()) {
            settings.UseBitmap[e] = true;
            settings.BitmapName[e] = Absolute(c.pictures[i]);
        }
    }
    settings.ShowBoardOnly = c.boardOnly;
    settings.ShowComments = !c.noComments;
    settings.CommentReadingTime = !c.noReadingTime;
    settings.ShowResultFromStart = c.showResult;
    settings.FlatStones = c.flatStones;
    settings.ShowCoordinates = !c.noCoordinates;

    const IniFile& ini = state_->languageFile;
    if (!c.language.empty()) {
        const int n = FindLanguage(ini, c.language);
        if (n >= 0) {
            settings.Language = n;
        } else {
            warnings_.push_back("no language \"" + c.language + "\" in " +
                                (languageFile.empty() ? std::string("the language file") : languageFile) +
                                "; English is shown");
        }
    }
    LoadLanguageTable(state_->language, ini, settings.Language);

    CairoBitmapLoader loader;
    LoadGraphicsBitmaps(settings, state_->pictures, loader);
    for (int i = 0; i < 3; ++i) {
        if (!c.pictures[i].empty() && !settings.UseBitmap[kElements[i]]) {
            warnings_.push_back("the " + std::string(kElementNames[i]) + " picture " + c.pictures[i] +
                                " is not a PNG or BMP that can be read; its colour is used");
        }
    }
    state_->replay = std::make_unique<Replay>(
        ReplaySources{settings, state_->pictures, state_->language, state_->languageFile, state_->files, state_->decoder});
}

HackReplay::~HackReplay() = default;

std::chrono::milliseconds HackReplay::Tick(Canvas& canvas, int width, int height) {
    return state_->replay->Tick(canvas, width, height);
}

void HackReplay::Redraw(Canvas& canvas, int width, int height) { state_->replay->Redraw(canvas, width, height); }

RenderOutcome RenderGame(const RenderRequest& request, Canvas& canvas, std::string& error) {
    ReplaySettings settings;
    ApplyDefaults(settings);
    settings.ShowBoardOnly = request.boardOnly;
    settings.ShowComments = !request.noComments;
    settings.FlatStones = request.flatStones;
    settings.ShowCoordinates = !request.noCoordinates;
    const NativeFileSystem files;
    const NativeTextDecoder decoder;
    int firstBuiltIn = 0;  // 0: not a built-in game

    constexpr std::string_view kBuiltIn = "builtin:";
    const std::string& game = request.game;
    if (game.compare(0, kBuiltIn.size(), kBuiltIn) == 0) {
        const char* first = game.data() + kBuiltIn.size();
        const char* last = game.data() + game.size();
        int n = 0;
        const auto r = std::from_chars(first, last, n);
        if (first == last || r.ec != std::errc() || r.ptr != last || n < 1 || n > kBuiltInGameCount) {
            error = "builtin:N needs N from 1 to " + std::to_string(kBuiltInGameCount) + ": " + game;
            return RenderOutcome::NoSuchGame;
        }
        settings.FileLoadType = GameSourceKind::BuiltIn;
        firstBuiltIn = n;
    } else {
        const std::string full = Absolute(game);
        if (game.empty() || !files.FileExists(full)) {
            error = "no such file: " + game;
            return RenderOutcome::NoSuchGame;
        }
        settings.FileLoadType = GameSourceKind::OneFile;
        settings.DirFileString = full;
    }

    const NoLanguageFile english;
    std::unique_ptr<IniFileReader> ini;
    if (!request.languageFile.empty()) ini = std::make_unique<IniFileReader>(request.languageFile);
    const IniFile& languageFile = ini ? static_cast<const IniFile&>(*ini) : english;
    LanguageTable language;
    LoadLanguageTable(language, languageFile, settings.Language);

    BoardPictures pictures;
    for (int e : {geBoard, geBlackStones, geWhiteStones}) {
        settings.UseBitmap[e] = !request.pictures[e].empty();
        settings.BitmapName[e] = request.pictures[e];
    }
    CairoBitmapLoader loader;
    LoadGraphicsBitmaps(settings, pictures, loader);
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, languageFile, files, decoder});
    if (firstBuiltIn > 0) replay->Library().SetNextBuiltIn(firstBuiltIn);
    replay->RequestNewGame();
    for (int i = 0; i <= request.moves; ++i) replay->Tick(canvas, request.width, request.height);
    return settings.FileLoadType == GameSourceKind::OneFile && replay->GameFileName().empty()
               ? RenderOutcome::BuiltInDrawnInstead
               : RenderOutcome::Drawn;
}

}  // namespace senvola::x11
