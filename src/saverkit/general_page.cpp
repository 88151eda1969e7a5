#include "saverkit/general_page.h"

#include <commctrl.h>

#include <climits>
#include <string>

#include "saverkit/dialog_scale.h"
#include "saverkit/options_dialog.h"
#include "win32/blit.h"

namespace saverkit {

namespace {

constexpr int kMonitorX = 105, kMonitorY = 76;  // the monitor picture's place on the page

struct CornerPlace {
    int id;
    int x, y;
};
// By ScreenCorner: top left, top right, bottom right, bottom left.
constexpr CornerPlace kCornerPlaces[4] = {
    {idcTopLeft, 123, 95}, {idcTopRight, 248, 95}, {idcBottomRight, 248, 184}, {idcBottomLeft, 123, 184}};

// Digits and backspace only.
LRESULT CALLBACK DelayEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CHAR && !(wParam >= '0' && wParam <= '9') && wParam != VK_BACK) return 0;
    // Its menu is "What's This?", as for every control with a help context, not the edit menu.
    if (msg == WM_CONTEXTMENU)
        return SendMessageA(GetParent(hwnd), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), lParam);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// An index outside the list leaves it without a selection.
void SelectIndex(HWND combo, int index) {
    const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    SendMessageA(combo, CB_SETCURSEL, index >= 0 && index < count ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1),
                 0);
}

// A picture at its own size with its top left at (left, top), its bottom-left colour left out.
// At the dialog's DPI the pictures grow with the controls, or the markers would miss the corners.
void DrawMarked(HDC dc, HWND control, const senvola::BmpPicture& picture, int left, int top) {
    senvola::DrawPicture(
        dc, RECT{left, top, left + Scaled(control, picture.width), top + Scaled(control, picture.height)}, picture,
        true);
}

}  // namespace

