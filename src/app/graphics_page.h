// The "Graphics" page: a colour or a picture for the board, the black and the white stones, with
// a preview of the choice; whether the board shows alone, whether comments show, and whether each
// monitor shows a game of its own.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/dialogs.h"
#include "app/page_controls.h"
#include "saverkit/help.h"
#include "saverkit/tab_pages.h"
#include "platform/ini_file.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"
#include "win32/bmp_win32.h"

namespace senvola::app {

class GraphicsPage final : public saverkit::ControlSink {
public:
    // Builds the page's controls on `tab`; `pages` is the tab control the page belongs to. The
    // page writes what the user changes into `settings` at once.
    GraphicsPage(PageControls& controls, saverkit::TabPage& tab, HWND pages, ReplaySettings& settings,
                 const Dialogs& dialogs, const saverkit::Help& help);

    // Shows `settings` in the language of `table` and `file`, the board first.
    void Fill(const LanguageTable& table, const IniFile& file);
    void SetPromotion(const std::string& text);

    // What the preview shows.
    bool PreviewPictureVisible() const;
    bool PreviewColourVisible() const;
    unsigned long PreviewColour() const { return previewColour_; }
    bool PreviewHasPicture() const { return previewPicture_.has_value(); }

    bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The element the list shows (a GraphicsElement), or -1.
    int SelectedElement() const;
    // The element's stored choice: its picture where it has a readable one, else its colour.
    void ShowElement(int element);
    void ShowColour(COLORREF colour);
    // The picture at `path` in the preview; false when it is not a picture the saver would draw.
    bool ShowPicture(const std::string& path, bool transparent);
    void Check(int checked, int unchecked);
    void ChooseColour();
    void ChoosePicture();
    void DrawPreviewColour(const DRAWITEMSTRUCT& di) const;

    PageControls& controls_;
    HWND pages_;
    ReplaySettings& settings_;
    const Dialogs& dialogs_;
    const saverkit::Help& help_;
    // The open dialog's filter and the refusal of a picture, in the pages' language.
    std::string pictureFilter_ = "Picture files (*.bmp, *.png)|*.bmp;*.png|All files (*.*)|*.*";
    std::string invalidPicture_ = "Invalid bitmap file!";
    std::string errorCaption_ = "Error!";
    std::optional<BmpPicture> previewPicture_;
    bool previewTransparent_ = false;
    COLORREF previewColour_ = 0;
};

}  // namespace senvola::app
