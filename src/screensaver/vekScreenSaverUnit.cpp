#include "vekScreenSaverUnit.h"

#include <shellapi.h>
#include <windowsx.h>

#include <cctype>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "vekPageControl.h"
#include "vekResources.h"
#include "vekVersionInfo.h"

namespace vek {

namespace {

constexpr UINT kClassStyles = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;  // 0x80B
constexpr UINT_PTR kTickTimer = 1;
constexpr const char* kTimerClassName = "TvekScreenSaverTimer";

// The window under construction, until its first message hands it over: windows of this unit
// are created without a creation parameter.
thread_local TfrmDrawingWindow* g_creating = nullptr;

// A text of the program's string table, or the same text built in.
std::string ResString(UINT id, const char* builtIn) {
    char buffer[512];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, n) : std::string(builtIn);
}

void RegisterWindowClass(const char* name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = kClassStyles;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = nullptr;  // no pointer over the saver
    wc.hbrBackground = nullptr;
    wc.lpszClassName = name;
    RegisterClassExA(&wc);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Releases a window DC at the end of a scope.
struct WindowDc {
    HWND hwnd;
    HDC dc;
    explicit WindowDc(HWND h) : hwnd(h), dc(GetDC(h)) {}
    ~WindowDc() {
        if (dc) ReleaseDC(hwnd, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDc() {
        if (dc) DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

// The settings key of a user who has none yet: saver and preview read their defaults from it
// and leave the registry as they found it.
class TMissingKey final : public senvola::RegistryKey {
public:
    bool ValueExists(const std::string&) const override { return false; }
    std::optional<int32_t> ReadInteger(const std::string&) const override { return std::nullopt; }
    std::optional<std::string> ReadString(const std::string&) const override { return std::nullopt; }
    bool WriteInteger(const std::string&, int32_t) override { return false; }
    bool WriteString(const std::string&, const std::string&) override { return false; }
};

bool IsClass(HWND window, const char* name) {
    char buffer[64] = "";
    return GetClassNameA(window, buffer, sizeof buffer) > 0 && lstrcmpiA(buffer, name) == 0;
}

}  // namespace

std::optional<long long> ParseDecimal(const std::string& text) {
    // Digits with an optional sign, nothing else.
    if (text.empty()) return std::nullopt;
    const std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size() || text.size() - i > 18) return std::nullopt;
    for (std::size_t j = i; j < text.size(); ++j)
        if (!std::isdigit(static_cast<unsigned char>(text[j]))) return std::nullopt;
    return std::strtoll(text.c_str(), nullptr, 10);
}

// ---------------------------------------------------------------------------------------------
// Command line and version resource

std::vector<std::string> CommandLineParameters() {
    std::vector<std::string> params;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return params;
    for (int i = 1; i < argc; ++i) {
        const int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string s(n > 0 ? n - 1 : 0, '\0');
        if (n > 1) WideCharToMultiByte(CP_ACP, 0, argv[i], -1, s.data(), n, nullptr, nullptr);
        params.push_back(std::move(s));
    }
    LocalFree(argv);
    return params;
}

std::optional<HWND> ParseWindowHandle(const std::string& text) {
    // Hosts pass the handle as a 32-bit number, in decimal.
    const std::optional<long long> v = ParseDecimal(text);
    if (!v || *v < INT32_MIN || *v > static_cast<long long>(UINT32_MAX)) return std::nullopt;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<uint32_t>(*v)));
}

std::optional<TScreenSaverMode> ModeOfParameters(const std::vector<std::string>& params) {
    if (params.empty()) return smConfigure;
    const std::string first = Lower(params[0]);
    if (first.find('s') != std::string::npos) return smSaver;
    if (first.find('p') != std::string::npos) return smPreview;
    if (first.find('c') != std::string::npos) return smConfigure;
    return std::nullopt;
}

bool UsablePreviewParent(HWND window) {
    if (!window || !IsWindow(window)) return false;
    // The desktop, and the shell's windows that cover it, would take a preview the size of the
    // screen that no host ever closes.
    const HWND desktop = GetDesktopWindow();
    if (window == desktop) return false;
    const HWND root = GetAncestor(window, GA_ROOT);
    if (!root) return false;
    // A message-only window has no place on the screen to show a child in.
    if (GetAncestor(root, GA_PARENT) != desktop) return false;
    if (root == GetShellWindow() || IsClass(root, "Progman") || IsClass(root, "WorkerW")) return false;
    return true;
}

std::string ReadOwnVersionString(const char* name) { return TvekVersionInfo().StringValue(name); }

// ---------------------------------------------------------------------------------------------
// Drawing windows

TfrmDrawingWindow::~TfrmDrawingWindow() {
    if (handle_ && IsWindow(handle_)) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TfrmDrawingWindow::Create(const char* className, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                               HWND parent) {
    RegisterWindowClass(className, &TfrmDrawingWindow::WindowProc);
    g_creating = this;
    handle_ = CreateWindowExA(exStyle, className, "", style, x, y, w, h, parent, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
    g_creating = nullptr;
    if (!handle_) throw std::runtime_error("Cannot create the screensaver window");
}

LRESULT CALLBACK TfrmDrawingWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TfrmDrawingWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self && g_creating) {
        self = g_creating;
        self->handle_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        const LRESULT r = self->HandleMessage(msg, wp, lp);
        self->handle_ = nullptr;
        return r;
    }
    return self->HandleMessage(msg, wp, lp);
}

void TfrmDrawingWindow::SetColor(COLORREF c) {
    color_ = c;
    if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TfrmDrawingWindow::SetBackground(TInitialState state, HBITMAP snapshot) {
    background_ = state;
    snapshot_ = snapshot;
}

void TfrmDrawingWindow::Show() {
    ShowWindow(handle_, SW_SHOWNORMAL);
    // Paint the prepared background now, so that it cannot wipe the first tick's drawing.
    UpdateWindow(handle_);
}

void TfrmDrawingWindow::EraseBackground(HDC dc) {
    RECT r;
    GetClientRect(handle_, &r);
    if (background_ == isWallpaper && PaintDesktop(dc)) return;
    if (background_ == isDesktop && snapshot_) {
        MemoryDc mem(dc);
        if (mem.dc) {
            BITMAP bm{};
            GetObjectA(snapshot_, sizeof bm, &bm);
            HGDIOBJ old = SelectObject(mem.dc, snapshot_);
            // Stretched into the window, then once unscaled: on the full screen both cover the
            // same pixels, in the preview the unscaled copy covers the stretched one.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, mem.dc, 0, 0, bm.bmWidth, bm.bmHeight,
                       SRCCOPY);
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.dc, 0, 0, SRCCOPY);
            SelectObject(mem.dc, old);
            return;
        }
    }
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(color_));
    FillRect(dc, &r, brush.get());
}

