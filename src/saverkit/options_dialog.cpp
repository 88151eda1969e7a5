#include "saverkit/options_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "saverkit/dialog_scale.h"
#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/window_class.h"
#include "win32/window_text.h"

namespace saverkit {

namespace {

// The class name tests find the dialog by.
constexpr const char* kDialogClass = "vekOptionsDialog";
constexpr int kClientWidth = 411;
constexpr int kClientHeight = 420;
constexpr int kPagesHeight = 376;
constexpr int kButtonRow = 34;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT;
// The application's pages take this size before they move in, the size they were designed for.
constexpr int kApplicationPagesWidth = 401, kApplicationPagesHeight = 377;

int TrackMenu(HWND owner, HMENU menu, POINT screen) {
    return static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screen.x, screen.y, 0, owner, nullptr));
}

}  // namespace

OptionsDialog::OptionsDialog(SaverHooks& hooks, senvola::Registry& registry, const OptionsDialogSetup& setup)
    : hooks_(hooks),
      registry_(registry),
      owner_(setup.owner),
      applicationWindow_(setup.applicationWindow),
      title_(setup.title),
      applicationKey_(setup.applicationKey),
      aboutBox_(setup.aboutBox),
      help_(setup.help) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = DefWindowProcW;  // replaced by the dialog's own procedure once it exists
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    const std::wstring className = senvola::WideFromUtf8(kDialogClass);
    wc.lpszClassName = className.c_str();
    wc.hIcon = LoadIcon(GetModuleHandleA(nullptr), MAKEINTRESOURCE(1));
    senvola::EnsureWindowClass(wc);
    RECT r{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    handle_ = CreateWindowExW(kExStyle, className.c_str(), L"Options", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              r.right - r.left, r.bottom - r.top, owner_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!handle_) throw std::runtime_error("Cannot create the options dialog");
    chooseFromMenu_ = [this](HMENU menu, POINT screen) { return TrackMenu(handle_, menu, screen); };
    SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The W call keeps the window Unicode (the A one would make it an ANSI window).
    SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    senvola::SetWindowTextUtf8(handle_, "Options for " + title_);
    SetHelpContext(handle_, 10);

    whatsThisBar_.reset(CreatePopupMenu());
    whatsThis_ = CreatePopupMenu();
    AppendMenuA(whatsThis_, MF_STRING, idmWhatsThis, "&What's This?");
    AppendMenuA(whatsThisBar_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(whatsThis_), "");
    SetPopupMenu(handle_, whatsThis_);

    pages_ = std::make_unique<TabPages>(handle_, 5, 5, kClientWidth - 10, kPagesHeight, idcOptionsPages);
    SetPopupMenu(pages_->Handle(), whatsThis_);
    generalTab_ = &pages_->AddPage("General");
    SetRightClickSearch(generalTab_->Handle(), true);
    HWND h = CreateControl(generalTab_->Handle(), "STATIC", "General screen saver options", WS_VISIBLE | SS_LEFT, 8, 8,
                           360, 16, idcGeneralHeading);
    SetGraphicControl(h, true);
    h = CreateControl(generalTab_->Handle(), "STATIC", "", WS_VISIBLE | SS_ETCHEDHORZ, 8, 24, 377, 2, idcGeneralRule);
    SetGraphicControl(h, true);

    const int rowTop = kClientHeight - kButtonRow;
    ok_ = CreateControl(handle_, "BUTTON", "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, kClientWidth - 160,
                        rowTop + 5, 75, 25, IDOK);
    SetHelpContext(ok_, 10);
    SetPopupMenu(ok_, whatsThis_);
    cancel_ = CreateControl(handle_, "BUTTON", "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kClientWidth - 80,
                            rowTop + 5, 75, 25, IDCANCEL);
    SetHelpContext(cancel_, 2);
    SetPopupMenu(cancel_, whatsThis_);

    general_ = std::make_unique<GeneralPage>(*this, *generalTab_);
    aboutTab_ = &pages_->AddPage("About");
    SetRightClickSearch(aboutTab_->Handle(), true);
    SetPopupMenu(aboutTab_->Handle(), whatsThis_);
    aboutTab_->SetTabVisible(false);
    pages_->SetActivePage(generalTab_);

    SetShowGeneral(setup.generalPage);
    SetShowAbout(aboutBox_ != nullptr);
    if (setup.optionPages) MergePages(*setup.optionPages);
    // Everything above is laid out in the design's pixels; the monitor's DPI scales it at once.
    ApplyDpi(WindowDpi(handle_));
}

