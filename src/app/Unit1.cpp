#include "Unit1.h"

#include <algorithm>
#include <optional>

#include "OptionsDialog.h"
#include "Unit1Pages.h"
#include "canvas_gdi.h"
#include "path_win32.h"
#include "replay/replay.h"
#include "settings/language.h"
#include "settings/settings_store.h"

namespace senvola::app {

const char* const kApplicationTitle = "Tavrel's Senvola";

namespace {
constexpr const char* kMainWindowClass = "TSenvolaApplication";
constexpr const char* kDefaultHelpFile = "c:\\program files\\senvola\\senvola.hlp";
}  // namespace

TForm1::TForm1(HINSTANCE instance) : instance_(instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(instance, kMainWindowClass, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
        wc.lpszClassName = kMainWindowClass;
        RegisterClassExA(&wc);
    }
    // Never shown: it owns the saver window and parents the option pages until the dialog
    // takes them.
    handle_ = CreateWindowExA(0, kMainWindowClass, kApplicationTitle, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    screenSaver_ = std::make_unique<vek::TvekScreenSaver>(registry_, handle_);
    screenSaver_->Title = kApplicationTitle;
    pages_ = std::make_unique<TForm1Pages>(options_, instance, handle_);
}

TForm1::~TForm1() {
    screenSaver_.reset();
    pages_.reset();
    if (handle_) DestroyWindow(handle_);
}

void TForm1::FormCreate() {
    ApplyDefaults(options_.Settings);
    // Only the options dialog needs the key to be there (it opens it without creating it); the
    // saver and the preview leave the registry as they find it.
    if (vek::ModeOfParameters(vek::CommandLineParameters()) == vek::smConfigure) EnsureSettingsKey(registry_);
    pages_->ActivateFirstPage();

    const std::wstring dir = ProgramDirectory();
    // The help calls take an ANSI path: a directory the system code page cannot spell has none.
    const std::optional<std::string> ansiDir = dir.empty() ? std::nullopt : ExactAnsiFromWide(dir);
    if (ansiDir && files_.FileExists(*ansiDir + "Senvola.hlp"))
        helpFile_ = *ansiDir + "Senvola.hlp";
    else if (files_.FileExists(kDefaultHelpFile))
        helpFile_ = kDefaultHelpFile;
    vek::Application().HelpFile = helpFile_;  // the framework's help requests and the help buttons
    languageFile_ = std::make_unique<Win32IniFile>(Utf8FromWide(dir) + "Senvola.ini");
    // The framework's dialogs take the title, the help file and the main window from here.
    vek::TApplication& application = vek::Application();
    application.Title = kApplicationTitle;
    application.HelpFile = helpFile_;
    application.Handle = handle_;

    replay_ = std::make_unique<Replay>(
        ReplaySources{options_.Settings, pictures_, options_.Language, *languageFile_, files_});

    vek::TvekScreenSaver& saver = *screenSaver_;
    // Where the version resource cannot be read (a path the ANSI calls cannot take, say), the
    // settings still go to their own key and nowhere else.
    saver.FallbackApplicationKey = kSettingsKeyPath;
    saver.InitialState = vek::isColor;
    saver.SetOptionsPages(&pages_->PageControl1());
    saver.OptionsTabs = vek::dtAbout;
    saver.OnReadRegistry = [this](void* s, RegistryKey& r, const std::string& k) {
        vekScreenSaver1ReadRegistry(s, r, k);
    };
    saver.OnTimer = [this](HWND s, HDC c) { vekScreenSaver1Timer(s, c); };
    saver.OnWriteRegistry = [this](void* s, RegistryKey& r, const std::string& k) {
        vekScreenSaver1WriteRegistry(s, r, k);
    };
    saver.Execute();
}

void TForm1::vekScreenSaver1ReadRegistry(void*, RegistryKey& Registry, const std::string&) {
    ReplaySettings& settings = options_.Settings;
    ReadSettings(Registry, settings);
    LoadLanguageTable(options_.Language, *languageFile_, settings.Language);
    if (screenSaver_->Mode() == vek::smConfigure) pages_->FillPages(*languageFile_);
    screenSaver_->SetInterval(static_cast<unsigned>(MoveInterval(settings).count()));
    Win32BitmapLoader loader;
    LoadGraphicsBitmaps(settings, pictures_, loader);
}

void TForm1::vekScreenSaver1WriteRegistry(void*, RegistryKey& Registry, const std::string&) {
    WriteSettings(Registry, options_.Settings, pages_->SelectedLanguagePosition(), pages_->SelectedLanguageName());
}

void TForm1::vekScreenSaver1Timer(HWND Sender, HDC Canvas) {
    RECT r{};
    GetWindowRect(Sender, &r);
    GdiCanvas canvas(Canvas, &gdiCache_);
    const auto delay = static_cast<unsigned>(replay_->Tick(canvas, r.right - r.left, r.bottom - r.top).count());
    // The timer waits as long as the replay asks; it is off while this runs.
    if (delay != screenSaver_->Interval()) screenSaver_->SetInterval(delay);
}

}  // namespace senvola::app
