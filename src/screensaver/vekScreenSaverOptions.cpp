#include "vekScreenSaverOptions.h"

#include <commctrl.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "vekAboutBoxDialog.h"
#include "registry_win32.h"
#include "vekVersionInfo.h"

namespace vek {

namespace {

constexpr int kPickedBoxX = 105, kPickedBoxY = 76;  // the monitor picture's place on the page

struct CornerPlace {
    int id;
    int x, y;
};
// By TCorner: top-left, top-right, bottom-right, bottom-left.
constexpr CornerPlace kCornerPlaces[4] = {
    {idcTopLeft, 123, 95}, {idcTopRight, 248, 95}, {idcBottomRight, 248, 184}, {idcBottomLeft, 123, 184}};
constexpr char kCornerLetters[3] = {'-', 'Y', 'N'};

HBITMAP LoadBitmapResource(const char* name) {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// Digits and backspace only.
LRESULT CALLBACK DelayEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (msg == WM_CHAR && !(wParam >= '0' && wParam <= '9') && wParam != VK_BACK) return 0;
    // Its menu is "What's This?", as for every control with a help context, not the edit menu.
    if (msg == WM_CONTEXTMENU)
        return SendMessageA(GetParent(hwnd), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// An index outside the list leaves it without a selection.
void SelectIndex(HWND combo, int index) {
    const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    SendMessageA(combo, CB_SETCURSEL, index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

}  // namespace

int MouseThresholdForIndex(int index) {
    switch (index) {
    case 0: return 0;
    case 1: return 200;
    case 2: return 400;
    case 3: return 999999;
    default: return -1;
    }
}

TvekfrmScreenSaverOptions::TvekfrmScreenSaverOptions(HWND owner, const std::string& title)
    : TfrmOptionsDialog(owner, 420, 376, "General screen saver options") {
    SetCaption("Options for " + title);
    SetHelpContext(Handle(), 10);
    bmMonitor_ = LoadBitmapResource("BM_MONITOR");
    bmNowCheck_ = LoadBitmapResource("BM_NOWCHECK");
    bmNeverSpot_ = LoadBitmapResource("BM_NEVERSPOT");
    pmuCorners_ = CreatePopupMenu();
    AppendMenuA(pmuCorners_, MF_STRING, idmCornerDefault, "Default");
    AppendMenuA(pmuCorners_, MF_STRING, idmCornerNow, "Now");
    AppendMenuA(pmuCorners_, MF_STRING, idmCornerNever, "Never");
    CreateGeneralPage();
    about_ = &PageControl().AddPage("About");
    SetRightClickSearch(about_->Handle(), true);
    SetPopupMenu(about_->Handle(), WhatsThisMenu());
    about_->SetTabVisible(false);
    PageControl().SetActivePage(&GeneralPage());
}

TvekfrmScreenSaverOptions::~TvekfrmScreenSaverOptions() {
    if (pmuCorners_) DestroyMenu(pmuCorners_);
    for (HBITMAP b : {bmMonitor_, bmNowCheck_, bmNeverSpot_})
        if (b) DeleteObject(b);
}

void TvekfrmScreenSaverOptions::CreateGeneralPage() {
    HWND page = GeneralPage().Handle();
    HMENU menu = WhatsThisMenu();
    auto add = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h,
                   int id, int help, bool graphic) {
        HWND c = CreateControl(page, cls, text, WS_VISIBLE | style, x, y, w, h, id);
        SetControlSink(c, this);
        if (graphic) {
            SetGraphicControl(c, true);
            SetTag(c, help);
        } else {
            SetHelpContext(c, help);
        }
        if (help > 0) SetPopupMenu(c, menu);
        return c;
    };
    // In the framework's model these three texts are windowed static texts with help contexts.
    add("STATIC",
        "You can display the screen saver immediately, or prevent it from appearing at all, by "
        "moving the mouse pointer to a corner on the screen.  Click the corners you want to use.",
        SS_LEFT, 47, 28, 299, 41, idcCornerText, 1, false);
    monitor_ = add("STATIC", "", SS_OWNERDRAW | WS_CLIPSIBLINGS, kPickedBoxX, kPickedBoxY, 184, 169, idcMonitor, 1, true);
    for (int i = 0; i < 4; ++i) {
        cornerImages_[i] = add("STATIC", "", SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS, kCornerPlaces[i].x,
                               kCornerPlaces[i].y, 21, 19, kCornerPlaces[i].id, 0, true);
        // Above the monitor, which they mark.
        SetWindowPos(cornerImages_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    add("STATIC", "Options for dismissing the screen saver", SS_LEFT, 8, 256, 200, 14,
        idcDismissHeading, 0, true);
    add("STATIC", "", SS_ETCHEDHORZ, 208, 263, 177, 2, idcDismissRule, 0, true);
    add("STATIC", "&Mouse sensitivity", SS_LEFT, 16, 280, 92, 14, idcSensitivityLabel, 3, false);
    cboMouseThreshold_ = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 112, 276,
                             257, 120, idcMouseThreshold, 3, false);
    for (const char* s : {"High", "Normal", "Low", "Ignore mouse movement"})
        SendMessageA(cboMouseThreshold_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    add("STATIC", "&Wait", SS_LEFT, 16, 312, 32, 14, idcWaitLabel, 4, false);
    sePasswordDelay_ = add("EDIT", "0", WS_TABSTOP | ES_LEFT, 52, 308, 41, 21, idcPasswordDelay, 4,
                           false);
    SetWindowLongA(sePasswordDelay_, GWL_EXSTYLE,
                   GetWindowLongA(sePasswordDelay_, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(sePasswordDelay_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SetWindowSubclass(sePasswordDelay_, DelayEditProc, 1, 0);
    upPasswordDelay_ = add(UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS, 93, 308, 12, 21,
                           idcPasswordDelayUpDown, 4, false);
    SendMessageA(upPasswordDelay_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(sePasswordDelay_), 0);
    SendMessageA(upPasswordDelay_, UDM_SETRANGE32, 0, 100);
    SendMessageA(upPasswordDelay_, UDM_SETPOS32, 0, 0);
    cboPasswordDelayIndex_ = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 112,
                                 308, 97, 100, idcPasswordDelayIndex, 4, false);
    for (const char* s : {"seconds", "minutes"})
        SendMessageA(cboPasswordDelayIndex_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    add("STATIC", "before requiring a password", SS_LEFT, 216, 312, 160, 14, idcPasswordTrailing, 4,
        false);
}

void TvekfrmScreenSaverOptions::SetShowGeneral(bool show) { GeneralPage().SetTabVisible(show); }

void TvekfrmScreenSaverOptions::SetShowAbout(bool show) {
    showAbout_ = show;
    about_->SetTabVisible(show);
}

void TvekfrmScreenSaverOptions::SetCorner(TCorner corner, TCornerState state) {
    corners_[corner] = state;
    InvalidateRect(cornerImages_[corner], nullptr, TRUE);
}

void TvekfrmScreenSaverOptions::CornerPressed(TCorner corner, POINT pointInMarker) {
    pressedCorner_ = corner;
    POINT screen = pointInMarker;
    ClientToScreen(cornerImages_[corner], &screen);
    switch (TrackMenu(pmuCorners_, screen)) {
    case idmCornerDefault: SetCorner(corner, csDefault); break;
    case idmCornerNow: SetCorner(corner, csNow); break;
    case idmCornerNever: SetCorner(corner, csNever); break;
    default: break;
    }
}

void TvekfrmScreenSaverOptions::DrawMonitorPart(HDC dc, HWND control, const RECT& rc) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    // The part of the monitor under this control, so markers sit on the picture.
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, monitor_, reinterpret_cast<POINT*>(&r), 2);
    if (bmMonitor_) {
        RECT dest{-r.left, -r.top, -r.left + 184, -r.top + 169};
        DrawBitmap(dc, bmMonitor_, dest, false, true);
    }
}

bool TvekfrmScreenSaverOptions::HandleControlMessage(HWND control, UINT msg, WPARAM wParam,
                                                     LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        DrawMonitorPart(di->hDC, control, di->rcItem);
        for (int i = 0; i < 4; ++i) {
            if (control != cornerImages_[i]) continue;
            HBITMAP mark = corners_[i] == csNow ? bmNowCheck_ : corners_[i] == csNever ? bmNeverSpot_ : nullptr;
            if (mark) DrawBitmap(di->hDC, mark, di->rcItem, false, true);
        }
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        for (int i = 0; i < 4; ++i) {
            if (control != cornerImages_[i]) continue;
            DWORD pos = GetMessagePos();
            POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
            ScreenToClient(control, &pt);
            CornerPressed(static_cast<TCorner>(i), pt);
            result = 0;
            return true;
        }
    }
    return false;
}

void TvekfrmScreenSaverOptions::MergePages(TPageControl& app) {
    TPageControl& pc = PageControl();
    pc.HelpContext = app.HelpContext;
    pc.HotTrack = app.HotTrack;
    pc.MultiLine = app.MultiLine;
    pc.ScrollOpposite = app.ScrollOpposite;
    pc.TabPosition = app.TabPosition;
    pc.OnChange = app.OnChange;
    pc.OnChanging = app.OnChanging;
    pc.ApplySettings();
    TTabSheet* activate = nullptr;
    for (int i = app.PageCount() - 1; i >= 0; --i) {
        TTabSheet& source = app.Pages(i);
        TTabSheet& page = pc.InsertPage(1);
        if (i <= 3) {
            TTabSheet::Properties props = source.Props();
            page.SetProperties(props);
            for (HWND child = GetWindow(source.Handle(), GW_CHILD); child;
                 child = GetWindow(source.Handle(), GW_CHILD)) {
                PrepareForContextHelp(child);
                SetParent(child, page.Handle());
                // Keep the application's child order (and so its tab order).
                SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            merged_.emplace_back(&source, &page);
        }
        if (app.ActivePage() == &source) activate = &page;
    }
    if (activate) pc.SetActivePage(activate);
}

void TvekfrmScreenSaverOptions::UpdateMergedCaptions() {
    for (auto& [source, page] : merged_)
        if (page->Caption() != source->Caption()) page->SetCaption(source->Caption());
}

int TvekfrmScreenSaverOptions::DelayValue() const {
    char buf[32] = {};
    GetWindowTextA(sePasswordDelay_, buf, sizeof buf);
    long long v = 0;
    for (const char* p = buf; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > INT_MAX / 60) {
            v = INT_MAX / 60;
            break;
        }
    }
    return static_cast<int>(v);
}

void TvekfrmScreenSaverOptions::Load() {
    for (int i = 0; i < 4; ++i) SetCorner(static_cast<TCorner>(i), csDefault);
    SendMessageA(cboMouseThreshold_, CB_SETCURSEL, 1, 0);
    SendMessageA(cboPasswordDelayIndex_, CB_SETCURSEL, 1, 0);
    SetWindowTextA(sePasswordDelay_, "0");
    if (!Registry) return;
    if (auto key = Registry->OpenKey(kScreenSaversKey, false)) {
        if (auto v = key->ReadInteger("Mouse Threshold Index")) SelectIndex(cboMouseThreshold_, *v);
        if (auto v = key->ReadInteger("Password Delay Index")) SelectIndex(cboPasswordDelayIndex_, *v);
        if (auto v = key->ReadInteger("Password Delay")) {
            const auto unit = SendMessageA(cboPasswordDelayIndex_, CB_GETCURSEL, 0, 0);
            int delay = -1;
            if (unit == 0) delay = *v;
            if (unit == 1) delay = *v / 60;
            if (delay >= 0) SetWindowTextA(sePasswordDelay_, std::to_string(delay).c_str());
        }
        if (auto v = key->ReadString("Mouse Corners"); v && v->size() == 4) {
            for (int i = 0; i < 4; ++i) {
                const char c = (*v)[static_cast<size_t>(i)];
                SetCorner(static_cast<TCorner>(i), c == 'Y' ? csNow : c == 'N' ? csNever : csDefault);
            }
        }
    }
    if (ApplicationKey.empty()) return;
    if (auto key = Registry->OpenKey(ApplicationKey, false)) {
        if (OnReadRegistry) OnReadRegistry(this, *key, ApplicationKey);
    }
    UpdateMergedCaptions();
}

void TvekfrmScreenSaverOptions::Save() {
    if (!Registry) return;
    if (auto key = Registry->OpenKey(kScreenSaversKey, true)) {
        const int unit = static_cast<int>(SendMessageA(cboPasswordDelayIndex_, CB_GETCURSEL, 0, 0));
        // A list without a selection leaves its stored values alone: the key is shared.
        if (unit == 0 || unit == 1) {
            key->WriteInteger("Password Delay Index", unit);
            key->WriteInteger("Password Delay", unit == 0 ? DelayValue() : DelayValue() * 60);
        }
        const int index = static_cast<int>(SendMessageA(cboMouseThreshold_, CB_GETCURSEL, 0, 0));
        if (MouseThresholdForIndex(index) >= 0) {
            key->WriteInteger("Mouse Threshold Index", index);
            key->WriteInteger("Mouse Threshold", MouseThresholdForIndex(index));
        }
        std::string letters;
        for (TCornerState s : corners_) letters += kCornerLetters[s];
        key->WriteString("Mouse Corners", letters);
    }
    if (ApplicationKey.empty()) return;
    if (auto key = Registry->OpenKey(ApplicationKey, true)) {
        if (OnWriteRegistry) OnWriteRegistry(this, *key, ApplicationKey);
    }
}

void TvekfrmScreenSaverOptions::DoShow() {
    Load();
    if (showAbout_ && AboutBox) AboutBox->FillAboutPage(*about_);
}

void TvekfrmScreenSaverOptions::DoOK() { Save(); }

int ShowScreenSaverOptions(const TOptionsDialogSetup& setup) {
    HWND owner = setup.Parented ? setup.ForegroundOwner : nullptr;
    std::string title = setup.Title.empty() ? ApplicationTitle() : setup.Title;
    // Whatever happens inside, the window the dialog sat over works again afterwards.
    struct Reenable {
        HWND window;
        ~Reenable() {
            if (window && IsWindow(window)) EnableWindow(window, TRUE);
        }
    } reenable{owner};
    auto dialog = std::make_unique<TvekfrmScreenSaverOptions>(owner, title);
    if (owner) {
        RECT r;
        GetWindowRect(owner, &r);
        dialog->SetPosition(r.left + GetSystemMetrics(SM_CXFRAME),
                            r.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    }
    dialog->SetShowGeneral(setup.ShowGeneral);
    dialog->SetShowAbout(setup.AboutBox != nullptr);
    dialog->AboutBox = setup.AboutBox;
    dialog->OnReadRegistry = setup.OnReadRegistry;
    dialog->OnWriteRegistry = setup.OnWriteRegistry;
    senvola::Win32Registry userHive;
    dialog->Registry = setup.Registry ? setup.Registry : &userHive;
    dialog->ApplicationKey = setup.ApplicationKey.empty() ? ApplicationRegistryKey(TvekVersionInfo())
                                                          : setup.ApplicationKey;
    if (setup.OptionsPages) dialog->MergePages(*setup.OptionsPages);
    return dialog->ShowModal();
}

}  // namespace vek