LRESULT TfrmDrawingWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wp));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(handle_, &ps);
        EndPaint(handle_, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(handle_, msg, wp, lp);
    }
}

// ---------------------------------------------------------------------------------------------
// Full-screen window

TfrmWindowsScreenSaver::TfrmWindowsScreenSaver(TvekScreenSaver& owner, HWND applicationWindow)
    : TfrmDrawingWindow(owner),
      applicationWindow_(applicationWindow),
      dismissal_(*this, TDismissal::Clock::now()) {
    Create(ClassName, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0,
           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), applicationWindow);
    SetColor(RGB(0, 0, 0));
}

void TfrmWindowsScreenSaver::SetDismissalSettings(int32_t threshold, int32_t delay, int32_t unit) {
    dismissal_.SetMouseThreshold(threshold);
    dismissal_.SetPasswordDelay(delay, unit);
}

void TfrmWindowsScreenSaver::RequestClose() {
    if (!dismissal_.CloseRequest(TDismissal::Clock::now())) return;
    owner_.NotifyClose(handle_);
    PostQuitMessage(0);
    ShowWindow(handle_, SW_HIDE);
}

void TfrmWindowsScreenSaver::ShowError(const std::string& message) noexcept {
    try {
        RECT r;
        if (!handle_ || !GetClientRect(handle_, &r)) return;
        WindowDc window(handle_);
        if (!window.dc) return;
        MemoryDc mem(window.dc);
        TGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(window.dc, r.right, r.bottom));
        if (!mem.dc || !bitmap.get()) return;
        HGDIOBJ oldBitmap = SelectObject(mem.dc, bitmap.get());
        // A fresh picture is black; the text goes on in black on its own white background.
        FillRect(mem.dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(12, GetDeviceCaps(mem.dc, LOGPIXELSY), 72);
        lf.lfCharSet = DEFAULT_CHARSET;
        lstrcpynA(lf.lfFaceName, "MS Sans Serif", LF_FACESIZE);
        TGdiHandle<HFONT> font(CreateFontIndirectA(&lf));
        HGDIOBJ oldFont = SelectObject(mem.dc, font.get());
        SetTextColor(mem.dc, RGB(0, 0, 0));
        SetBkColor(mem.dc, RGB(255, 255, 255));
        SetBkMode(mem.dc, OPAQUE);
        TextOutA(mem.dc, 0, 0, message.c_str(), static_cast<int>(message.size()));
        BitBlt(window.dc, 0, 0, r.right, r.bottom, mem.dc, 0, 0, SRCCOPY);
        SelectObject(mem.dc, oldFont);
        SelectObject(mem.dc, oldBitmap);
    } catch (...) {
        // The error handler itself never fails.
    }
}

