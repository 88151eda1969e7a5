#include "app/go_saver.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "records/builtin_games.h"
#include "saverkit/command_line.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "win32/path_win32.h"
#include "win32/window_class.h"
#include "win32/window_text.h"

namespace senvola::app {

namespace {

constexpr const char* kMainWindowClass = "TSenvolaApplication";
constexpr const char* kDefaultHelpFile = "c:\\program files\\senvola\\senvola.hlp";

}  // namespace

GoSaver::GoSaver() {
    const std::wstring mainClass = WideFromUtf8(kMainWindowClass);
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    wc.lpszClassName = mainClass.c_str();
    EnsureWindowClass(wc);
    // Never shown: it owns the saver window and parents the option pages until the dialog takes
    // their controls.
    window_ = CreateWindowUtf8(0, kMainWindowClass, kApplicationTitle, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                               nullptr);
    saverkit::SaverHost::Options options;
    options.title = kApplicationTitle;
    // Where the version resource cannot be read (a path the ANSI calls cannot take, say), the
    // settings still go to their own key and nowhere else.
    options.fallbackKey = kSettingsKeyPath;
    options.background = saverkit::Background::Colour;
    options.generalPage = false;
    options.help = &help_;
    options.applicationWindow = window_;
    host_ = std::make_unique<saverkit::SaverHost>(*this, registry_, options);
    pages_ = std::make_unique<app::OptionPages>(settings_, language_, help_, window_);
}

GoSaver::~GoSaver() {
    host_.reset();
    pages_.reset();
    if (window_) DestroyWindow(window_);
}

void GoSaver::Run(const std::vector<std::string>& params) {
    ApplyDefaults(settings_);
    // Only the options dialog needs the key to be there (it opens it without creating it); the
    // saver and the preview leave the registry as they find it.
    if (saverkit::ModeOfParameters(params) == saverkit::Mode::Configure) EnsureSettingsKey(registry_);
    pages_->ActivateFirstPage();

    const std::wstring dir = ProgramDirectory();
    // The help calls take an ANSI path: a directory the system code page cannot spell has none.
    const std::optional<std::string> ansiDir = dir.empty() ? std::nullopt : ExactAnsiFromWide(dir);
    if (ansiDir && files_.FileExists(Utf8FromWide(dir) + "Senvola.hlp"))
        help_ = saverkit::Help(*ansiDir + "Senvola.hlp");
    else if (!dir.empty() && files_.FileExists(Utf8FromWide(dir) + "Senvola.html"))
        help_ = saverkit::Help::Page(dir + L"Senvola.html");  // a wide path: any folder will do
    else if (files_.FileExists(kDefaultHelpFile))
        help_ = saverkit::Help(kDefaultHelpFile);
    // Read by the portable reader, so that the file may be UTF-8 and carry every language.
    languageFile_ = std::make_unique<IniFileReader>(Utf8FromWide(dir) + "Senvola.ini", &decoder_);

    replay_ = std::make_unique<Replay>(ReplaySources{settings_, pictures_, language_, *languageFile_, files_, decoder_});
    host_->Run(params);
}

void GoSaver::LoadSettings(RegistryKey& key, saverkit::Mode mode) {
    mode_ = mode;
    ReadSettings(key, settings_);
    LoadLanguageTable(language_, *languageFile_, settings_.Language);
    if (mode == saverkit::Mode::Configure) pages_->Fill(*languageFile_);
    interval_ = MoveInterval(settings_);
    Win32BitmapLoader loader;
    LoadGraphicsBitmaps(settings_, pictures_, loader);
}

void GoSaver::SaveSettings(RegistryKey& key) {
    WriteSettings(key, settings_, pages_->SelectedLanguagePosition(), pages_->SelectedLanguageName());
}

void GoSaver::FindScreens(HWND window) {
    screens_.clear();
    // The preview is one picture whatever monitor it sits on.
    if (mode_ == saverkit::Mode::Saver) screens_ = saverkit::ScreenAreasOf(window);
    if (screens_.empty()) {
        RECT r{};
        GetClientRect(window, &r);
        screens_.push_back({r, true});
    }
    mainScreen_ = std::max(0, saverkit::MainArea(screens_));
    if (!settings_.GamePerMonitor || screens_.size() < 2) {
        otherReplays_.clear();
        return;
    }
    // Seeds of their own: replays made in the same instant would otherwise start the same game.
    const auto now = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const ReplaySources sources{settings_, pictures_, language_, *languageFile_, files_, decoder_};
    otherReplays_.resize(screens_.size());
    otherReplays_[static_cast<std::size_t>(mainScreen_)].reset();
    // Drawn at random, two monitors of six built-in games would show the same one every sixth
    // time; each of the others starts that many games further on instead.
    const int mainGame = replay_->Library().LastBuiltIn();
    int further = 0;
    for (std::size_t i = 0; i < screens_.size(); ++i) {
        if (static_cast<int>(i) == mainScreen_) continue;
        ++further;
        if (otherReplays_[i]) continue;
        otherReplays_[i] = std::make_unique<Replay>(sources, now + 0x9E3779B9u * static_cast<std::uint32_t>(i + 1));
        otherReplays_[i]->Library().SetNextBuiltIn((mainGame + further) % kBuiltInGameCount + 1);
    }
}

template <typename Draw>
void GoSaver::ForEachScreen(HDC dc, Draw draw) {
    for (std::size_t i = 0; i < screens_.size(); ++i) {
        Replay* replay = static_cast<int>(i) == mainScreen_ ? replay_.get()
                         : i < otherReplays_.size()     ? otherReplays_[i].get()
                                                        : nullptr;
        if (!replay) continue;  // a monitor without a game of its own stays black
        const RECT& r = screens_[i].rect;
        // Each replay draws as on a screen of its own: origin at its monitor's corner, nothing
        // beyond its edges.
        const ScopedDcArea area(dc, r);
        GdiCanvas canvas(dc, &gdiCache_);
        draw(*replay, canvas, r.right - r.left, r.bottom - r.top);
    }
}

std::chrono::milliseconds GoSaver::DrawFrame(HWND window, HDC dc) {
    if (screens_.empty()) FindScreens(window);
    std::chrono::milliseconds next = std::chrono::milliseconds::max();
    ForEachScreen(dc, [&next](Replay& replay, GdiCanvas& canvas, int w, int h) {
        next = std::min(next, replay.Tick(canvas, w, h));
    });
    return next;
}

void GoSaver::RepaintFrame(HWND window, HDC dc) {
    FindScreens(window);
    ForEachScreen(dc, [](Replay& replay, GdiCanvas& canvas, int w, int h) { replay.Redraw(canvas, w, h); });
}

}  // namespace senvola::app
