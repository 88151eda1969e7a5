#include "Unit1Pages.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>

#include "OptionsDialog.h"
#include "bmp_win32.h"
#include "path_win32.h"
#include "settings/language.h"
#include "vekPageControl.h"

namespace senvola::app {

namespace {

using vek::CreateControl;
using vek::CreatePanel;
using vek::TBevel;

constexpr const char* kSourceFilter = "SGF files (*.sgf)|*.sgf|.GO files (*.go)|*.go|All files (*.*)|*.*";
constexpr const char* kBitmapFilter = "Bitmap files (*.bmp)|*.bmp|All files (*.*)|*.*";
constexpr const char* kBitmapStartDir = "C:\\Program Files\\Senvola\\";
constexpr COLORREF kWerftekstColour = RGB(0, 0, 255);
constexpr COLORREF kEmailColour = RGB(255, 0, 0);

std::string FileNamePart(const std::string& path) {
    const auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool DirectoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// A stored picture path, at any length, as the loader opens it.
bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(LongPathForm(WideFromAnsi(path)).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The program file's directory, without a trailing separator, for the ANSI folder dialog; empty
// where the system code page cannot spell it.
std::string ProgramDirectoryNoSeparator() {
    const std::wstring dir = ProgramDirectory();
    if (dir.empty()) return {};
    return ExactAnsiFromWide(std::wstring_view(dir).substr(0, dir.size() - 1)).value_or(std::string());
}

std::string WindowText(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(0, n)));
    return s;
}

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
    if (msg == BFFM_INITIALIZED && data) SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

bool SystemOpenFile(HWND owner, const std::string& filter, const std::string& initialDir, std::string& path) {
    std::string f = filter;
    std::replace(f.begin(), f.end(), '|', '\0');
    f.push_back('\0');
    f.push_back('\0');
    char file[MAX_PATH * 2] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = f.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&ofn)) return false;
    path = file;
    return true;
}

bool SystemChooseDirectory(HWND owner, const std::string& startDir, std::string& directory) {
    char display[MAX_PATH] = {};
    BROWSEINFOA bi{};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.ulFlags = BIF_RETURNONLYFSDIRS;  // classic style: no help button, no new-folder button
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(startDir.c_str());
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderA(&bi);
    if (!pidl) return false;
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(pidl, path) != FALSE;
    CoTaskMemFree(pidl);
    if (!ok) return false;
    directory = path;
    return true;
}

bool SystemChooseColour(HWND owner, unsigned long& colour) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    if (!ChooseColorA(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

void SystemShowError(HWND owner, const std::string& text, const std::string& caption) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_ICONEXCLAMATION | MB_OK);
}

constexpr UINT kReleaseAction = WM_APP + 0x310;

// Radio buttons act when the mouse button is released over them (or the space bar).
LRESULT CALLBACK ReleaseActionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR data);

}  // namespace

TForm1Dialogs SystemDialogs() {
    return {SystemOpenFile, SystemChooseDirectory, SystemChooseColour, SystemShowError};
}

struct TForm1Pages::Impl : vek::TControlSink {
    OptionsState& state;
    std::unique_ptr<vek::TPageControl> pc;
    vek::TTabSheet* tabsheet_replayoptions = nullptr;
    vek::TTabSheet* tabsheet_graphics = nullptr;
    vek::TTabSheet* tabsheet_language = nullptr;
    std::map<int, HWND> controls;
    TForm1Dialogs dialogs = SystemDialogs();
    HBITMAP previewBitmap = nullptr;
    bool previewTransparent = false;
    COLORREF shapeColour = 0;
    bool filling = false;

    Impl(OptionsState& s, HWND parent) : state(s) {
        pc = std::make_unique<vek::TPageControl>(parent, 0, 0, 401, 377);
        tabsheet_replayoptions = &pc->AddPage("Replay options");
        tabsheet_graphics = &pc->AddPage("Graphics");
        tabsheet_language = &pc->AddPage("Language");
        BuildReplayPage();
        BuildGraphicsPage();
        BuildLanguagePage();
    }
    ~Impl() override {
        if (previewBitmap) DeleteObject(previewBitmap);
    }

