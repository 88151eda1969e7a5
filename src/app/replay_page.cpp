#include "app/replay_page.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "app/control_ids.h"
#include "saverkit/dialog_scale.h"
#include "draw/info_panel.h"
#include "settings/language.h"
#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/window_text.h"

namespace senvola::app {

namespace {

using saverkit::Bevel;
using saverkit::Scaled;

// The program file's directory without a trailing separator, where the folder dialog starts.
std::string ProgramDirectoryNoSeparator() {
    const std::wstring dir = ProgramDirectory();
    if (dir.empty()) return {};
    return Utf8FromWide(std::wstring_view(dir).substr(0, dir.size() - 1));
}

// A whole number and nothing else; 0 for anything else.
int WholeNumber(const std::string& text) {
    int v = 0;
    const char* b = text.data();
    const char* e = b + text.size();
    const auto [ptr, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || ptr != e || text.empty()) return 0;
    return v;
}

}  // namespace

ReplayPage::ReplayPage(PageControls& controls, saverkit::TabPage& tab, HWND pages, ReplaySettings& settings,
                       LanguageTable& language, const Dialogs& dialogs, const saverkit::Help& help)
    : controls_(controls),
      pages_(pages),
      settings_(settings),
      language_(language),
      dialogs_(dialogs),
      help_(help) {
    HWND page = tab.Handle();
    HWND speed = controls_.AddPanel(page, 11, 7, 370, 66, Bevel::Raised, idSpeedPanel);
    controls_.Add(*this, speed, "STATIC", "Replay speed:", SS_CENTER, 28, 8, 339, 15, idSpeedCaption, true);
    controls_.Add(*this, speed, "STATIC", "Fast", SS_CENTER, 7, 33, 50, 15, idFastLabel, true);
    controls_.Add(*this, speed, "STATIC", "Slow", SS_CENTER, 314, 33, 51, 15, idSlowLabel, true);
    HWND bar = controls_.Add(*this, speed, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | WS_TABSTOP, 49,
                             25, 272, 33, idSpeedBar);
    SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 17));
    SendMessageA(bar, TBM_SETTICFREQ, 1, 0);
    SendMessageA(bar, TBM_SETPOS, TRUE, 4);

    HWND source = controls_.AddPanel(page, 11, 80, 370, 105, Bevel::Raised, idSourcePanel);
    controls_.Add(*this, source, "STATIC", "Choose .SGF or .GO files:", SS_LEFT, 11, 8, 121, 13, idSourceHeading, true);
    controls_.Add(*this, source, "STATIC", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN, 140, 5, 217, 17,
                  idSourceName, true);
    HWND group = controls_.AddPanel(source, 11, 24, 347, 73, Bevel::Group, idSourceGroup);
    controls_.AddRadio(*this, group, "Use internal professional games", 16, 12, 325, 17, idBuiltInGames, true);
    controls_.AddRadio(*this, group, "Select one file", 16, 32, 240, 17, idOneFile, false);
    controls_.AddRadio(*this, group, "Choose random files from a directory", 16, 52, 240, 17, idRandomFromDirectory,
                       false);
    controls_.Add(*this, group, "BUTTON", "Browse\u2026", BS_PUSHBUTTON | WS_TABSTOP, 262, 31, 75, 19, idBrowseFile);
    controls_.Add(*this, group, "BUTTON", "Browse\u2026", BS_PUSHBUTTON | WS_TABSTOP, 262, 51, 75, 19,
                  idBrowseDirectory);

    controls_.Add(*this, page, "STATIC", "Pause between games", SS_RIGHT, 0, 194, 137, 15, idPauseLabel, true);
    HWND pause = controls_.Add(*this, page, "EDIT", "0", ES_LEFT | WS_TABSTOP | ES_AUTOHSCROLL, 144, 190, 57 - 16, 22,
                               idPauseEdit);
    SetWindowLongA(pause, GWL_EXSTYLE, GetWindowLongA(pause, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(pause, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    HWND upDown = controls_.Add(*this, page, UPDOWN_CLASSA, "", UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT,
                                144 + 57 - 16, 190, 16, 22, idPauseUpDown);
    SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(pause), 0);
    SendMessageA(upDown, UDM_SETRANGE32, 0, 300);
    SendMessageA(upDown, UDM_SETPOS32, 0, 0);
    controls_.Add(*this, page, "STATIC", "seconds.", SS_LEFT, 208, 194, 73, 15, idSecondsLabel, true);
    controls_.Add(*this, page, "BUTTON", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 296, 192, 89, 25, idReplayHelp);
    controls_.AddPromotion(*this, page, idReplayPromotionPanel, idReplayPromotion);
}

void ReplayPage::SetPromotion(const std::string& text) { controls_.SetText(idReplayPromotion, text); }

void ReplayPage::Fill(const IniFile& file) {
    auto tr = [&](const char* key) { return Translate(language_, file, key); };
    SendMessageA(controls_.Get(idSpeedBar), TBM_SETPOS, TRUE, settings_.Speed);
    LoadSpeedTexts(language_, file);
    controls_.SetText(idSpeedCaption, FormatSpeedCaption(language_, settings_.Speed));
    controls_.SetText(idFastLabel, tr("ReplaySpeedFast"));
    controls_.SetText(idSlowLabel, tr("ReplaySpeedSlow"));
    LayOutSpeedRow();

    controls_.SetText(idSourceHeading, tr("ChooseSGFOrGoFiles") + ":");
    AutoSizeLabel(idSourceHeading);
    internalText_ = tr("Internal");
    sourceFilter_ = tr("SgfFiles") + " (*.sgf)|*.sgf|" + tr("GoFiles") + " (*.go)|*.go|" + tr("AllFiles") + " (*.*)|*.*";
    ShowSource();
    controls_.SetText(idBrowseFile, tr("Browse"));
    controls_.SetText(idBrowseDirectory, tr("Browse"));
    LayOutBrowseButtons();

    controls_.SetText(idBuiltInGames, tr("UseInternalProGames"));
    controls_.SetText(idOneFile, tr("SelectOneFile"));
    controls_.SetText(idRandomFromDirectory, tr("ChooseRandomFromDirectory"));
    CheckSourceRadio();

    SetWindowTextUtf8(controls_.Get(idPauseEdit), std::to_string(settings_.PauseBetweenGames));
    controls_.SetText(idPauseLabel, tr("PauseBetweenGames"));
    controls_.SetText(idSecondsLabel, tr("Seconds"));
    AutoSizeLabel(idSecondsLabel);
    controls_.SetText(idReplayHelp, tr("Help"));
}

void ReplayPage::AutoSizeLabel(int id) {
    HWND c = controls_.Get(id);
    const std::wstring text = WideFromUtf8(WindowText(c));
    SIZE sz{};
    {
        const ScopedGetDc dc(c);
        const ScopedSelectObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &sz);
    }
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
    // One line, as high as the font needs: a height taken while the label was still narrow may
    // have counted a wrapped second line, which would cover the group below.
    SetWindowPos(c, nullptr, 0, 0, sz.cx + Scaled(c, 2), std::max<LONG>(Scaled(c, 13), sz.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (id == idSourceHeading) {
        const int left = r.left + sz.cx + Scaled(c, 8);
        SetWindowPos(controls_.Get(idSourceName), nullptr, left, r.top - Scaled(c, 3),
                     std::max(Scaled(c, 40), Scaled(c, 357) - left), Scaled(c, 17), SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ReplayPage::LayOutSpeedRow() {
    // Each label as wide as its word, at its end of the row; the bar takes what lies between, so
    // a long word ("Langzaam") never runs under it.
    HWND fast = controls_.Get(idFastLabel), slow = controls_.Get(idSlowLabel), bar = controls_.Get(idSpeedBar);
    const int fastWidth = std::max(Scaled(fast, 30), TextWidth(fast) + Scaled(fast, 4));
    const int slowWidth = std::max(Scaled(slow, 30), TextWidth(slow) + Scaled(slow, 4));
    const int kLeft = Scaled(bar, 7), kRight = Scaled(bar, 365), kGap = Scaled(bar, 2), kTop = Scaled(bar, 33);
    auto height = [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    SetWindowPos(fast, nullptr, kLeft, kTop, fastWidth, height(fast), SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(slow, nullptr, kRight - slowWidth, kTop, slowWidth, height(slow), SWP_NOZORDER | SWP_NOACTIVATE);
    const int barLeft = kLeft + fastWidth + kGap;
    SetWindowPos(bar, nullptr, barLeft, Scaled(bar, 25), std::max(Scaled(bar, 60), kRight - slowWidth - kGap - barLeft),
                 Scaled(bar, 33), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReplayPage::LayOutBrowseButtons() {
    // Both as wide as the wider word ("Durchsuchen…"), at the group's right edge; their radio
    // buttons keep what is left.
    HWND any = controls_.Get(idBrowseFile);
    const int kRight = Scaled(any, 337), kGap = Scaled(any, 6), kRadioLeft = Scaled(any, 16), pad = Scaled(any, 16);
    const int width = std::max({Scaled(any, 75), TextWidth(controls_.Get(idBrowseFile)) + pad,
                                TextWidth(controls_.Get(idBrowseDirectory)) + pad});
    const int left = kRight - width;
    for (const auto& [button, radio] : {std::pair{idBrowseFile, idOneFile}, std::pair{idBrowseDirectory, idRandomFromDirectory}}) {
        RECT r;
        GetWindowRect(controls_.Get(button), &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(controls_.Get(button)), reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(controls_.Get(button), nullptr, left, r.top, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        RECT q;
        GetWindowRect(controls_.Get(radio), &q);
        SetWindowPos(controls_.Get(radio), nullptr, 0, 0, left - kGap - kRadioLeft, q.bottom - q.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ReplayPage::ShowSource() {
    HWND name = controls_.Get(idSourceName);
    if (settings_.FileLoadType == GameSourceKind::BuiltIn)
        controls_.SetText(idSourceName, internalText_);
    else
        SetPathText(name, settings_.DirFileString);
}

void ReplayPage::SpeedChanged() {
    const auto pos = SendMessageA(controls_.Get(idSpeedBar), TBM_GETPOS, 0, 0);
    settings_.Speed = static_cast<uint8_t>(std::clamp<LRESULT>(pos, 0, 17));
    controls_.SetText(idSpeedCaption, FormatSpeedCaption(language_, settings_.Speed));
}

void ReplayPage::PauseChanged() {
    settings_.PauseBetweenGames = WholeNumber(WindowText(controls_.Get(idPauseEdit)));
}

void ReplayPage::PauseLeft() {
    const std::string text = WindowText(controls_.Get(idPauseEdit));
    const int v = std::clamp(WholeNumber(text), 0, 300);
    if (text != std::to_string(v)) SetWindowTextUtf8(controls_.Get(idPauseEdit), std::to_string(v));
}

void ReplayPage::ChooseBuiltInGames() {
    settings_.FileLoadType = GameSourceKind::BuiltIn;
    ShowSource();
}

void ReplayPage::ChooseOneFile() {
    std::string path;
    if (!dialogs_.openFile || !dialogs_.openFile(OwnerOf(pages_), sourceFilter_, {}, path)) return;
    settings_.FileLoadType = GameSourceKind::OneFile;
    settings_.DirFileString = path;
    CheckSourceRadio();
    ShowSource();
}

void ReplayPage::ChooseDirectory() {
    std::string dir;
    if (!dialogs_.chooseDirectory || !dialogs_.chooseDirectory(OwnerOf(pages_), ProgramDirectoryNoSeparator(), dir))
        return;
    settings_.FileLoadType = GameSourceKind::Folder;
    settings_.DirFileString = dir;
    CheckSourceRadio();
    ShowSource();
}

void ReplayPage::CheckSourceRadio() {
    const int radios[3] = {idBuiltInGames, idOneFile, idRandomFromDirectory};
    for (int i = 0; i < 3; ++i)
        SendMessageA(controls_.Get(radios[i]), BM_SETCHECK,
                     static_cast<int>(settings_.FileLoadType) == i ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ReplayPage::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int id = GetDlgCtrlID(control);
    switch (msg) {
    case kReleaseAction:
        if (id == idBuiltInGames) ChooseBuiltInGames();
        if (id == idOneFile) ChooseOneFile();
        if (id == idRandomFromDirectory) ChooseDirectory();
        result = 0;
        return true;
    case WM_DRAWITEM:
        if (id == idReplayPromotion) DrawPromotion(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    case WM_HSCROLL:
        if (id != idSpeedBar) return false;
        SpeedChanged();
        result = 0;
        return true;
    case WM_COMMAND: {
        const int code = HIWORD(wParam);
        if (id == idPauseEdit && code == EN_CHANGE)
            PauseChanged();
        else if (id == idPauseEdit && code == EN_KILLFOCUS)
            PauseLeft();
        else if (id == idReplayHelp && code == BN_CLICKED)
            ShowHelpSection(help_, OwnerOf(pages_), "replay");
        else if (id == idBrowseFile && code == BN_CLICKED)
            ChooseOneFile();
        else if (id == idBrowseDirectory && code == BN_CLICKED)
            ChooseDirectory();
        else
            return false;
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace senvola::app
