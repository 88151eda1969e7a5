#include "saverkit/about_page.h"

#include "saverkit/dialog_scale.h"
#include "win32/blit.h"
#include "win32/window_text.h"

namespace saverkit {

namespace {

constexpr const char* kDefaultLegalNotice =
    "Warning: this program is protected by copyright law and \r"
    "international treaties. Unauthorised reproduction or \r"
    "distribution of this program, or of any part of it, may \r"
    "result in severe civil and criminal penalties, and will be \r"
    "prosecuted to the maximum extent possible under the law.";

std::vector<std::string> SplitAtCarriageReturns(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t cr = text.find('\r', start);
        lines.push_back(text.substr(start, cr == std::string::npos ? std::string::npos : cr - start));
        if (cr == std::string::npos) break;
        start = cr + 1;
    }
    return lines;
}

HICON ApplicationIcon() {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (HICON icon = LoadIconA(inst, "MAINICON")) return icon;
    if (HICON icon = LoadIconA(inst, MAKEINTRESOURCEA(1))) return icon;
    return LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION
}

}  // namespace

std::vector<std::string> DefaultLegalNotice() { return SplitAtCarriageReturns(kDefaultLegalNotice); }

std::string FormatVersionLine(const VersionInfo& info, unsigned parts) {
    if (!info.Active()) return {};
    const VersionNumber& v = info.FileVersion();
    std::string number, extra;
    if (parts & kShowMajor) number = std::to_string(v.Major());
    if (parts & kShowMinor) number += "." + std::to_string(v.Minor());
    if (parts & kShowRelease) number += "." + std::to_string(v.Release());
    if (parts & kShowBuild) extra += "Build " + std::to_string(v.Build());
    const unsigned flags = info.FileFlags();
    if ((flags & kFlagDebug) && (parts & kShowDebug)) extra += " :Debug";
    if ((flags & kFlagPreRelease) && (parts & kShowPrerelease)) extra += " :Pre-release";
    if ((flags & kFlagPrivateBuild) && (parts & kShowPrivate)) extra += " :Private";
    if ((flags & kFlagSpecialBuild) && (parts & kShowSpecial)) extra += " :Special";
    if (!extra.empty()) extra = " (" + extra + ")";
    return "Version " + number + extra;
}

// ---- AboutPanel ----

AboutPanel::AboutPanel(HWND parent, const std::string& title, const std::string& versionFile)
    : versionInfo_(versionFile) {
    handle_ = CreatePanel(parent, 0, 0, 388, 321, Bevel::None);
    caption_ = "About " + title;
    senvola::SetWindowTextUtf8(handle_, caption_);
    auto add = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateControl(handle_, cls, text, WS_VISIBLE | style, x, y, w, h, id);
        SetControlSink(c, this);
        return c;
    };
    HWND image = add("STATIC", "", SS_OWNERDRAW, 9, 9, 80, 200, idcProgramImage);
    SetGraphicControl(image, true);
    HWND product = add("STATIC", "", SS_LEFT, 100, 8, 277, 15, idcProductName);
    SendMessageA(product, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFontFor(handle_, "MS Sans Serif", 11, true)), FALSE);
    add("STATIC", "", SS_LEFT, 100, 25, 277, 24, idcCopyright);
    add("STATIC", "", SS_LEFT, 100, 56, 277, 15, idcVersion);
    add("STATIC", "", SS_LEFT, 100, 76, 277, 29, idcDescription);
    add("STATIC", "", SS_ETCHEDHORZ, 8, 216, 369, 2, idcAboutRule);
    add("EDIT", "", ES_MULTILINE | ES_READONLY, 8, 232, 273, 81, idcLegalNotice);
    add("BUTTON", "OK", WS_TABSTOP | BS_PUSHBUTTON, 288, 224, 91, 25, idcAboutOK);
    add("BUTTON", "&System Info...", WS_TABSTOP | BS_PUSHBUTTON, 288, 256, 91, 25, idcSystemInfo);
    add("BUTTON", "&Tech Support...", WS_TABSTOP | BS_PUSHBUTTON, 288, 288, 91, 25, idcTechSupport);
    for (HWND c : {Item(idcProductName), Item(idcCopyright), Item(idcVersion), Item(idcDescription),
                   Item(idcAboutRule)})
        SetGraphicControl(c, true);

    if (versionInfo_.Active()) {
        senvola::SetWindowTextUtf8(Item(idcCopyright), versionInfo_.LegalCopyright());
        senvola::SetWindowTextUtf8(Item(idcProductName), versionInfo_.ProductName());
        senvola::SetWindowTextUtf8(Item(idcDescription), versionInfo_.FileDescription());
    }
}