    HWND C(int id) const {
        auto it = controls.find(id);
        return it == controls.end() ? nullptr : it->second;
    }

    HWND Add(HWND parent, const char* cls, const std::string& text, DWORD style, int x, int y, int w,
             int h, int id, bool graphic = false) {
        HWND c = CreateControl(parent, cls, text, WS_VISIBLE | style, x, y, w, h, id);
        vek::SetControlSink(c, this);
        vek::SetGraphicControl(c, graphic);
        controls[id] = c;
        return c;
    }
    HWND AddPanel(HWND parent, int x, int y, int w, int h, TBevel bevel, int id,
                  const std::string& caption = {}) {
        HWND c = CreatePanel(parent, x, y, w, h, bevel, caption, id);
        controls[id] = c;
        return c;
    }
    HWND AddRadio(HWND parent, const std::string& text, int x, int y, int w, int h, int id, bool first) {
        HWND c = Add(parent, "BUTTON", text, BS_AUTORADIOBUTTON | WS_TABSTOP | (first ? WS_GROUP : 0), x,
                     y, w, h, id);
        SetWindowSubclass(c, ReleaseActionProc, 1, reinterpret_cast<DWORD_PTR>(static_cast<vek::TControlSink*>(this)));
        return c;
    }

    void BuildReplayPage() {
        HWND page = tabsheet_replayoptions->Handle();
        HWND p1 = AddPanel(page, 11, 7, 370, 66, TBevel::Raised, idPanel1);
        Add(p1, "STATIC", "Replay speed:", SS_CENTER, 28, 8, 339, 15, idlblReplay, true);
        Add(p1, "STATIC", "Fast", SS_CENTER, 7, 33, 50, 15, idlbl_Fast, true);
        Add(p1, "STATIC", "Slow", SS_CENTER, 314, 33, 51, 15, idlbl_slow, true);
        HWND bar = Add(p1, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 49, 25,
                       272, 33, idSpeedBar);
        SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 17));
        SendMessageA(bar, TBM_SETTICFREQ, 1, 0);
        SendMessageA(bar, TBM_SETPOS, TRUE, 4);

        HWND p2 = AddPanel(page, 40, 80, 312, 105, TBevel::Raised, idPanel2);
        Add(p2, "STATIC", "Choose .SGF or .GO files:", SS_LEFT, 11, 8, 121, 13, idlbl_ChooseFiles, true);
        Add(p2, "STATIC", "", SS_RIGHT | SS_PATHELLIPSIS, 239, 8, 56, 13, idlbl_sgfname, true);
        HWND g2 = AddPanel(p2, 11, 24, 289, 73, TBevel::Group, idGroupBox2);
        AddRadio(g2, "Use internal professional games", 16, 12, 265, 17, idrad_InternalProGames, true);
        AddRadio(g2, "Select one file", 16, 32, 265, 17, idrad_SelectOneFile, false);
        AddRadio(g2, "Choose random files from a directory", 16, 52, 265, 17, idrad_ChooseRandom, false);

        Add(page, "STATIC", "Pause between games", SS_RIGHT, 0, 194, 137, 15, idlbl_PauseBetweenGames, true);
        HWND spin = Add(page, "EDIT", "0", ES_LEFT | WS_TABSTOP | ES_AUTOHSCROLL, 144, 190, 57 - 16, 22,
                        idspin_pause);
        SetWindowLongA(spin, GWL_EXSTYLE, GetWindowLongA(spin, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        SetWindowPos(spin, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        HWND up = Add(page, UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT, 144 + 57 - 16,
                      190, 16, 22, idspin_pause_updown);
        SendMessageA(up, UDM_SETBUDDY, reinterpret_cast<WPARAM>(spin), 0);
        SendMessageA(up, UDM_SETRANGE32, 0, 300);
        SendMessageA(up, UDM_SETPOS32, 0, 0);
        Add(page, "STATIC", "seconds.", SS_LEFT, 208, 194, 73, 15, idlbl_seconds, true);
        Add(page, "BUTTON", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 296, 192, 89, 25, idbitbtn_help);
        HWND wp = AddPanel(page, 8, 224, 377, 113, TBevel::Raised, idWerftekstPanel);
        Add(wp, "STATIC", "", SS_OWNERDRAW, 1, 1, 375, 111, idWerftekstLabel, true);
    }

    void BuildGraphicsPage() {
        HWND page = tabsheet_graphics->Handle();
        Add(page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 16, 24, 201, 120,
            idcombo_graphicskeuzes);
        HWND g = AddPanel(page, 16, 72, 201, 65, TBevel::Group, idgrpbox_colorbitmap, "Color or bitmap?");
        AddRadio(g, "Choose color", 8, 16, 185, 17, idradio_choosecolor, true);
        AddRadio(g, "choose bitmap", 8, 40, 185, 17, idradio_choosebitmap, false);
        Add(page, "STATIC", "", SS_CENTER | SS_LEFTNOWORDWRAP, 225, 8, 153, 15, idlbl_bestandsnaam, true);
        Add(page, "STATIC", "", SS_OWNERDRAW, 248, 32, 105, 105, idimg_voorbeeldplaatje, true);
        Add(page, "STATIC", "", SS_OWNERDRAW, 248, 32, 105, 105, idshape_voorbeeldkleur, true);
        ShowWindow(C(idimg_voorbeeldplaatje), SW_HIDE);
        Add(page, "BUTTON", "Show board only", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 161, 184, 15, idchkShowBoardOnly);
        Add(page, "BUTTON", "Show Comments", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 193, 184, 15, idchk_ShowComments);
        Add(page, "BUTTON", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 256, 176, 89, 25, idbitbtn_help2);
        HWND wp = AddPanel(page, 8, 224, 377, 113, TBevel::Raised, idWerftekstPanel2);
        Add(wp, "STATIC", "", SS_OWNERDRAW, 1, 1, 375, 111, idWerftekstLabel2, true);
    }

    void BuildLanguagePage() {
        HWND page = tabsheet_language->Handle();
        Add(page, "STATIC",
            "Senvola supports several languages. Please choose your language from the list below.", SS_LEFT,
            16, 24, 361, 49, idlbl_ChooseLanguage, true);
        HWND list = Add(page, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 60, 80, 273, 97,
                        idlistbox_Language);
        SetWindowLongA(list, GWL_EXSTYLE, GetWindowLongA(list, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        SetWindowPos(list, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        HWND p3 = AddPanel(page, 36, 216, 321, 105, TBevel::RaisedInLoweredOut, idPanel3);
        Add(p3, "STATIC",
            "If your language is not listed and you would like to add it, please contact me on my email "
            "address:",
            SS_OWNERDRAW, 16, 8, 289, 49, idLabel3, true);
        HWND mail = Add(p3, "STATIC", kMakerEmail, SS_CENTER, 50, 56, 221, 33, idLabel6, true);
        SendMessageA(mail, WM_SETFONT, reinterpret_cast<WPARAM>(vek::SharedFont("MS Sans Serif", 13, true)), FALSE);
    }

    // ---- handlers ----

    void SetText(int id, const std::string& text) {
        SetWindowTextA(C(id), text.c_str());
        InvalidateRect(C(id), nullptr, TRUE);
    }

    // Labels that grow with their text, as designed labels do; the source name then takes the
    // room to the right of the heading, shortening long paths in the middle.
    void AutoSizeLabel(int id) {
        HWND c = C(id);
        const std::string text = WindowText(c);
        HDC dc = GetDC(c);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(c, WM_GETFONT, 0, 0)));
        SIZE sz{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
        SelectObject(dc, old);
        ReleaseDC(c, dc);
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(c, nullptr, 0, 0, sz.cx + 2, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (id == idlbl_ChooseFiles) {
            const int left = r.left + sz.cx + 8;
            SetWindowPos(C(idlbl_sgfname), nullptr, left, r.top, std::max(20, 295 - left), r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    std::string SpeedText(int speed) const {
        return state.Language.SpeedCaption + ": " + FormatSpeedLabel(state.Language, speed);
    }

    void SpeedBarChange() {
        const auto pos = SendMessageA(C(idSpeedBar), TBM_GETPOS, 0, 0);
        state.Settings.Speed = static_cast<uint8_t>(std::clamp<LRESULT>(pos, 0, 17));
        SetText(idlblReplay, SpeedText(state.Settings.Speed));
    }

    static int WholeNumber(const std::string& text) {
        int v = 0;
        const char* b = text.data();
        const char* e = b + text.size();
        auto [ptr, ec] = std::from_chars(b, e, v);
        if (ec != std::errc() || ptr != e || text.empty()) return 0;
        return v;
    }

    void spin_pauseChange() {
        state.Settings.PauseBetweenGames = WholeNumber(WindowText(C(idspin_pause)));
    }
    void spin_pauseExit() {
        const std::string text = WindowText(C(idspin_pause));
        const int v = std::clamp(WholeNumber(text), 0, 300);
        if (text != std::to_string(v)) SetWindowTextA(C(idspin_pause), std::to_string(v).c_str());
    }

    void RadioButton1MouseDown() {
        state.Settings.FileLoadType = GameSourceKind::BuiltIn;
        SetText(idlbl_sgfname, "Internal");
    }
    void RadioButton2MouseDown() {
        std::string path;
        if (!dialogs.OpenFile || !dialogs.OpenFile(Owner(), kSourceFilter, {}, path)) return;
        state.Settings.FileLoadType = GameSourceKind::OneFile;
        state.Settings.DirFileString = path;
        SetText(idlbl_sgfname, FileNamePart(path));
    }
    void RadioButton3MouseDown() {
        std::string dir;
        if (!dialogs.ChooseDirectory || !dialogs.ChooseDirectory(Owner(), ProgramDirectoryNoSeparator(), dir))
            return;
        state.Settings.FileLoadType = GameSourceKind::Folder;
        state.Settings.DirFileString = dir;
        SetText(idlbl_sgfname, dir);
    }

    int SelectedElement() const {
        const auto sel = SendMessageA(C(idcombo_graphicskeuzes), CB_GETCURSEL, 0, 0);
        return sel >= 0 && sel <= 2 ? static_cast<int>(sel) : -1;
    }

    void ShowShape(COLORREF colour) {
        shapeColour = colour;
        ShowWindow(C(idimg_voorbeeldplaatje), SW_HIDE);
        ShowWindow(C(idshape_voorbeeldkleur), SW_SHOW);
        InvalidateRect(C(idshape_voorbeeldkleur), nullptr, TRUE);
    }

    void CheckRadio(int checked, int unchecked) {
        SendMessageA(C(checked), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(C(unchecked), BM_SETCHECK, BST_UNCHECKED, 0);
    }

    // Loads a picture into the preview image; false when it is not a readable bitmap.
    bool LoadPreview(const std::string& path, bool transparent) {
        // The saver's own loader: the page accepts exactly the pictures the saver will draw.
        std::optional<BmpPicture> picture = LoadBmpFile(path);
        if (!picture) return false;
        if (previewBitmap) DeleteObject(previewBitmap);
        previewBitmap = picture->bitmap.release();
        previewTransparent = transparent;
        ShowWindow(C(idshape_voorbeeldkleur), SW_HIDE);
        ShowWindow(C(idimg_voorbeeldplaatje), SW_SHOW);
        InvalidateRect(C(idimg_voorbeeldplaatje), nullptr, TRUE);
        return true;
    }

    void ShowGraphicsElement(int e) {
        if (e < 0 || e > 2) return;
        const ReplaySettings& s = state.Settings;
        const bool transparent = e != geBoard;
        if (s.UseBitmap[e] && FileExists(s.BitmapName[e]) && LoadPreview(s.BitmapName[e], transparent)) {
            SetText(idlbl_bestandsnaam, FileNamePart(s.BitmapName[e]));
            CheckRadio(idradio_choosebitmap, idradio_choosecolor);
            return;
        }
        CheckRadio(idradio_choosecolor, idradio_choosebitmap);
        SetText(idlbl_bestandsnaam, "");
        ShowShape(s.Color[e]);
    }

    void combo_graphicskeuzesChange() { ShowGraphicsElement(SelectedElement()); }

    void radio_choosecolorMouseUp() {
        const int e = SelectedElement();
        if (e < 0) return;
        unsigned long colour = state.Settings.Color[e];
        if (!dialogs.ChooseColour || !dialogs.ChooseColour(Owner(), colour)) {
            ShowGraphicsElement(e);  // the radio buttons as they were before the click
            return;
        }
        state.Settings.Color[e] = static_cast<Colour>(colour);
        state.Settings.UseBitmap[e] = false;
        SetText(idlbl_bestandsnaam, "");
        ShowShape(static_cast<COLORREF>(colour));
    }

    void radio_choosebitmapMouseUp() {
        const int e = SelectedElement();
        if (e < 0) return;
        std::string path;
        const std::string start = DirectoryExists(kBitmapStartDir) ? kBitmapStartDir : "";
        if (!dialogs.OpenFile || !dialogs.OpenFile(Owner(), kBitmapFilter, start, path)) {
            ShowGraphicsElement(e);
            return;
        }
        if (!LoadPreview(path, e != geBoard)) {
            ShowShape(state.Settings.Color[e]);
            if (dialogs.ShowError) dialogs.ShowError(Owner(), "Invalid bitmap file!", "Error!");
            // Settings unchanged: the preview and the radio buttons show them again as before.
            ShowGraphicsElement(e);
            return;
        }
        SetText(idlbl_bestandsnaam, FileNamePart(path));
        state.Settings.UseBitmap[e] = true;
        state.Settings.BitmapName[e] = path;
        CheckRadio(idradio_choosebitmap, idradio_choosecolor);
    }

    void chkShowBoardOnlyClick() {
        state.Settings.ShowBoardOnly = SendMessageA(C(idchkShowBoardOnly), BM_GETCHECK, 0, 0) == BST_CHECKED;
        EnableWindow(C(idchk_ShowComments), state.Settings.ShowBoardOnly ? FALSE : TRUE);
    }
    void chk_ShowCommentsClick() {
        state.Settings.ShowComments = SendMessageA(C(idchk_ShowComments), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    void bitbtn_helpClick() {
        HWND owner = Owner();
        if (vek::ApplicationHelp(owner, HELP_CONTENTS, 0))
            vek::ApplicationHelp(owner, HELP_COMMAND, reinterpret_cast<ULONG_PTR>("JI(`',`Contents')"));
    }

    HWND Owner() const { return GetAncestor(pc->Handle(), GA_ROOT); }

    void ReleaseAction(HWND control) {
        const int id = GetDlgCtrlID(control);
        switch (id) {
        case idrad_InternalProGames: RadioButton1MouseDown(); break;
        case idrad_SelectOneFile: RadioButton2MouseDown(); break;
        case idrad_ChooseRandom: RadioButton3MouseDown(); break;
        case idradio_choosecolor: radio_choosecolorMouseUp(); break;
        case idradio_choosebitmap: radio_choosebitmapMouseUp(); break;
        default: break;
        }
    }

    // ---- drawing ----

    void DrawWrappedCentred(const DRAWITEMSTRUCT& di, HFONT font, COLORREF colour, UINT horizontal) {
        FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        const std::string text = WindowText(di.hwndItem);
        HGDIOBJ old = SelectObject(di.hDC, font);
        RECT calc = di.rcItem;
        DrawTextA(di.hDC, text.c_str(), -1, &calc, DT_WORDBREAK | DT_CALCRECT | horizontal | DT_NOPREFIX);
        RECT r = di.rcItem;
        const int h = calc.bottom - calc.top;
        r.top += std::max(0L, ((di.rcItem.bottom - di.rcItem.top) - h) / 2);
        SetBkMode(di.hDC, TRANSPARENT);
        SetTextColor(di.hDC, colour);
        DrawTextA(di.hDC, text.c_str(), -1, &r, DT_WORDBREAK | horizontal | DT_NOPREFIX);
        SelectObject(di.hDC, old);
    }

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        const int id = GetDlgCtrlID(control);
        switch (msg) {
        case kReleaseAction:
            ReleaseAction(control);
            result = 0;
            return true;
        case WM_DRAWITEM: {
            const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (id == idWerftekstLabel || id == idWerftekstLabel2) {
                DrawWrappedCentred(di, vek::SharedFont("Arial", 13, true), kWerftekstColour, DT_CENTER);
            } else if (id == idLabel3) {
                DrawWrappedCentred(di, vek::DefaultFont(), GetSysColor(COLOR_BTNTEXT), DT_LEFT);
            } else if (id == idimg_voorbeeldplaatje) {
                FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_BTNFACE));
                vek::DrawBitmap(di.hDC, previewBitmap, di.rcItem, true, previewTransparent);
            } else if (id == idshape_voorbeeldkleur) {
                HBRUSH brush = CreateSolidBrush(shapeColour);
                HPEN pen = CreatePen(PS_SOLID, 1, shapeColour);
                HGDIOBJ ob = SelectObject(di.hDC, brush);
                HGDIOBJ op = SelectObject(di.hDC, pen);
                Rectangle(di.hDC, di.rcItem.left, di.rcItem.top, di.rcItem.right, di.rcItem.bottom);
                SelectObject(di.hDC, ob);
                SelectObject(di.hDC, op);
                DeleteObject(brush);
                DeleteObject(pen);
            }
            result = TRUE;
            return true;
        }
        case WM_CTLCOLORSTATIC:
            if (id == idLabel6) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, kEmailColour);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
                return true;
            }
            return false;
        case WM_HSCROLL:
            if (id == idSpeedBar) {
                SpeedBarChange();
                result = 0;
                return true;
            }
            return false;
        case WM_COMMAND: {
            const int code = HIWORD(wParam);
            if (id == idspin_pause && code == EN_CHANGE) spin_pauseChange();
            else if (id == idspin_pause && code == EN_KILLFOCUS) spin_pauseExit();
            else if (id == idcombo_graphicskeuzes && code == CBN_SELCHANGE) combo_graphicskeuzesChange();
            else if (id == idchkShowBoardOnly && code == BN_CLICKED) chkShowBoardOnlyClick();
            else if (id == idchk_ShowComments && code == BN_CLICKED) chk_ShowCommentsClick();
            else if ((id == idbitbtn_help || id == idbitbtn_help2) && code == BN_CLICKED) bitbtn_helpClick();
            else return false;
            result = 0;
            return true;
        }
        default:
            return false;
        }
    }

    // ---- filling ----

    void FillPages(const IniFile& file) {
        LanguageTable& t = state.Language;
        ReplaySettings& s = state.Settings;
        // Every text falls back to the one built-in English table.
        auto tr = [&](const char* key) { return Translate(t, file, key); };

        HWND list = C(idlistbox_Language);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const auto& entry : t.LanguageList)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        const int count = static_cast<int>(t.LanguageList.size());
        SendMessageA(list, LB_SETCURSEL, s.Language >= 0 && s.Language < count ? s.Language : -1, 0);
        SetText(idlbl_ChooseLanguage,
                tr("ChooseLanguage"));

        const std::string werf = ConfigurationText(t, file);
        SetText(idWerftekstLabel, werf);
        SetText(idWerftekstLabel2, werf);

        SendMessageA(C(idSpeedBar), TBM_SETPOS, TRUE, s.Speed);
        LoadSpeedTexts(t, file);
        SetText(idlblReplay, SpeedText(s.Speed));
        SetText(idlbl_Fast, tr("ReplaySpeedFast"));
        SetText(idlbl_slow, tr("ReplaySpeedSlow"));

        SetText(idlbl_ChooseFiles, tr("ChooseSGFOrGoFiles") + ":");
        AutoSizeLabel(idlbl_ChooseFiles);
        SetText(idlbl_sgfname, s.DirFileString);

        SetText(idrad_InternalProGames, tr("UseInternalProGames"));
        SetText(idrad_SelectOneFile, tr("SelectOneFile"));
        SetText(idrad_ChooseRandom, tr("ChooseRandomFromDirectory"));
        const int sourceRadios[3] = {idrad_InternalProGames, idrad_SelectOneFile, idrad_ChooseRandom};
        for (int i = 0; i < 3; ++i)
            SendMessageA(C(sourceRadios[i]), BM_SETCHECK,
                         static_cast<int>(s.FileLoadType) == i ? BST_CHECKED : BST_UNCHECKED, 0);

        SetWindowTextA(C(idspin_pause), std::to_string(s.PauseBetweenGames).c_str());
        SetText(idlbl_PauseBetweenGames, tr("PauseBetweenGames"));
        SetText(idlbl_seconds, tr("Seconds"));
        AutoSizeLabel(idlbl_seconds);
        const std::string help = tr("Help");
        SetText(idbitbtn_help, help);
        SetText(idbitbtn_help2, help);

        HWND combo = C(idcombo_graphicskeuzes);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const char* key : {"Board", "BlackStones", "WhiteStones"})
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tr(key).c_str()));
        SetText(idgrpbox_colorbitmap, tr("ColorOrBitmap"));
        SetText(idradio_choosecolor, tr("ChooseColor"));
        SetText(idradio_choosebitmap, tr("ChooseBitmap"));

        SendMessageA(combo, CB_SETCURSEL, 0, 0);
        ShowGraphicsElement(geBoard);

        tabsheet_replayoptions->SetCaption(tr("ReplayOptions"));
        tabsheet_graphics->SetCaption(tr("Graphics"));
        tabsheet_language->SetCaption(tr("Language"));

        SetText(idchkShowBoardOnly, tr("ShowBoardOnly"));
        SendMessageA(C(idchkShowBoardOnly), BM_SETCHECK, s.ShowBoardOnly ? BST_CHECKED : BST_UNCHECKED, 0);
        SetText(idchk_ShowComments, tr("ShowComments"));
        SendMessageA(C(idchk_ShowComments), BM_SETCHECK, s.ShowComments ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(C(idchk_ShowComments), s.ShowBoardOnly ? FALSE : TRUE);
    }
};

namespace {

LRESULT CALLBACK ReleaseActionProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* sink = reinterpret_cast<vek::TControlSink*>(data);
    LRESULT ignored = 0;
    if (msg == WM_LBUTTONUP) {
        // The button checks itself first, as on any click; then the action runs.
        LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        RECT rc;
        GetClientRect(hwnd, &rc);
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (PtInRect(&rc, pt) && IsWindow(hwnd)) sink->HandleControlMessage(hwnd, kReleaseAction, 0, 0, ignored);
        return r;
    }
    if (msg == WM_KEYUP && wParam == VK_SPACE) {
        LRESULT r = DefSubclassProc(hwnd, msg, wParam, lParam);
        if (IsWindow(hwnd)) sink->HandleControlMessage(hwnd, kReleaseAction, 0, 0, ignored);
        return r;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ReleaseActionProc, 1);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

TForm1Pages::TForm1Pages(OptionsState& state, HINSTANCE, HWND hiddenParent)
    : impl_(std::make_unique<Impl>(state, hiddenParent)) {}

TForm1Pages::~TForm1Pages() = default;

vek::TPageControl& TForm1Pages::PageControl1() { return *impl_->pc; }

void TForm1Pages::ActivateFirstPage() { impl_->pc->SetActivePage(impl_->tabsheet_replayoptions); }

void TForm1Pages::FillPages(const IniFile& languageFile) { impl_->FillPages(languageFile); }

int TForm1Pages::SelectedLanguagePosition() const {
    HWND list = impl_->C(idlistbox_Language);
    return IsWindow(list) ? static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)) : -1;
}

std::string TForm1Pages::SelectedLanguageName() const {
    HWND list = impl_->C(idlistbox_Language);
    const int sel = SelectedLanguagePosition();
    if (sel < 0) return {};
    const auto n = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

void TForm1Pages::SetDialogs(TForm1Dialogs dialogs) { impl_->dialogs = std::move(dialogs); }

HWND TForm1Pages::Control(int id) const { return impl_->C(id); }

bool TForm1Pages::PreviewImageVisible() const {
    return (GetWindowLongA(impl_->C(idimg_voorbeeldplaatje), GWL_STYLE) & WS_VISIBLE) != 0;
}
bool TForm1Pages::PreviewShapeVisible() const {
    return (GetWindowLongA(impl_->C(idshape_voorbeeldkleur), GWL_STYLE) & WS_VISIBLE) != 0;
}
unsigned long TForm1Pages::PreviewShapeColour() const { return impl_->shapeColour; }
bool TForm1Pages::PreviewHasBitmap() const { return impl_->previewBitmap != nullptr; }

}  // namespace senvola::app
