#include "app/page_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "saverkit/dialog_scale.h"
#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/window_text.h"

namespace senvola::app {

namespace {

constexpr COLORREF kPromotionColour = RGB(0, 0, 255);

// Radio buttons act when the mouse button is released over them (or the space bar is).
LRESULT CALLBACK ReleaseActionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* sink = reinterpret_cast<saverkit::ControlSink*>(data);
    LRESULT ignored = 0;
    if (msg == WM_LBUTTONUP) {
        // The button checks itself first, as on any click; then the action runs.
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        RECT rc;
        GetClientRect(hwnd, &rc);
        const POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&rc, pt) && IsWindow(hwnd)) sink->HandleControlMessage(hwnd, kReleaseAction, 0, 0, ignored);
        return r;
    }
    if (msg == WM_KEYUP && wParam == VK_SPACE) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (IsWindow(hwnd)) sink->HandleControlMessage(hwnd, kReleaseAction, 0, 0, ignored);
        return r;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ReleaseActionProc, 1);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

HWND PageControls::Get(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

HWND PageControls::Add(saverkit::ControlSink& sink, HWND parent, const char* className, const std::string& text,
                       DWORD style, int x, int y, int w, int h, int id, bool graphic) {
    HWND c = saverkit::CreateControl(parent, className, text, WS_VISIBLE | style, x, y, w, h, id);
    saverkit::SetControlSink(c, &sink);
    saverkit::SetGraphicControl(c, graphic);
    controls_[id] = c;
    return c;
}

HWND PageControls::AddPanel(HWND parent, int x, int y, int w, int h, saverkit::Bevel bevel, int id,
                            const std::string& caption) {
    HWND c = saverkit::CreatePanel(parent, x, y, w, h, bevel, caption, id);
    controls_[id] = c;
    return c;
}

HWND PageControls::AddRadio(saverkit::ControlSink& sink, HWND parent, const std::string& text, int x, int y, int w,
                            int h, int id, bool first) {
    HWND c = Add(sink, parent, "BUTTON", text, BS_AUTORADIOBUTTON | WS_TABSTOP | (first ? WS_GROUP : 0), x, y, w, h, id);
    SetWindowSubclass(c, ReleaseActionProc, 1, reinterpret_cast<DWORD_PTR>(&sink));
    return c;
}

void PageControls::AddPromotion(saverkit::ControlSink& sink, HWND page, int panelId, int labelId) {
    HWND panel = AddPanel(page, 8, 224, 377, 113, saverkit::Bevel::Raised, panelId);
    Add(sink, panel, "STATIC", "", SS_OWNERDRAW, 1, 1, 375, 111, labelId, true);
}

void PageControls::SetText(int id, const std::string& text) {
    HWND c = Get(id);
    saverkit::SetControlText(c, text);
    FitHeightToText(c);
    InvalidateRect(c, nullptr, TRUE);
}

void FitHeightToText(HWND control) {
    if (!control) return;
    char cls[16] = {};
    GetClassNameA(control, cls, sizeof cls);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const bool label = lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) != SS_OWNERDRAW;
    const LONG button = style & BS_TYPEMASK;
    const bool box = lstrcmpiA(cls, "Button") == 0 &&
                     (button == BS_AUTORADIOBUTTON || button == BS_AUTOCHECKBOX || button == BS_CHECKBOX ||
                      button == BS_RADIOBUTTON);
    if (!label && !box) return;
    // A face that draws Chinese, Japanese or Korean stands taller than the dialog font the
    // controls were laid out for: a line must not lose its lowest pixels.
    const std::wstring text = WideFromUtf8(WindowText(control));
    RECT client{};
    GetClientRect(control, &client);
    RECT calc{0, 0, std::max<LONG>(1, client.right), 0};
    {
        const ScopedGetDc dc(control);
        const ScopedSelectObject select(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        DrawTextW(dc.get(), text.c_str(), -1, &calc, DT_CALCRECT | (label ? DT_WORDBREAK : DT_SINGLELINE));
    }
    const int extra = static_cast<int>(calc.bottom - client.bottom);
    if (extra <= 0) return;
    RECT r;
    GetWindowRect(control, &r);
    SetWindowPos(control, nullptr, 0, 0, r.right - r.left, r.bottom - r.top + extra,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string WindowText(HWND window) {
    return WindowTextUtf8(window);
}

namespace {

int WidthOf(HDC dc, std::wstring_view text) {
    SIZE sz{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &sz);
    return sz.cx;
}

}  // namespace

int TextWidth(HWND control) {
    const std::wstring text = WideFromUtf8(WindowText(control));
    const ScopedGetDc dc(control);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const ScopedSelectObject select(dc.get(), saverkit::FontForText(font, text));
    return WidthOf(dc.get(), text);
}

void SetPathText(HWND control, const std::string& path) {
    if (!control) return;
    std::wstring text = WideFromUtf8(path);
    saverkit::FitControlFont(control, text);
    RECT r{};
    GetClientRect(control, &r);
    const int room = r.right - r.left - 4;  // the sunken edge and a pixel either side
    {
        const ScopedGetDc dc(control);
        const ScopedSelectObject select(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        if (WidthOf(dc.get(), text) > room) {
            // The longest end that fits after the ellipsis; widths grow with the end's length.
            std::size_t lo = 0, hi = text.size();
            while (lo < hi) {
                const std::size_t mid = (lo + hi + 1) / 2;
                const std::wstring candidate = L"\u2026" + text.substr(text.size() - mid);
                if (WidthOf(dc.get(), candidate) <= room) lo = mid; else hi = mid - 1;
            }
            std::size_t start = text.size() - lo;
            if (start < text.size() && IS_LOW_SURROGATE(text[start])) ++start;  // never half a character
            text = L"\u2026" + text.substr(start);
        }
    }
    SetWindowTextW(control, text.c_str());
    InvalidateRect(control, nullptr, TRUE);
}

void DrawWrappedCentred(const DRAWITEMSTRUCT& di, HFONT font, COLORREF colour, UINT horizontal) {
    FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring text = WideFromUtf8(WindowText(di.hwndItem));
    const ScopedSelectObject select(di.hDC, saverkit::FontForText(font, text));
    RECT calc = di.rcItem;
    DrawTextW(di.hDC, text.c_str(), -1, &calc, DT_WORDBREAK | DT_CALCRECT | horizontal | DT_NOPREFIX);
    RECT r = di.rcItem;
    const int h = calc.bottom - calc.top;
    r.top += std::max(0L, ((di.rcItem.bottom - di.rcItem.top) - h) / 2);
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, colour);
    DrawTextW(di.hDC, text.c_str(), -1, &r, DT_WORDBREAK | horizontal | DT_NOPREFIX);
}

void DrawPromotion(const DRAWITEMSTRUCT& di) {
    DrawWrappedCentred(di, saverkit::SharedFontFor(di.hwndItem, "Arial", 13, true), kPromotionColour, DT_CENTER);
}

HWND OwnerOf(HWND pages) { return GetAncestor(pages, GA_ROOT); }

void ShowHelpSection(const saverkit::Help& help, HWND owner, std::string_view section) {
    help.ShowSection(owner, section);
}

}  // namespace senvola::app