LRESULT TfrmWindowsScreenSaver::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_SYSCOMMAND: {
        // No system command is carried out; the screensaver and close commands are answered.
        const UINT cmd = static_cast<UINT>(wp & 0xFFF0);
        return (cmd == SC_SCREENSAVE || cmd == SC_CLOSE) ? 1 : 0;
    }
    case WM_SHOWWINDOW:
        if (wp && applicationWindow_)
            SetWindowPos(applicationWindow_, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return DefWindowProcA(handle_, msg, wp, lp);
    case WM_MOUSEMOVE:
        if (dismissal_.MouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) RequestClose();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (dismissal_.MouseDown()) RequestClose();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (dismissal_.Key()) RequestClose();
        return 0;
    case WM_CLOSE:
        RequestClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return TfrmDrawingWindow::HandleMessage(msg, wp, lp);
    }
}

bool TfrmWindowsScreenSaver::PasswordSwitchedOn() {
    auto key = owner_.Registry().OpenKey(ResString(IDS_VEK_CONTROL_PANEL_DESKTOP, "Control Panel\\Desktop"), false);
    if (!key) return false;
    const std::string name = ResString(IDS_VEK_SCREENSAVEUSEPASSWORD, "ScreenSaveUsePassword");
    if (auto v = key->ReadInteger(name)) return *v != 0;
    // Hosts of the NT line keep the switch as the text "0" or "1".
    if (auto text = key->ReadString(name)) {
        const auto v = ParseDecimal(*text);
        return v && *v != 0;
    }
    return false;
}

void TfrmWindowsScreenSaver::ShowPointer(bool show) { ShowCursor(show ? TRUE : FALSE); }

TPasswordVerdict TfrmWindowsScreenSaver::VerifyPassword() {
    char dir[260];
    const UINT n = GetSystemDirectoryA(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir) return TPasswordVerdict::NoLibrary;
    const std::string path = std::string(dir) + "\\" + ResString(IDS_VEK_PASSWORD_CPL, "Password.cpl");
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) return TPasswordVerdict::NoLibrary;
    struct Library {
        HMODULE h;
        ~Library() { FreeLibrary(h); }
    } guard{library};
    using Verify = BOOL(WINAPI*)(HWND);
    const std::string entry = ResString(IDS_VEK_VERIFYSCREENSAVEPWD, "VerifyScreenSavePwd");
    auto verify = reinterpret_cast<Verify>(reinterpret_cast<void*>(GetProcAddress(library, entry.c_str())));
    // A library without the entry point cannot protect anything.
    if (!verify) return TPasswordVerdict::NoLibrary;
    return verify(handle_) == 1 ? TPasswordVerdict::Accepted : TPasswordVerdict::Refused;
}

// ---------------------------------------------------------------------------------------------
// Preview window

TfrmScreenSaverPreview::TfrmScreenSaverPreview(TvekScreenSaver& owner, HWND parent, int width, int height)
    : TfrmDrawingWindow(owner), parent_(parent) {
    Create(ClassName, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_TOPMOST, 0, 0, width, height, parent);
    SetColor(RGB(0, 0, 0));
}

LRESULT TfrmScreenSaverPreview::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CLOSE:
        PostQuitMessage(0);
        DestroyWindow(handle_);
        return 0;
    case WM_DESTROY:
        // The host destroys its preview area with us in it: the preview is over.
        PostQuitMessage(0);
        return 0;
    default:
        return TfrmDrawingWindow::HandleMessage(msg, wp, lp);
    }
}