GeneralPage::GeneralPage(OptionsDialog& dialog, TabPage& tab)
    : dialog_(dialog),
      monitorPicture_(senvola::LoadBmpResource("BM_MONITOR")),
      nowPicture_(senvola::LoadBmpResource("BM_NOWCHECK")),
      neverPicture_(senvola::LoadBmpResource("BM_NEVERSPOT")) {
    cornerMenu_.reset(CreatePopupMenu());
    AppendMenuA(cornerMenu_.get(), MF_STRING, idmCornerDefault, "Default");
    AppendMenuA(cornerMenu_.get(), MF_STRING, idmCornerNow, "Now");
    AppendMenuA(cornerMenu_.get(), MF_STRING, idmCornerNever, "Never");

    HWND page = tab.Handle();
    HMENU whatsThis = dialog.WhatsThisMenu();
    auto add = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id, int help,
                   bool graphic) {
        HWND c = CreateControl(page, cls, text, WS_VISIBLE | style, x, y, w, h, id);
        SetControlSink(c, this);
        if (graphic) {
            SetGraphicControl(c, true);
            SetTag(c, help);
        } else {
            SetHelpContext(c, help);
        }
        if (help > 0) SetPopupMenu(c, whatsThis);
        return c;
    };
    // Windowed texts with help contexts of their own, unlike the page's other labels.
    add("STATIC",
        "You can display the screen saver immediately, or prevent it from appearing at all, by "
        "moving the mouse pointer to a corner on the screen.  Click the corners you want to use.",
        SS_LEFT, 47, 28, 299, 41, idcCornerText, 1, false);
    monitor_ = add("STATIC", "", SS_OWNERDRAW | WS_CLIPSIBLINGS, kMonitorX, kMonitorY, 184, 169, idcMonitor, 1, true);
    for (std::size_t i = 0; i < 4; ++i) {
        markers_[i] = add("STATIC", "", SS_OWNERDRAW | SS_NOTIFY | WS_CLIPSIBLINGS, kCornerPlaces[i].x,
                          kCornerPlaces[i].y, 21, 19, kCornerPlaces[i].id, 0, true);
        // Above the monitor, which they mark.
        SetWindowPos(markers_[i], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    add("STATIC", "Options for dismissing the screen saver", SS_LEFT, 8, 256, 200, 14, idcDismissHeading, 0, true);
    add("STATIC", "", SS_ETCHEDHORZ, 208, 263, 177, 2, idcDismissRule, 0, true);
    add("STATIC", "&Mouse sensitivity", SS_LEFT, 16, 280, 92, 14, idcSensitivityLabel, 3, false);
    mouseThreshold_ = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 112, 276, 257, 120,
                          idcMouseThreshold, 3, false);
    for (const char* s : {"High", "Normal", "Low", "Ignore mouse movement"})
        SendMessageA(mouseThreshold_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    add("STATIC", "&Wait", SS_LEFT, 16, 312, 32, 14, idcWaitLabel, 4, false);
    passwordDelay_ = add("EDIT", "0", WS_TABSTOP | ES_LEFT, 52, 308, 41, 21, idcPasswordDelay, 4, false);
    SetWindowLongA(passwordDelay_, GWL_EXSTYLE, GetWindowLongA(passwordDelay_, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(passwordDelay_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SetWindowSubclass(passwordDelay_, DelayEditProc, 1, 0);
    passwordDelayUpDown_ = add(UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS, 93, 308, 12, 21,
                               idcPasswordDelayUpDown, 4, false);
    SendMessageA(passwordDelayUpDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(passwordDelay_), 0);
    SendMessageA(passwordDelayUpDown_, UDM_SETRANGE32, 0, 100);
    SendMessageA(passwordDelayUpDown_, UDM_SETPOS32, 0, 0);
    passwordDelayIndex_ = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 112, 308, 97, 100,
                              idcPasswordDelayIndex, 4, false);
    for (const char* s : {"seconds", "minutes"})
        SendMessageA(passwordDelayIndex_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    add("STATIC", "before requiring a password", SS_LEFT, 216, 312, 160, 14, idcPasswordTrailing, 4, false);
}

void GeneralPage::SetCorner(ScreenCorner corner, CornerState state) {
    corners_[Index(corner)] = state;
    InvalidateRect(markers_[Index(corner)], nullptr, TRUE);
}

void GeneralPage::CornerPressed(ScreenCorner corner, POINT pointInMarker) {
    POINT screen = pointInMarker;
    ClientToScreen(markers_[Index(corner)], &screen);
    switch (dialog_.ChooseFromMenu(cornerMenu_.get(), screen)) {
    case idmCornerDefault: SetCorner(corner, CornerState::Default); break;
    case idmCornerNow: SetCorner(corner, CornerState::Now); break;
    case idmCornerNever: SetCorner(corner, CornerState::Never); break;
    default: break;
    }
}

void GeneralPage::DrawMonitorPart(HDC dc, HWND control, const RECT& rc) {
    FillRect(dc, &rc, GetSysColorBrush(COLOR_BTNFACE));
    // The part of the monitor under this control, so that the markers sit on the picture.
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, monitor_, reinterpret_cast<POINT*>(&r), 2);
    if (monitorPicture_) DrawMarked(dc, control, *monitorPicture_, -r.left, -r.top);
}

bool GeneralPage::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM) {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        DrawMonitorPart(di.hDC, control, di.rcItem);
        for (std::size_t i = 0; i < 4; ++i) {
            if (control != markers_[i]) continue;
            const std::optional<senvola::BmpPicture>* mark = corners_[i] == CornerState::Now     ? &nowPicture_
                                                             : corners_[i] == CornerState::Never ? &neverPicture_
                                                                                                 : nullptr;
            if (mark && *mark) DrawMarked(di.hDC, control, **mark, di.rcItem.left, di.rcItem.top);
        }
        result = TRUE;
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        for (std::size_t i = 0; i < 4; ++i) {
            if (control != markers_[i]) continue;
            const DWORD pos = GetMessagePos();
            POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
            ScreenToClient(control, &pt);
            CornerPressed(static_cast<ScreenCorner>(i), pt);
            result = 0;
            return true;
        }
    }
    return false;
}

int GeneralPage::DelayValue() const {
    char buf[32] = {};
    GetWindowTextA(passwordDelay_, buf, sizeof buf);
    // Held where it still converts to seconds.
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

void GeneralPage::Load(senvola::Registry& registry) {
    for (std::size_t i = 0; i < 4; ++i) SetCorner(static_cast<ScreenCorner>(i), CornerState::Default);
    SendMessageA(mouseThreshold_, CB_SETCURSEL, 1, 0);
    SendMessageA(passwordDelayIndex_, CB_SETCURSEL, kMinutes, 0);
    SetWindowTextA(passwordDelay_, "0");
    const auto key = registry.OpenKey(SharedSettingsKey(), false);
    if (!key) return;
    if (auto v = key->ReadInteger(kMouseThresholdIndexValue)) SelectIndex(mouseThreshold_, *v);
    if (auto v = key->ReadInteger(kPasswordDelayIndexValue)) SelectIndex(passwordDelayIndex_, *v);
    if (auto v = key->ReadInteger(kPasswordDelayValue)) {
        const auto unit = static_cast<int32_t>(SendMessageA(passwordDelayIndex_, CB_GETCURSEL, 0, 0));
        if (const std::optional<int32_t> delay = DelayInUnit(*v, unit); delay && *delay >= 0)
            SetWindowTextA(passwordDelay_, std::to_string(*delay).c_str());
    }
    if (auto v = key->ReadString(kMouseCornersValue); v && v->size() == 4) {
        for (std::size_t i = 0; i < 4; ++i) SetCorner(static_cast<ScreenCorner>(i), CornerOfLetter((*v)[i]));
    }
}

void GeneralPage::Save(senvola::Registry& registry) {
    const auto key = registry.OpenKey(SharedSettingsKey(), true);
    if (!key) return;
    const auto unit = static_cast<int32_t>(SendMessageA(passwordDelayIndex_, CB_GETCURSEL, 0, 0));
    if (const std::optional<int32_t> seconds = DelayInSeconds(DelayValue(), unit)) {
        key->WriteInteger(kPasswordDelayIndexValue, unit);
        key->WriteInteger(kPasswordDelayValue, *seconds);
    }
    const int index = static_cast<int>(SendMessageA(mouseThreshold_, CB_GETCURSEL, 0, 0));
    if (MouseThresholdForIndex(index) >= 0) {
        key->WriteInteger(kMouseThresholdIndexValue, index);
        key->WriteInteger(kMouseThresholdValue, MouseThresholdForIndex(index));
    }
    std::string letters;
    for (CornerState s : corners_) letters += CornerLetter(s);
    key->WriteString(kMouseCornersValue, letters);
}

}  // namespace saverkit