void OptionsDialog::ApplyDpi(int dpi) {
    if (dpi == LayoutDpi(handle_)) return;
    ScaleWindowTree(handle_, dpi);
    // The frame the window has is the one Windows draws for the DPI it is at.
    RECT window{}, client{};
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    const int frameWidth = (window.right - window.left) - client.right;
    const int frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(handle_, nullptr, 0, 0, Scaled(handle_, kClientWidth) + frameWidth,
                 Scaled(handle_, kClientHeight) + frameHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitButtons();
}

OptionsDialog::~OptionsDialog() {
    // The pages first: their controls go with them, before what handles those controls.
    pages_.reset();
    general_.reset();
    if (IsWindow(handle_)) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

std::string OptionsDialog::Caption() const {
    return senvola::WindowTextUtf8(handle_);
}

void OptionsDialog::SetShowGeneral(bool show) { generalTab_->SetTabVisible(show); }

void OptionsDialog::SetShowAbout(bool show) {
    showAbout_ = show;
    aboutTab_->SetTabVisible(show);
}

void OptionsDialog::SetPosition(int left, int top) {
    SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    positioned_ = true;
}

void OptionsDialog::CentreOnScreen() {
    RECT r;
    GetWindowRect(handle_, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetPosition((GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
}

void OptionsDialog::MergePages(TabPages& application) {
    RECT r{};
    GetWindowRect(application.Handle(), &r);
    POINT topLeft{r.left, r.top};
    if (HWND parent = GetParent(application.Handle())) ScreenToClient(parent, &topLeft);
    application.SetBounds(topLeft.x, topLeft.y, kApplicationPagesWidth, kApplicationPagesHeight);
    TabPage* activate = nullptr;
    for (int i = application.PageCount() - 1; i >= 0; --i) {
        TabPage& source = application.Page(i);
        TabPage& page = pages_->InsertPage(1);
        // Four pages at most carry their controls over; any further one stays an empty tab.
        if (i <= 3) {
            page.SetProperties(source.Props());
            for (HWND child = GetWindow(source.Handle(), GW_CHILD); child;
                 child = GetWindow(source.Handle(), GW_CHILD)) {
                PrepareForContextHelp(child);
                SetParent(child, page.Handle());
                // The application's child order stays, and with it its tab order.
                SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            merged_.emplace_back(&source, &page);
        }
        if (application.ActivePage() == &source) activate = &page;
    }
    if (activate) pages_->SetActivePage(activate);
}

void OptionsDialog::Load() {
    general_->Load(registry_);
    if (applicationKey_.empty()) return;
    if (auto key = registry_.OpenKey(applicationKey_, false)) hooks_.LoadSettings(*key, Mode::Configure);
    const DialogTexts texts = hooks_.OptionsDialogTexts();
    if (!texts.caption.empty()) senvola::SetWindowTextUtf8(handle_, texts.caption);
    if (!texts.ok.empty()) SetControlText(ok_, texts.ok);
    if (!texts.cancel.empty()) SetControlText(cancel_, texts.cancel);
    FitButtons();
    for (auto& [source, page] : merged_)
        if (page->Caption() != source->Caption()) page->SetCaption(source->Caption());
}

void OptionsDialog::FitButtons() {
    // A word wider than the button ("キャンセル" in its fallback face) widens it; the pair stays
    // at the right edge, 5 pixels apart.
    auto needed = [](HWND button) {
        const std::wstring text = senvola::WideFromUtf8(senvola::WindowTextUtf8(button));
        const senvola::ScopedGetDc dc(button);
        const senvola::ScopedSelectObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
        RECT calc{};
        DrawTextW(dc.get(), text.c_str(), -1, &calc, DT_CALCRECT | DT_SINGLELINE);
        return std::max(Scaled(button, 75), static_cast<int>(calc.right) + Scaled(button, 16));
    };
    const int top = Scaled(handle_, kClientHeight - kButtonRow + 5), height = Scaled(handle_, 25);
    const int gap = Scaled(handle_, 5);
    const int cancelWidth = needed(cancel_), okWidth = needed(ok_);
    const int cancelLeft = Scaled(handle_, kClientWidth) - gap - cancelWidth;
    SetWindowPos(cancel_, nullptr, cancelLeft, top, cancelWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(ok_, nullptr, cancelLeft - gap - okWidth, top, okWidth, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void OptionsDialog::Save() {
    general_->Save(registry_);
    if (applicationKey_.empty()) return;
    if (auto key = registry_.OpenKey(applicationKey_, true)) hooks_.SaveSettings(*key);
}

int OptionsDialog::ShowModal() {
    // Placed over its owner, the dialog may have come to a monitor of another DPI.
    ApplyDpi(WindowDpi(handle_));
    if (!positioned_) CentreOnScreen();
    // The application's own window keeps no taskbar button while the dialog runs.
    if (applicationWindow_ && IsWindow(applicationWindow_)) ShowWindow(applicationWindow_, SW_HIDE);
    modalResult_ = 0;
    Load();
    if (showAbout_ && aboutBox_) aboutBox_->FillAboutPage(*aboutTab_, title_);
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled) EnableWindow(owner_, FALSE);
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    SetFocus(ok_);
    MSG msg;
    bool quit = false;
    WPARAM quitCode = 0;
    while (modalResult_ == 0) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
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
        if (SwitchesPage(msg)) continue;
        if (!IsDialogMessageW(handle_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (ownerWasEnabled) EnableWindow(owner_, TRUE);
    ShowWindow(handle_, SW_HIDE);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return modalResult_;
}

bool OptionsDialog::SwitchesPage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (GetKeyState(VK_CONTROL) & 0x8000) == 0) return false;
    if (msg.hwnd != handle_ && !IsChild(handle_, msg.hwnd)) return false;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    bool forward;
    if (msg.wParam == VK_TAB) forward = !shift;
    else if (msg.wParam == VK_NEXT) forward = true;
    else if (msg.wParam == VK_PRIOR) forward = false;
    else return false;
    pages_->SelectNextTab(forward);
    // The focus stays nowhere hidden: on the tab strip, as in the system's own property sheets.
    SetFocus(pages_->TabHandle());
    return true;
}

int OptionsDialog::HelpTopic(HWND control) { return IsGraphicControl(control) ? Tag(control) : HelpContext(control); }

void OptionsDialog::PrepareForContextHelp(HWND control) {
    if (!IsGraphicControl(control)) {
        SetRightClickSearch(control, true);
        for (HWND c = GetWindow(control, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) PrepareForContextHelp(c);
    }
    if (HelpTopic(control) > 10) SetPopupMenu(control, whatsThis_);
}

void OptionsDialog::PopupWhatsThis(HWND control, POINT screen) {
    HMENU menu = PopupMenu(control);
    if (!menu) return;
    if (ChooseFromMenu(menu, screen) == idmWhatsThis && menu == whatsThis_) WhatsThis(control);
}

bool OptionsDialog::ShowHelp(UINT command, ULONG_PTR data) const {
    return help_ && help_->Show(handle_, command, data);
}

void OptionsDialog::WhatsThis(HWND control) { ShowHelp(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(HelpTopic(control))); }

void OptionsDialog::ContextHelp(HWND clicked) {
    HWND c = clicked;
    while (c && HelpContext(c) == 0) c = (c == handle_) ? nullptr : GetParent(c);
    if (!c || !help_ || !help_->Available()) return;
    RECT r;
    GetWindowRect(c, &r);
    ShowHelp(HELP_SETPOPUP_POS, static_cast<ULONG_PTR>(MAKELONG(r.left, r.top)));
    ShowHelp(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(HelpContext(c)));
}

LRESULT CALLBACK OptionsDialog::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OptionsDialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    return self->HandleMessage(msg, wParam, lParam);
}

LRESULT OptionsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND: {
        const HWND from = reinterpret_cast<HWND>(lParam);
        const int id = LOWORD(wParam);
        // From the buttons themselves, or from the keyboard (Enter, Escape).
        if (id == IDOK && (from == ok_ || from == nullptr)) {
            if (IsWindowEnabled(ok_)) {
                Save();
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
            if (ControlSink* sink = GetControlSink(from))
                if (sink->HandleControlMessage(from, msg, wParam, lParam, result)) return result;
        }
        return 0;
    }
    case WM_CLOSE:
        CloseWith(IDCANCEL);
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI (or its scale changed): the controls follow, and the
        // window takes the place Windows suggests, which keeps it under the pointer.
        ScaleWindowTree(handle_, HIWORD(wParam));
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam))
            SetWindowPos(handle_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        FitButtons();
        return 0;
    }
    case kPopupMenuMessage: {
        const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        PopupWhatsThis(reinterpret_cast<HWND>(wParam), pt);
        return 0;
    }
    case WM_CONTEXTMENU: {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (!PopupMenu(target)) target = handle_;
        const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        PopupWhatsThis(target, pt);
        return 0;
    }
    case WM_HELP: {
        const auto* info = reinterpret_cast<HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW) ContextHelp(static_cast<HWND>(info->hItemHandle));
        return TRUE;
    }
    default:
        return DefWindowProcW(handle_, msg, wParam, lParam);
    }
}

int ShowOptionsDialog(SaverHooks& hooks, senvola::Registry& registry, const OptionsDialogSetup& setup) {
    // Whatever happens inside, the window the dialog sat over works again afterwards.
    const senvola::ScopeExit reenable([owner = setup.owner] {
        if (owner && IsWindow(owner)) EnableWindow(owner, TRUE);
    });
    OptionsDialog dialog(hooks, registry, setup);
    if (setup.owner) {
        RECT r;
        GetWindowRect(setup.owner, &r);
        dialog.SetPosition(r.left + GetSystemMetrics(SM_CXFRAME),
                           r.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    }
    return dialog.ShowModal();
}

}  // namespace saverkit