AboutPanel::~AboutPanel() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
}

std::string AboutPanel::Text(int id) const {
    HWND c = Item(id);
    if (!c) return {};
    return senvola::WindowTextUtf8(c);
}

void AboutPanel::SetPicture(std::optional<senvola::BmpPicture> picture, HICON icon) {
    picture_ = std::move(picture);
    icon_ = icon;
    InvalidateRect(Item(idcProgramImage), nullptr, TRUE);
}

bool AboutPanel::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_DRAWITEM && control == Item(idcProgramImage)) {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_) {
            // At its own size from the top left, times the dialog's DPI scale like the text beside it.
            const RECT to{di.rcItem.left, di.rcItem.top, di.rcItem.left + Scaled(control, picture_->width),
                          di.rcItem.top + Scaled(control, picture_->height)};
            senvola::DrawPicture(di.hDC, to, *picture_, false);
        } else if (icon_) {
            DrawIcon(di.hDC, 0, 0, icon_);
        }
        result = TRUE;
        return true;
    }
    if (msg == WM_CTLCOLORSTATIC && control == Item(idcLegalNotice)) {
        // The notice sits on the panel's own background.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (control == Item(idcSystemInfo) && onSystemInfo) onSystemInfo();
        if (control == Item(idcTechSupport) && onTechSupport) onTechSupport();
        result = 0;
        return true;
    }
    return false;
}

// ---- AboutBox ----

void AboutBox::FillAboutPage(TabPage& page, const std::string& title) {
    panel_ = std::make_unique<AboutPanel>(page.Handle(), title, versionFile);
    AboutPanel& p = *panel_;
    SetWindowPos(p.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(p.Item(idcAboutOK), SW_HIDE);

    senvola::SetWindowTextUtf8(p.Item(idcSystemInfo), systemInfoCaption);
    senvola::SetWindowTextUtf8(p.Item(idcTechSupport), techSupportCaption);
    if (onTechSupport)
        p.onTechSupport = [this, &p] { onTechSupport(p); };
    else
        ShowWindow(p.Item(idcTechSupport), SW_HIDE);
    if (onSystemInfo)
        p.onSystemInfo = [this, &p] { onSystemInfo(p); };
    else
        ShowWindow(p.Item(idcSystemInfo), SW_HIDE);

    senvola::SetWindowTextUtf8(p.Item(idcVersion), FormatVersionLine(p.Version(), versionParts));

    if (std::optional<senvola::BmpPicture> picture = senvola::LoadBmpResource("BM_ABOUT"))
        p.SetPicture(std::move(picture), nullptr);
    else
        p.SetPicture(std::nullopt, ApplicationIcon());

    bool anyText = false;
    for (const auto& l : legalNotice_) anyText = anyText || !l.empty();
    if (anyText) {
        std::string text;
        for (size_t i = 0; i < legalNotice_.size(); ++i) {
            if (i) text += "\r\n";
            text += legalNotice_[i];
        }
        senvola::SetWindowTextUtf8(p.Item(idcLegalNotice), text);
    }
    ShowWindow(p.Handle(), SW_SHOW);
}

}  // namespace saverkit
