#include "app/language_page.h"

#include <algorithm>

#include "app/control_ids.h"
#include "saverkit/dialog_scale.h"
#include "settings/language.h"
#include "win32/handles.h"
#include "win32/path_win32.h"

namespace senvola::app {

namespace {

constexpr COLORREF kAddressColour = RGB(255, 0, 0);

}  // namespace

LanguagePage::LanguagePage(PageControls& controls, saverkit::TabPage& tab) : controls_(controls) {
    HWND page = tab.Handle();
    controls_.Add(*this, page, "STATIC",
                  "Senvola supports several languages. Please choose your language from the list below.", SS_LEFT, 16,
                  24, 361, 49, idLanguageIntro, true);
    HWND list = controls_.Add(*this, page, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 60, 80, 273,
                              97, idLanguageList);
    SetWindowLongA(list, GWL_EXSTYLE, GetWindowLongA(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    HWND contact = controls_.AddPanel(page, 36, 216, 321, 105, saverkit::Bevel::RaisedInLoweredOut, idContactPanel);
    controls_.Add(*this, contact, "STATIC",
                  "If your language is not listed and you would like to add it, please contact me on my email "
                  "address:",
                  SS_OWNERDRAW, 16, 8, 289, 49, idContactText, true);
    HWND address = controls_.Add(*this, contact, "STATIC", kMakerEmail, SS_CENTER, 50, 56, 221, 33, idContactAddress,
                                 true);
    SendMessageA(address, WM_SETFONT, reinterpret_cast<WPARAM>(saverkit::SharedFontFor(page, "MS Sans Serif", 13, true)),
                 FALSE);
}

void LanguagePage::Fill(const LanguageTable& table, const IniFile& file, int selected) {
    HWND list = controls_.Get(idLanguageList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    std::wstring all;
    for (const auto& entry : table.LanguageList) {
        const std::wstring wide = WideFromUtf8(entry);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        all += wide;
    }
    // One font for the list: one that draws every language's own name.
    saverkit::FitControlFont(list, all);
    const int count = static_cast<int>(table.LanguageList.size());
    SendMessageA(list, LB_SETCURSEL, selected >= 0 && selected < count ? selected : -1, 0);
    controls_.SetText(idLanguageIntro, Translate(table, file, "ChooseLanguage"));
    controls_.SetText(idContactText, Translate(table, file, "LanguageNotListed"));
    FitContactText();
}

void LanguagePage::FitContactText() {
    // The box's text wraps in the face that draws its language; a taller face takes a third
    // line, and the address moves down under it, inside its panel.
    HWND text = controls_.Get(idContactText), address = controls_.Get(idContactAddress);
    const std::wstring wide = WideFromUtf8(WindowText(text));
    auto px = [text](int design) { return saverkit::Scaled(text, design); };
    RECT calc{0, 0, px(289), 0};
    {
        const ScopedGetDc dc(text);
        const ScopedSelectObject font(dc.get(), saverkit::FontForText(saverkit::DialogFont(text), wide));
        DrawTextW(dc.get(), wide.c_str(), -1, &calc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int kTop = px(8), kDesigned = px(49), kPanelHeight = px(105), kAddressHeight = px(33);
    const int height = std::clamp(static_cast<int>(calc.bottom), kDesigned, kPanelHeight - kAddressHeight - kTop - px(4));
    SetWindowPos(text, nullptr, px(16), kTop, px(289), height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(address, nullptr, px(50), kTop + height - px(1), px(221), kAddressHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

int LanguagePage::SelectedPosition() const {
    HWND list = controls_.Get(idLanguageList);
    return IsWindow(list) ? static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) : -1;
}

std::string LanguagePage::SelectedName() const {
    const int sel = SelectedPosition();
    if (sel < 0) return {};
    HWND list = controls_.Get(idLanguageList);
    const auto n = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (n <= 0) return {};
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    const auto got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return Utf8FromWide(s);
}

bool LanguagePage::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int id = GetDlgCtrlID(control);
    if (msg == WM_DRAWITEM) {
        if (id == idContactText)
            DrawWrappedCentred(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam), saverkit::DialogFont(control),
                               GetSysColor(COLOR_BTNTEXT), DT_LEFT);
        result = TRUE;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC && id == idContactAddress) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kAddressColour);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false;
}

}  // namespace senvola::app