// ---------------------------------------------------------------------------------------------
// Component

TvekScreenSaver::TvekScreenSaver(senvola::Registry& registry, HWND applicationWindow)
    : registry_(registry), applicationWindow_(applicationWindow) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), kTimerClassName, &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TvekScreenSaver::TimerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kTimerClassName;
        RegisterClassExA(&wc);
    }
    timerWindow_ = CreateWindowExA(0, kTimerClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (timerWindow_) SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TvekScreenSaver::~TvekScreenSaver() {
    SetTimerEnabled(false);
    saver_.reset();
    preview_.reset();
    if (timerWindow_) {
        SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, 0);
        DestroyWindow(timerWindow_);
    }
}

LRESULT CALLBACK TvekScreenSaver::TimerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TvekScreenSaver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_TIMER && wp == kTickTimer && self) {
        self->Tick();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void TvekScreenSaver::SetTimerEnabled(bool on) {
    if (!timerWindow_) return;
    if (on)
        SetTimer(timerWindow_, kTickTimer, interval_, nullptr);
    else
        KillTimer(timerWindow_, kTickTimer);
    timerEnabled_ = on;
}

void TvekScreenSaver::SetInterval(unsigned ms) {
    interval_ = ms;
    if (timerEnabled_) SetTimerEnabled(true);  // restarts the period
}

void TvekScreenSaver::SetOptionsPages(TPageControl* pages) {
    optionsPages_ = pages;
    if (!pages || !pages->Handle()) return;
    RECT r{};
    GetWindowRect(pages->Handle(), &r);
    POINT topLeft{r.left, r.top};
    if (HWND parent = GetParent(pages->Handle())) ScreenToClient(parent, &topLeft);
    pages->SetBounds(topLeft.x, topLeft.y, 401, 377);
}

HWND TvekScreenSaver::DrawingWindow() const {
    if (saver_) return saver_->Handle();
    if (preview_) return preview_->Handle();
    return nullptr;
}

void TvekScreenSaver::Execute() { Execute(CommandLineParameters()); }

void TvekScreenSaver::Execute(const std::vector<std::string>& params) {
    const std::optional<TScreenSaverMode> mode = ModeOfParameters(params);
    if (!mode) {
        // No mode (for example the host's password-change request /a): nothing to do.
        PostQuitMessage(0);
        return;
    }
    switch (*mode) {
    case smSaver:
        RunSaver();
        break;
    case smPreview: {
        const std::optional<HWND> parent = params.size() > 1 ? ParseWindowHandle(params[1]) : std::nullopt;
        if (!parent || !UsablePreviewParent(*parent)) {
            // No host window to draw in: nothing to show.
            PostQuitMessage(1);
            return;
        }
        RunPreview(*parent);
        break;
    }
    case smConfigure:
        // Without parameters the dialog stands free; "/c" puts it over the host's window.
        RunConfiguration(!params.empty());
        break;
    }
}

std::string TvekScreenSaver::SettingsKey() const {
    return ApplicationKey.empty() ? OwnApplicationKey(FallbackApplicationKey) : ApplicationKey;
}

void TvekScreenSaver::ReadSettings() {
    mouseThreshold_ = 200;
    passwordDelayUnit_ = 1;
    passwordDelay_ = 0;
    if (auto key = registry_.OpenKey(
            ResString(IDS_VEK_SCREEN_SAVERS_KEY, "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers"),
            false)) {
        if (auto v = key->ReadInteger("Mouse Threshold")) mouseThreshold_ = *v;
        if (auto v = key->ReadInteger("Password Delay Index")) passwordDelayUnit_ = *v;
        if (auto v = key->ReadInteger("Password Delay")) {
            // Stored in seconds; kept in the unit of the index.
            if (passwordDelayUnit_ == 0)
                passwordDelay_ = *v;
            else if (passwordDelayUnit_ == 1)
                passwordDelay_ = *v / 60;
        }
    }
    const std::string path = SettingsKey();
    if (path.empty()) return;
    // Opened, never created: saver and preview write nothing. A missing key reads as one
    // without values, so the application still sets itself up from its defaults.
    std::unique_ptr<senvola::RegistryKey> key = registry_.OpenKey(path, false);
    if (!key && !registry_.KeyExists(path)) key = std::make_unique<TMissingKey>();
    if (!key) return;
    openedKey_ = path;
    if (OnReadRegistry) OnReadRegistry(this, *key, path);
}

void TvekScreenSaver::TakeSnapshot() {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (!screen) return;
    struct ScreenDc {
        HDC dc;
        ~ScreenDc() { DeleteDC(dc); }
    } screenGuard{screen};
    MemoryDc mem(screen);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    TGdiHandle<HBITMAP> bitmap(CreateCompatibleBitmap(screen, w, h));
    if (!mem.dc || !bitmap.get()) return;
    HGDIOBJ old = SelectObject(mem.dc, bitmap.get());
    BitBlt(mem.dc, 0, 0, w, h, screen, 0, 0, SRCCOPY);
    SelectObject(mem.dc, old);
    snapshot_ = std::move(bitmap);
}

void TvekScreenSaver::RunSaver() {
    mode_ = smSaver;
    modeChosen_ = true;
    ReadSettings();
    saver_ = std::make_unique<TfrmWindowsScreenSaver>(*this, applicationWindow_);
    saver_->SetDismissalSettings(mouseThreshold_, passwordDelay_, passwordDelayUnit_);
    // The snapshot serves only the desktop picture; a plain colour does without it.
    if (InitialState == isDesktop) TakeSnapshot();
    if (InitialState == isColor) saver_->SetColor(Color);
    saver_->SetBackground(InitialState, snapshot_.get());
    saver_->Show();
    Tick();  // at once; its restart starts the period
}

void TvekScreenSaver::RunPreview(HWND parent) {
    mode_ = smPreview;
    modeChosen_ = true;
    ReadSettings();
    RECT r;
    GetWindowRect(parent, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
    preview_ = std::make_unique<TfrmScreenSaverPreview>(*this, parent, bottomRight.x, bottomRight.y);
    if (InitialState == isDesktop) TakeSnapshot();
    if (InitialState == isColor) preview_->SetColor(Color);
    preview_->SetBackground(InitialState, snapshot_.get());
    preview_->Show();
    SetTimerEnabled(true);  // the first tick one interval from now
}

void TvekScreenSaver::RunConfiguration(bool parented) {
    mode_ = smConfigure;
    modeChosen_ = true;
    HWND foreground = parented ? GetForegroundWindow() : nullptr;
    if (foreground) EnableWindow(foreground, FALSE);
    TOptionsDialogSetup setup;
    setup.ForegroundOwner = foreground;
    setup.Parented = foreground != nullptr;
    setup.ShowGeneral = (OptionsTabs & dtGeneral) != 0;
    setup.AboutBox = (OptionsTabs & dtAbout) ? aboutBox_ : nullptr;
    setup.OptionsPages = optionsPages_;
    setup.OnReadRegistry = OnReadRegistry;
    setup.OnWriteRegistry = OnWriteRegistry;
    setup.Registry = &registry_;
    setup.ApplicationKey = SettingsKey();
    setup.Title = Title;
    try {
        ShowScreenSaverOptions(setup);
    } catch (...) {
        // Whatever escapes the dialog, the host window comes back and the program ends.
    }
    if (foreground) EnableWindow(foreground, TRUE);
    PostQuitMessage(0);
}

void TvekScreenSaver::Tick() {
    SetTimerEnabled(false);
    if (preview_ && !IsWindow(preview_->Parent())) {
        // The host has destroyed its preview area: the preview ends here, without a restart.
        if (preview_->Handle()) DestroyWindow(preview_->Handle());
        PostQuitMessage(0);
        return;
    }
    const HWND window = DrawingWindow();
    if (OnTimer && window) {
        WindowDc dc(window);
        try {
            OnTimer(window, dc.dc);
        } catch (const std::exception& e) {
            if (saver_) saver_->ShowError(e.what());
        } catch (...) {
            if (saver_) saver_->ShowError(ResString(IDS_VEK_UNKNOWN_ERROR, "Unknown error"));
        }
    }
    SetTimerEnabled(true);
}

void TvekScreenSaver::NotifyClose(HWND sender) {
    SetTimerEnabled(false);
    if (OnScreenSaverClose) OnScreenSaverClose(sender, mode_);
}

}  // namespace vek
