#include "saverkit/saver_host.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "saverkit/command_line.h"
#include "saverkit/monitors.h"
#include "saverkit/options_dialog.h"
#include "saverkit/resource_ids.h"
#include "saverkit/resource_text.h"
#include "saverkit/version_info.h"
#include "win32/path_win32.h"
#include "win32/window_class.h"

namespace saverkit {

namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr const char* kTimerClassName = "TvekScreenSaverTimer";

// The settings key of a user who has none yet: saver and preview read their defaults from it and
// leave the registry as they found it.
class MissingKey final : public senvola::RegistryKey {
public:
    bool ValueExists(const std::string&) const override { return false; }
    std::optional<int32_t> ReadInteger(const std::string&) const override { return std::nullopt; }
    std::optional<std::string> ReadString(const std::string&) const override { return std::nullopt; }
    bool WriteInteger(const std::string&, int32_t) override { return false; }
    bool WriteString(const std::string&, const std::string&) override { return false; }
};

// The program file's name without directory and extension, in UTF-8.
std::string ProgramName() {
    const std::string path = senvola::Utf8FromWide(senvola::ProgramFile());
    const std::size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

SaverHost::SaverHost(SaverHooks& hooks, senvola::Registry& registry, Options options)
    : hooks_(hooks), registry_(registry), options_(std::move(options)) {
    const std::wstring timerClass = senvola::WideFromUtf8(kTimerClassName);
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &SaverHost::TimerProc;
    wc.lpszClassName = timerClass.c_str();
    senvola::EnsureWindowClass(wc);
    timerWindow_ = CreateWindowExW(0, timerClass.c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (timerWindow_) SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

SaverHost::~SaverHost() {
    StopTimer();
    saver_.reset();
    preview_.reset();
    if (timerWindow_) {
        SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, 0);
        DestroyWindow(timerWindow_);
    }
}

LRESULT CALLBACK SaverHost::TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<SaverHost*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_TIMER && wp == kFrameTimer && self) {
        self->Tick();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void SaverHost::ArmTimer() {
    if (!timerWindow_) return;
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(delay_.count(), 0, USER_TIMER_MAXIMUM);
    SetTimer(timerWindow_, kFrameTimer, static_cast<UINT>(ms), nullptr);
    timerArmed_ = true;
}

void SaverHost::StopTimer() {
    if (!timerWindow_) return;
    KillTimer(timerWindow_, kFrameTimer);
    timerArmed_ = false;
}

HWND SaverHost::DrawingWindowHandle() const {
    if (saver_) return saver_->Handle();
    if (preview_) return preview_->Handle();
    return nullptr;
}

void SaverHost::Run(const std::vector<std::string>& params) {
    const std::optional<Mode> mode = ModeOfParameters(params);
    if (!mode) {
        // No mode (the host's password-change request /a, say): nothing to do.
        PostQuitMessage(0);
        return;
    }
    switch (*mode) {
    case Mode::Saver:
        RunSaver();
        break;
    case Mode::Preview: {
        const std::optional<HWND> parent = params.size() > 1 ? ParseWindowHandle(params[1]) : std::nullopt;
        if (!parent || !UsablePreviewParent(*parent)) {
            // No host window to draw in: nothing to show.
            PostQuitMessage(1);
            return;
        }
        RunPreview(*parent);
        break;
    }
    case Mode::Configure:
        // Without parameters the dialog stands free; "/c" puts it over the host's window.
        RunConfiguration(!params.empty());
        break;
    }
}

std::string SaverHost::SettingsKey() const { return OwnApplicationKey(options_.fallbackKey); }

void SaverHost::ReadSettings() {
    dismissal_ = ReadDismissalSettings(registry_);
    if (const std::string path = SettingsKey(); !path.empty()) {
        // Opened, never created: saver and preview write nothing. A missing key reads as one
        // without values, so that the application still sets itself up from its defaults.
        std::unique_ptr<senvola::RegistryKey> key = registry_.OpenKey(path, false);
        if (!key && !registry_.KeyExists(path)) key = std::make_unique<MissingKey>();
        if (key) {
            openedKey_ = path;
            hooks_.LoadSettings(*key, mode_);
        }
    }
    delay_ = hooks_.FirstFrameDelay();
}

void SaverHost::TakeSnapshot() {
    const senvola::UniqueDc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    if (!screen) return;
    const senvola::UniqueDc memory(CreateCompatibleDC(screen.get()));
    // The whole virtual screen, as the saver's window covers it; the DISPLAY DC's origin is the
    // primary monitor's corner.
    const RECT area = VirtualScreen();
    const int w = area.right - area.left, h = area.bottom - area.top;
    senvola::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), w, h));
    if (!memory || !bitmap) return;
    {
        const senvola::ScopedSelectObject select(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, w, h, screen.get(), area.left, area.top, SRCCOPY);
    }
    snapshot_ = std::move(bitmap);
}

