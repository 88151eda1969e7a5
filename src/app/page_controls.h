// What the three option pages share: their controls, found by id (a control keeps its id when
// the options dialog takes it over); the pages' way of making controls; radio buttons that act
// when released; and the wrapped, centred texts drawn on two of the pages.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>

#include "saverkit/help.h"
#include "saverkit/tab_pages.h"

namespace senvola::app {

// The message a radio button made by AddRadio sends its sink when it has been released over
// itself (or by the space bar), after it has checked itself.
inline constexpr UINT kReleaseAction = WM_APP + 0x310;

class PageControls {
public:
    // The control with `id`, or null.
    HWND Get(int id) const;
    // A visible control whose notifications go to `sink`.
    HWND Add(saverkit::ControlSink& sink, HWND parent, const char* className, const std::string& text, DWORD style,
             int x, int y, int w, int h, int id, bool graphic = false);
    HWND AddPanel(HWND parent, int x, int y, int w, int h, saverkit::Bevel bevel, int id,
                  const std::string& caption = {});
    // A radio button (`first` of its group or not) that sends kReleaseAction.
    HWND AddRadio(saverkit::ControlSink& sink, HWND parent, const std::string& text, int x, int y, int w, int h, int id,
                  bool first);
    // The panel at the foot of the replay and graphics pages, with the promotion text label.
    void AddPromotion(saverkit::ControlSink& sink, HWND page, int panelId, int labelId);
    // A new text, painted at once.
    void SetText(int id, const std::string& text);

private:
    std::map<int, HWND> controls_;
};

std::string WindowText(HWND window);
// A label, check box or radio button made as tall as its text needs (never smaller).
void FitHeightToText(HWND control);
// Width in pixels of the control's text in the control's font (the font it would draw with for
// that text, for scripts its own font lacks).
int TextWidth(HWND control);
// `path` in the control, whole when it fits and otherwise its end after "…": the file or folder
// name is the part that tells paths apart.
void SetPathText(HWND control, const std::string& path);
// The label's text, word-wrapped and centred upright in it, on the button face.
void DrawWrappedCentred(const DRAWITEMSTRUCT& di, HFONT font, COLORREF colour, UINT horizontal);
// The promotion text label of AddPromotion: blue Arial on the button face.
void DrawPromotion(const DRAWITEMSTRUCT& di);
// The window the pages' dialogs and help belong to: the top-level window around the pages' own
// tab control `pages`, which stays with the program's hidden window when the options dialog
// takes the pages' controls.
HWND OwnerOf(HWND pages);
// What the pages' help buttons open: the help page at the page's own section, or the contents
// of the help file; nothing without help.
void ShowHelpSection(const saverkit::Help& help, HWND owner, std::string_view section);

}  // namespace senvola::app
