#include "OptionsDialog.h"

#include <commctrl.h>

#include <stdexcept>

#include "path_win32.h"
#include "vekVersionInfo.h"

namespace vek {

int gMenuAnswerForTests = -1;

namespace {

constexpr const char* kDialogClass = "vekOptionsDialog";
constexpr int kClientWidth = 411;
constexpr int kButtonRow = 34;

void RegisterDialogClass(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    RegisterPageControlClasses(instance);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;  // replaced by the instance's procedure at creation
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kDialogClass;
    wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    RegisterClassA(&wc);
    done = true;
}

}  // namespace

TApplication& Application() {
    static TApplication app;
    return app;
}

std::string ApplicationTitle() {
    if (!Application().Title.empty()) return Application().Title;
    // Only for the caption: a character the system code page lacks may show as a look-alike.
    std::string path = senvola::AnsiFromWide(senvola::ProgramFile());
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool ApplicationHelp(HWND window, UINT command, ULONG_PTR data) {
    const TApplication& app = Application();
    if (app.HelpFile.empty()) return false;
    if (app.HelpEngine)
        app.HelpEngine(window, app.HelpFile, command, data);
    else
        WinHelpA(window, app.HelpFile.c_str(), command, data);
    return true;
}

TfrmOptionsDialog::TfrmOptionsDialog(HWND owner, int clientHeight, int pagesHeight,
                                     const std::string& heading)
    : owner_(owner) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    RegisterDialogClass(inst);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT;
    RECT r{0, 0, kClientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    handle_ = CreateWindowExA(exStyle, kDialogClass, "Options", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              r.right - r.left, r.bottom - r.top, owner, nullptr, inst, nullptr);
    if (!handle_) throw std::runtime_error("Cannot create the options dialog");
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    SetHelpContext(handle_, 10);

    whatsThisBar_ = CreatePopupMenu();
    whatsThis_ = CreatePopupMenu();
    AppendMenuA(whatsThis_, MF_STRING, idmWhatsThis, "&What's This?");
    AppendMenuA(whatsThisBar_, MF_POPUP, reinterpret_cast<UINT_PTR>(whatsThis_), "");
    SetPopupMenu(handle_, whatsThis_);

    pages_ = std::make_unique<TPageControl>(handle_, 5, 5, kClientWidth - 10, pagesHeight,
                                            idcOptionsPages);
    SetPopupMenu(pages_->Handle(), whatsThis_);
    general_ = &pages_->AddPage("General");
    SetRightClickSearch(general_->Handle(), true);
    HWND h = CreateControl(general_->Handle(), "STATIC", heading, WS_VISIBLE | SS_LEFT, 8, 8, 360,
                           16, idcGeneralHeading);
    SetGraphicControl(h, true);
    h = CreateControl(general_->Handle(), "STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ, 8, 24, 377, 2,
                      idcGeneralRule);
    SetGraphicControl(h, true);

    const int rowTop = clientHeight - kButtonRow;
    ok_ = CreateControl(handle_, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                        kClientWidth - 160, rowTop + 5, 75, 25, IDOK);
    SetHelpContext(ok_, 10);
    SetPopupMenu(ok_, whatsThis_);
    cancel_ = CreateControl(handle_, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                            kClientWidth - 80, rowTop + 5, 75, 25, IDCANCEL);
    SetHelpContext(cancel_, 2);
    SetPopupMenu(cancel_, whatsThis_);

    pages_->SetActivePage(general_);
}

TfrmOptionsDialog::~TfrmOptionsDialog() {
    // Pages first: their windows go with the dialog's.
    pages_.reset();
    if (IsWindow(handle_)) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
    if (whatsThisBar_) DestroyMenu(whatsThisBar_);  // takes the "What's This?" menu with it
}

std::string TfrmOptionsDialog::Caption() const {
    char buf[512] = {};
    GetWindowTextA(handle_, buf, sizeof buf);
    return buf;
}

void TfrmOptionsDialog::SetCaption(const std::string& caption) {
    SetWindowTextA(handle_, caption.c_str());
}

void TfrmOptionsDialog::SetPosition(int left, int top) {
    SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    positioned_ = true;
}

void TfrmOptionsDialog::CentreOnScreen() {
    RECT r;
    GetWindowRect(handle_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetPosition((GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
}

void TfrmOptionsDialog::CloseWith(int result) { modalResult_ = result; }

int TfrmOptionsDialog::ShowModal() {
    if (!positioned_) CentreOnScreen();
    // The application's own window keeps no taskbar button while the dialog runs.
    if (Application().Handle && IsWindow(Application().Handle))
        ShowWindow(Application().Handle, SW_HIDE);
    modalResult_ = 0;
    DoShow();
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled) EnableWindow(owner_, FALSE);
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    SetFocus(ok_);
    MSG msg;
    bool quit = false;
    WPARAM quitCode = 0;
    while (modalResult_ == 0) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            quitCode = msg.wParam;
            modalResult_ = IDCANCEL;
            break;
        }
        if (got < 0) {
            modalResult_ = IDCANCEL;
            break;
        }
        if (!IsDialogMessageA(handle_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (ownerWasEnabled) EnableWindow(owner_, TRUE);
    ShowWindow(handle_, SW_HIDE);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return modalResult_;
}

int TfrmOptionsDialog::HelpTopic(HWND control) {
    return IsGraphicControl(control) ? Tag(control) : HelpContext(control);
}

void TfrmOptionsDialog::PrepareForContextHelp(HWND control) {
    if (!IsGraphicControl(control)) {
        SetRightClickSearch(control, true);
        for (HWND c = GetWindow(control, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            PrepareForContextHelp(c);
    }
    if (HelpTopic(control) > 10) SetPopupMenu(control, whatsThis_);
}

int TfrmOptionsDialog::TrackMenu(HMENU menu, POINT screen) {
    if (gMenuAnswerForTests >= 0) {
        int answer = gMenuAnswerForTests;
        gMenuAnswerForTests = -1;
        return answer;
    }
    return static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                           screen.x, screen.y, 0, handle_, nullptr));
}

void TfrmOptionsDialog::PopupWhatsThis(HWND control, POINT screen) {
    HMENU menu = PopupMenu(control);
    if (!menu) return;
    if (menu == whatsThis_) {
        if (TrackMenu(menu, screen) == idmWhatsThis) WhatsThis(control);
    } else {
        TrackMenu(menu, screen);
    }
}

void TfrmOptionsDialog::WhatsThis(HWND control) {
    ApplicationHelp(handle_, HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(HelpTopic(control)));
}

void TfrmOptionsDialog::ContextHelp(HWND clicked) {
    HWND c = clicked;
    while (c && HelpContext(c) == 0) c = (c == handle_) ? nullptr : GetParent(c);
    if (!c) return;
    RECT r;
    GetWindowRect(c, &r);
    if (Application().HelpFile.empty()) return;
    ApplicationHelp(handle_, HELP_SETPOPUP_POS, static_cast<ULONG_PTR>(MAKELONG(r.left, r.top)));
    ApplicationHelp(handle_, HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(HelpContext(c)));
}

bool TfrmOptionsDialog::HandleControlMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

LRESULT CALLBACK TfrmOptionsDialog::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TfrmOptionsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT TfrmOptionsDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: {
        const HWND from = reinterpret_cast<HWND>(lParam);
        const int id = LOWORD(wParam);
        // From the buttons themselves, or from the keyboard (Enter, Escape).
        if (id == IDOK && (from == ok_ || from == nullptr)) {
            if (IsWindowEnabled(ok_)) {
                DoOK();
                CloseWith(IDOK);
            }
            return 0;
        }
        if (id == IDCANCEL && (from == cancel_ || from == nullptr)) {
            CloseWith(IDCANCEL);
            return 0;
        }
        if (from) {
            LRESULT result = 0;
            if (TControlSink* sink = ControlSink(from))
                if (sink->HandleControlMessage(from, msg, wParam, lParam, result)) return result;
        }
        return 0;
    }
    case WM_CLOSE:
        CloseWith(IDCANCEL);
        return 0;
    case WM_VEK_POPUP: {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        PopupWhatsThis(reinterpret_cast<HWND>(wParam), pt);
        return 0;
    }
    case WM_CONTEXTMENU: {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (!PopupMenu(target)) target = handle_;
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        PopupWhatsThis(target, pt);
        return 0;
    }
    case WM_HELP: {
        auto* info = reinterpret_cast<HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW)
            ContextHelp(static_cast<HWND>(info->hItemHandle));
        return TRUE;
    }
    default:
        break;
    }
    return DefWindowProcA(handle_, msg, wParam, lParam);
}

}  // namespace vek
