#include "app/graphics_page.h"

#include <algorithm>

#include "app/control_ids.h"
#include "saverkit/dialog_scale.h"
#include "draw/info_panel.h"
#include "settings/language.h"
#include "win32/blit.h"
#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/png_win32.h"

namespace senvola::app {

namespace {

constexpr const char* kPictureStartDir = "C:\\Program Files\\Senvola\\";

bool DirectoryExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(LongPathForm(WideFromUtf8(path)).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// A stored picture path, at any length, as the loader opens it.
bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesW(LongPathForm(WideFromUtf8(path)).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Visible(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

GraphicsPage::GraphicsPage(PageControls& controls, saverkit::TabPage& tab, HWND pages, ReplaySettings& settings,
                           const Dialogs& dialogs, const saverkit::Help& help)
    : controls_(controls), pages_(pages), settings_(settings), dialogs_(dialogs), help_(help) {
    HWND page = tab.Handle();
    controls_.Add(*this, page, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 16, 24, 201, 120,
                  idElementChoice);
    HWND group =
        controls_.AddPanel(page, 16, 72, 201, 65, saverkit::Bevel::Group, idColourOrPictureGroup, "Color or bitmap?");
    controls_.AddRadio(*this, group, "Choose color", 8, 16, 185, 17, idChooseColour, true);
    controls_.AddRadio(*this, group, "choose bitmap", 8, 40, 185, 17, idChoosePicture, false);
    controls_.Add(*this, page, "STATIC", "", SS_CENTER | SS_LEFTNOWORDWRAP, 225, 8, 153, 15, idPictureName, true);
    controls_.Add(*this, page, "STATIC", "", SS_OWNERDRAW, 248, 32, 105, 105, idPreviewPicture, true);
    controls_.Add(*this, page, "STATIC", "", SS_OWNERDRAW, 248, 32, 105, 105, idPreviewColour, true);
    ShowWindow(controls_.Get(idPreviewPicture), SW_HIDE);
    controls_.Add(*this, page, "BUTTON", "Show board only", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 161, 184, 15,
                  idShowBoardOnly);
    controls_.Add(*this, page, "BUTTON", "Show Comments", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 193, 184, 15,
                  idShowComments);
    // Options of later versions: panel ones in the left column around the old boxes, which stay
    // where they were; board ones beside them, under the preview.
    controls_.Add(*this, page, "BUTTON", "Show the result from the start", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 145, 209,
                  15, idShowResultFromStart);
    controls_.Add(*this, page, "BUTTON", "Each monitor shows its own game", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 177,
                  212, 15, idGamePerMonitor);
    controls_.Add(*this, page, "BUTTON", "Give comments time to be read", BS_AUTOCHECKBOX | WS_TABSTOP, 41, 209, 209,
                  15, idCommentReadingTime);
    controls_.Add(*this, page, "BUTTON", "Flat stones", BS_AUTOCHECKBOX | WS_TABSTOP, 256, 145, 129, 15,
                  idFlatStones);
    controls_.Add(*this, page, "BUTTON", "Show coordinates", BS_AUTOCHECKBOX | WS_TABSTOP, 256, 161, 129, 15,
                  idShowCoordinates);
    controls_.Add(*this, page, "BUTTON", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 256, 176, 89, 25, idGraphicsHelp);
    controls_.AddPromotion(*this, page, idGraphicsPromotionPanel, idGraphicsPromotion);
}

void GraphicsPage::SetPromotion(const std::string& text) { controls_.SetText(idGraphicsPromotion, text); }

void GraphicsPage::Fill(const LanguageTable& table, const IniFile& file) {
    auto tr = [&](const char* key) { return Translate(table, file, key); };
    controls_.SetText(idGraphicsHelp, tr("Help"));
    HWND list = controls_.Get(idElementChoice);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    std::wstring all;
    for (const char* key : {"Board", "BlackStones", "WhiteStones"}) {
        const std::wstring item = WideFromUtf8(tr(key));
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        all += item;
    }
    saverkit::FitControlFont(list, all);
    controls_.SetText(idColourOrPictureGroup, tr("ColorOrBitmap"));
    controls_.SetText(idChooseColour, tr("ChooseColor"));
    controls_.SetText(idChoosePicture, tr("ChooseBitmap"));
    pictureFilter_ = tr("PictureFiles") + " (*.bmp, *.png)|*.bmp;*.png|" + tr("AllFiles") + " (*.*)|*.*";
    invalidPicture_ = tr("InvalidBitmap");
    errorCaption_ = tr("ErrorCaption");
    // The group's caption drawn in a taller face (Chinese, say) reaches further down: the two
    // choices move down by as much, as far as the group leaves room.
    {
        HWND group = controls_.Get(idColourOrPictureGroup);
        const std::wstring caption = WideFromUtf8(WindowText(group));
        SIZE sz{};
        const ScopedGetDc dc(group);
        const ScopedSelectObject font(dc.get(), saverkit::FontForText(saverkit::DialogFont(group), caption));
        GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &sz);
        const int down = std::clamp(static_cast<int>(sz.cy) - saverkit::Scaled(group, 13), 0, saverkit::Scaled(group, 6));
        const int left = saverkit::Scaled(group, 8);
        SetWindowPos(controls_.Get(idChooseColour), nullptr, left, saverkit::Scaled(group, 16) + down, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(controls_.Get(idChoosePicture), nullptr, left, saverkit::Scaled(group, 40) + down, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    ShowElement(geBoard);

    controls_.SetText(idShowBoardOnly, tr("ShowBoardOnly"));
    SendMessageA(controls_.Get(idShowBoardOnly), BM_SETCHECK, settings_.ShowBoardOnly ? BST_CHECKED : BST_UNCHECKED, 0);
    controls_.SetText(idShowComments, tr("ShowComments"));
    SendMessageA(controls_.Get(idShowComments), BM_SETCHECK, settings_.ShowComments ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(controls_.Get(idShowComments), settings_.ShowBoardOnly ? FALSE : TRUE);
    controls_.SetText(idCommentReadingTime, tr("CommentReadingTime"));
    SendMessageA(controls_.Get(idCommentReadingTime), BM_SETCHECK,
                 settings_.CommentReadingTime ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(controls_.Get(idCommentReadingTime), settings_.ShowBoardOnly ? FALSE : TRUE);
    controls_.SetText(idShowResultFromStart, tr("ShowResultFromStart"));
    SendMessageA(controls_.Get(idShowResultFromStart), BM_SETCHECK,
                 settings_.ShowResultFromStart ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(controls_.Get(idShowResultFromStart), settings_.ShowBoardOnly ? FALSE : TRUE);
    controls_.SetText(idGamePerMonitor, tr("GamePerMonitor"));
    SendMessageA(controls_.Get(idGamePerMonitor), BM_SETCHECK, settings_.GamePerMonitor ? BST_CHECKED : BST_UNCHECKED,
                 0);
    controls_.SetText(idShowCoordinates, tr("ShowCoordinates"));
    SendMessageA(controls_.Get(idShowCoordinates), BM_SETCHECK, settings_.ShowCoordinates ? BST_CHECKED : BST_UNCHECKED, 0);
    controls_.SetText(idFlatStones, tr("FlatStones"));
    SendMessageA(controls_.Get(idFlatStones), BM_SETCHECK, settings_.FlatStones ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool GraphicsPage::PreviewPictureVisible() const { return Visible(controls_.Get(idPreviewPicture)); }
bool GraphicsPage::PreviewColourVisible() const { return Visible(controls_.Get(idPreviewColour)); }

int GraphicsPage::SelectedElement() const {
    const auto sel = SendMessageA(controls_.Get(idElementChoice), CB_GETCURSEL, 0, 0);
    return sel >= 0 && sel <= 2 ? static_cast<int>(sel) : -1;
}

void GraphicsPage::ShowColour(COLORREF colour) {
    previewColour_ = colour;
    ShowWindow(controls_.Get(idPreviewPicture), SW_HIDE);
    ShowWindow(controls_.Get(idPreviewColour), SW_SHOW);
    InvalidateRect(controls_.Get(idPreviewColour), nullptr, TRUE);
}

bool GraphicsPage::ShowPicture(const std::string& path, bool transparent) {
    // The saver's own loader: the page accepts exactly the pictures the saver will draw.
    std::optional<BmpPicture> picture = LoadPictureFile(path);
    if (!picture) return false;
    previewPicture_ = std::move(picture);
    previewTransparent_ = transparent;
    ShowWindow(controls_.Get(idPreviewColour), SW_HIDE);
    ShowWindow(controls_.Get(idPreviewPicture), SW_SHOW);
    InvalidateRect(controls_.Get(idPreviewPicture), nullptr, TRUE);
    return true;
}

void GraphicsPage::Check(int checked, int unchecked) {
    SendMessageA(controls_.Get(checked), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(controls_.Get(unchecked), BM_SETCHECK, BST_UNCHECKED, 0);
}

void GraphicsPage::ShowElement(int e) {
    if (e < 0 || e > 2) return;
    const bool transparent = e != geBoard;
    if (settings_.UseBitmap[e] && FileExists(settings_.BitmapName[e]) && ShowPicture(settings_.BitmapName[e], transparent)) {
        controls_.SetText(idPictureName, std::string(FileNamePart(settings_.BitmapName[e])));
        Check(idChoosePicture, idChooseColour);
        return;
    }
    Check(idChooseColour, idChoosePicture);
    controls_.SetText(idPictureName, "");
    ShowColour(settings_.Color[e]);
}

void GraphicsPage::ChooseColour() {
    const int e = SelectedElement();
    if (e < 0) return;
    unsigned long colour = settings_.Color[e];
    if (!dialogs_.chooseColour || !dialogs_.chooseColour(OwnerOf(pages_), colour)) {
        ShowElement(e);  // the radio buttons as they were before the click
        return;
    }
    settings_.Color[e] = static_cast<Colour>(colour);
    settings_.UseBitmap[e] = false;
    controls_.SetText(idPictureName, "");
    ShowColour(static_cast<COLORREF>(colour));
}

void GraphicsPage::ChoosePicture() {
    const int e = SelectedElement();
    if (e < 0) return;
    std::string path;
    const std::string start = DirectoryExists(kPictureStartDir) ? kPictureStartDir : "";
    if (!dialogs_.openFile || !dialogs_.openFile(OwnerOf(pages_), pictureFilter_, start, path)) {
        ShowElement(e);
        return;
    }
    if (!ShowPicture(path, e != geBoard)) {
        ShowColour(settings_.Color[e]);
        if (dialogs_.showError) dialogs_.showError(OwnerOf(pages_), invalidPicture_, errorCaption_);
        // Settings unchanged: the preview and the radio buttons show them again as before.
        ShowElement(e);
        return;
    }
    controls_.SetText(idPictureName, std::string(FileNamePart(path)));
    settings_.UseBitmap[e] = true;
    settings_.BitmapName[e] = path;
    Check(idChoosePicture, idChooseColour);
}

void GraphicsPage::DrawPreviewColour(const DRAWITEMSTRUCT& di) const {
    const UniqueBrush brush(CreateSolidBrush(previewColour_));
    const UniquePen pen(CreatePen(PS_SOLID, 1, previewColour_));
    const ScopedSelectObject selectBrush(di.hDC, brush.get());
    const ScopedSelectObject selectPen(di.hDC, pen.get());
    Rectangle(di.hDC, di.rcItem.left, di.rcItem.top, di.rcItem.right, di.rcItem.bottom);
}

bool GraphicsPage::HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const int id = GetDlgCtrlID(control);
    switch (msg) {
    case kReleaseAction:
        if (id == idChooseColour) ChooseColour();
        if (id == idChoosePicture) ChoosePicture();
        result = 0;
        return true;
    case WM_DRAWITEM: {
        const auto& di = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (id == idGraphicsPromotion) {
            DrawPromotion(di);
        } else if (id == idPreviewPicture) {
            FillRect(di.hDC, &di.rcItem, GetSysColorBrush(COLOR_BTNFACE));
            if (previewPicture_) {
                SetStretchBltMode(di.hDC, COLORONCOLOR);
                DrawPicture(di.hDC, di.rcItem, *previewPicture_, previewTransparent_);
            }
        } else if (id == idPreviewColour) {
            DrawPreviewColour(di);
        }
        result = TRUE;
        return true;
    }
    case WM_COMMAND: {
        const int code = HIWORD(wParam);
        if (id == idElementChoice && code == CBN_SELCHANGE) {
            ShowElement(SelectedElement());
        } else if (id == idShowBoardOnly && code == BN_CLICKED) {
            settings_.ShowBoardOnly = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
            // Each of these shows on the panel, which the board alone does without.
            for (int panelOption : {idShowComments, idCommentReadingTime, idShowResultFromStart}) {
                EnableWindow(controls_.Get(panelOption), settings_.ShowBoardOnly ? FALSE : TRUE);
            }
        } else if (id == idShowComments && code == BN_CLICKED) {
            settings_.ShowComments = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idCommentReadingTime && code == BN_CLICKED) {
            settings_.CommentReadingTime = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idShowResultFromStart && code == BN_CLICKED) {
            settings_.ShowResultFromStart = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idGamePerMonitor && code == BN_CLICKED) {
            settings_.GamePerMonitor = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idShowCoordinates && code == BN_CLICKED) {
            settings_.ShowCoordinates = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idFlatStones && code == BN_CLICKED) {
            settings_.FlatStones = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        } else if (id == idGraphicsHelp && code == BN_CLICKED) {
            ShowHelpSection(help_, OwnerOf(pages_), "graphics");
        } else {
            return false;
        }
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace senvola::app
