#include "Unit1.h"

#include <algorithm>

#include "OptionsDialog.h"
#include "OptionsDialog.h"
#include "Unit1Pages.h"
#include "canvas_gdi.h"
#include "replay/replay_driver.h"
#include "settings/language.h"
#include "settings/settings_store.h"

namespace senvola::app {

const char* const kApplicationTitle = "Tavrel's Senvola";

namespace {
constexpr const char* kMainWindowClass = "TSenvolaApplication";
constexpr const char* kDefaultHelpFile = "c:\\program files\\senvola\\senvola.hlp";
}  // namespace

std::string ProgramDirectory() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    const auto slash = dir.find_last_of("\\/");
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash);
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return dir;
}

TForm1::TForm1(HINSTANCE instance) : instance_(instance), state_(std::make_unique<AppState>()) {
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
    pages_ = std::make_unique<TForm1Pages>(*state_, instance, handle_);
}

TForm1::~TForm1() {
    screenSaver_.reset();
    pages_.reset();
    if (handle_) DestroyWindow(handle_);
}

void TForm1::FormCreate() {
    ApplyDefaults(state_->Settings);
    EnsureSettingsKey(registry_);
    pages_->ActivateFirstPage();

    const std::string dir = ProgramDirectory();
    if (files_.FileExists(dir + "Senvola.hlp"))
        helpFile_ = dir + "Senvola.hlp";
    else if (files_.FileExists(kDefaultHelpFile))
        helpFile_ = kDefaultHelpFile;
    vek::Application().HelpFile = helpFile_;  // the framework's help requests and the help buttons
    languageFile_ = std::make_unique<Win32IniFile>(dir + "Senvola.ini");
    // The framework's dialogs take the title, the help file and the main window from here.
    vek::TApplication& application = vek::Application();
    application.Title = kApplicationTitle;
    application.HelpFile = helpFile_;
    application.Handle = handle_;

    InitReplay(*state_);

    vek::TvekScreenSaver& saver = *screenSaver_;
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
    ReplaySettings& settings = state_->Settings;
    ReadSettings(Registry, settings);
    LoadLanguageTable(state_->Language, *languageFile_, settings.Language);
    if (screenSaver_->Mode() == vek::smConfigure) pages_->FillPages(*languageFile_);
    const std::size_t speed = std::min<std::size_t>(settings.Speed, SpeedIntervals.size() - 1);
    screenSaver_->SetInterval(static_cast<unsigned>(SpeedIntervals[speed]));
    Win32BitmapLoader loader;
    LoadGraphicsBitmaps(settings, loader);
}

void TForm1::vekScreenSaver1WriteRegistry(void*, RegistryKey& Registry, const std::string&) {
    WriteSettings(Registry, state_->Settings, pages_->SelectedLanguagePosition(), pages_->SelectedLanguageName());
}

void TForm1::vekScreenSaver1Timer(HWND Sender, HDC Canvas) {
    RECT r{};
    GetWindowRect(Sender, &r);
    GdiCanvas canvas(Canvas, &gdiCache_);
    ReplayTick(*state_, canvas, files_, *languageFile_, r.right - r.left, r.bottom - r.top,
               static_cast<int>(screenSaver_->Interval()));
}

}  // namespace senvola::app
