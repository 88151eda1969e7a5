#include "vekAboutBoxDialog.h"

#include "OptionsDialog.h"

namespace vek {

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
        size_t cr = text.find('\r', start);
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

std::string FormatVersionLine(const TvekVersionInfo& info, TvekVersionFlags format) {
    if (!info.Active()) return {};
    const TFileVersion& v = info.FileVersion();
    std::string number, extra;
    if (format & vvfMajor) number = std::to_string(v.Major());
    if (format & vvfMinor) number += "." + std::to_string(v.Minor());
    if (format & vvfRelease) number += "." + std::to_string(v.Release());
    if (format & vvfBuild) extra += std::string("Build") + " " + std::to_string(v.Build());
    const TFileFlags flags = info.FileFlags();
    if ((flags & vsDebug) && (format & vvfDebug)) extra += std::string(" :") + "Debug";
    if ((flags & vsPreRelease) && (format & vvfPrerelease)) extra += std::string(" :") + "Pre-release";
    if ((flags & vsPrivateBuild) && (format & vvfPrivate)) extra += std::string(" :") + "Private";
    if ((flags & vsSpecialBuild) && (format & vvfSpeacial)) extra += std::string(" :") + "Special";
    if (!extra.empty()) extra = " (" + extra + ")";
    return "Version " + number + extra;
}

// ---- TfrmvekAboutBox ----

TfrmvekAboutBox::TfrmvekAboutBox(HWND parent, const std::string& versionFile) {
    handle_ = CreatePanel(parent, 0, 0, 388, 321, TBevel::None);
    caption_ = "About " + ApplicationTitle();
    SetWindowTextA(handle_, caption_.c_str());
    auto add = [&](const char* cls, const std::string& text, DWORD style, int x, int y, int w, int h,
                   int id) {
        HWND c = CreateControl(handle_, cls, text, WS_VISIBLE | style, x, y, w, h, id);
        SetControlSink(c, this);
        return c;
    };
    HWND image = add("STATIC", "", SS_OWNERDRAW, 9, 9, 80, 200, idcProgramImage);
    SetGraphicControl(image, true);
    HWND product = add("STATIC", "", SS_LEFT, 100, 8, 277, 15, idcProductName);
    SendMessageA(product, WM_SETFONT, reinterpret_cast<WPARAM>(SharedFont("MS Sans Serif", 11, true)), FALSE);
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

    versionInfo_ = std::make_unique<TvekVersionInfo>(versionFile);
    if (versionInfo_->Active()) {
        SetWindowTextA(Item(idcCopyright), versionInfo_->LegalCopyright().c_str());
        SetWindowTextA(Item(idcProductName), versionInfo_->ProductName().c_str());
        SetWindowTextA(Item(idcDescription), versionInfo_->FileDescription().c_str());
    }
}

TfrmvekAboutBox::~TfrmvekAboutBox() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
    if (picture_) DeleteObject(picture_);
}

std::string TfrmvekAboutBox::Text(int id) const {
    HWND c = Item(id);
    if (!c) return {};
    int n = GetWindowTextLengthA(c);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(c, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

void TfrmvekAboutBox::SetPicture(HBITMAP bitmap, HICON icon) {
    if (picture_ && picture_ != bitmap) DeleteObject(picture_);
    picture_ = bitmap;
    icon_ = icon;
    InvalidateRect(Item(idcProgramImage), nullptr, TRUE);
}

bool TfrmvekAboutBox::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& result) {
    if (msg == WM_DRAWITEM && control == Item(idcProgramImage)) {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        FillRect(di->hDC, &di->rcItem, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_)
            DrawBitmap(di->hDC, picture_, di->rcItem, false, false);
        else if (icon_)
            DrawIcon(di->hDC, 0, 0, icon_);
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
        if (control == Item(idcSystemInfo) && OnSystemInfo) OnSystemInfo();
        if (control == Item(idcTechSupport) && OnTechSupport) OnTechSupport();
        result = 0;
        return true;
    }
    return false;
}

// ---- TvekAboutBoxDialog ----

TvekAboutBoxDialog::TvekAboutBoxDialog()
    : legalNotice_(DefaultLegalNotice()), versionInfo_(std::make_unique<TvekVersionInfo>()) {}

TvekAboutBoxDialog::~TvekAboutBoxDialog() = default;

void TvekAboutBoxDialog::FillAboutPage(TTabSheet& page) {
    panel_ = std::make_unique<TfrmvekAboutBox>(page.Handle(), VersionFile);
    TfrmvekAboutBox& p = *panel_;
    SetWindowPos(p.Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(p.Item(idcAboutOK), SW_HIDE);

    SetWindowTextA(p.Item(idcSystemInfo), Button1Caption.c_str());
    SetWindowTextA(p.Item(idcTechSupport), Button2Caption.c_str());
    void* sender = &p;
    if (OnTechSupport)
        p.OnTechSupport = [this, sender] { OnTechSupport(sender); };
    else
        ShowWindow(p.Item(idcTechSupport), SW_HIDE);
    if (OnSystemInfo)
        p.OnSystemInfo = [this, sender] { OnSystemInfo(sender); };
    else
        ShowWindow(p.Item(idcSystemInfo), SW_HIDE);

    SetWindowTextA(p.Item(idcVersion), FormatVersionLine(p.VersionInfo(), VersionFormat).c_str());

    HINSTANCE inst = GetModuleHandleA(nullptr);
    if (auto bmp = static_cast<HBITMAP>(LoadImageA(inst, "BM_ABOUT", IMAGE_BITMAP, 0, 0, 0)))
        p.SetPicture(bmp, nullptr);
    else
        p.SetPicture(nullptr, ApplicationIcon());

    bool anyText = false;
    for (const auto& l : legalNotice_) anyText = anyText || !l.empty();
    if (anyText) {
        std::string text;
        for (size_t i = 0; i < legalNotice_.size(); ++i) {
            if (i) text += "\r\n";
            text += legalNotice_[i];
        }
        SetWindowTextA(p.Item(idcLegalNotice), text.c_str());
    }
    ShowWindow(p.Handle(), SW_SHOW);
}

}  // namespace vek