void SaverHost::Prepare(DrawingWindow& window) {
    // The snapshot serves only the desktop picture; a plain colour does without it.
    if (options_.background == Background::Desktop) TakeSnapshot();
    if (options_.background == Background::Colour) window.SetColour(options_.colour);
    window.SetBackground(options_.background, snapshot_.get());
    window.SetPainter([this, &window](HDC dc) { hooks_.RepaintFrame(window.Handle(), dc); });
}

void SaverHost::RunSaver() {
    mode_ = Mode::Saver;
    modeChosen_ = true;
    ReadSettings();
    saver_ = std::make_unique<FullscreenWindow>(registry_, options_.applicationWindow, [this] { SaverClosing(); });
    saver_->SetDismissalSettings(dismissal_);
    Prepare(*saver_);
    saver_->Show();
    Tick();  // at once; it arms the timer for the next
}

void SaverHost::RunPreview(HWND parent) {
    mode_ = Mode::Preview;
    modeChosen_ = true;
    ReadSettings();
    RECT r;
    GetWindowRect(parent, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
    preview_ = std::make_unique<PreviewWindow>(parent, bottomRight.x, bottomRight.y);
    Prepare(*preview_);
    preview_->Show();
    ArmTimer();  // the first frame one delay from now
}

void SaverHost::RunConfiguration(bool parented) {
    mode_ = Mode::Configure;
    modeChosen_ = true;
    HWND foreground = parented ? GetForegroundWindow() : nullptr;
    if (foreground) EnableWindow(foreground, FALSE);
    OptionsDialogSetup setup;
    setup.owner = foreground;
    setup.applicationWindow = options_.applicationWindow;
    setup.title = options_.title.empty() ? ProgramName() : options_.title;
    setup.applicationKey = SettingsKey();
    setup.generalPage = options_.generalPage;
    setup.aboutBox = options_.aboutBox;
    setup.optionPages = hooks_.OptionPages();
    setup.help = options_.help;
    try {
        ShowOptionsDialog(hooks_, registry_, setup);
    } catch (...) {
        // Whatever escapes the dialog, the host window comes back and the program ends.
    }
    if (foreground) EnableWindow(foreground, TRUE);
    PostQuitMessage(0);
}

void SaverHost::Tick() {
    StopTimer();
    if (preview_ && !IsWindow(preview_->Parent())) {
        // The host has destroyed its preview area: the preview ends here, without another frame.
        if (preview_->Handle()) DestroyWindow(preview_->Handle());
        PostQuitMessage(0);
        return;
    }
    if (const HWND window = DrawingWindowHandle()) {
        const senvola::ScopedGetDc dc(window);
        try {
            delay_ = hooks_.DrawFrame(window, dc.get());
        } catch (const std::exception& e) {
            if (saver_) saver_->ShowError(e.what());
        } catch (...) {
            if (saver_) saver_->ShowError(ResourceText(IDS_SAVERKIT_UNKNOWN_ERROR, "Unknown error"));
        }
    }
    ArmTimer();
}

void SaverHost::SaverClosing() {
    StopTimer();
    hooks_.SaverClosing();
}

}  // namespace saverkit
