// Tab pages for the options dialog and the application's own option pages: a tab strip whose
// pages are child windows holding controls, and the container windows (pages, panels, group
// boxes) that hand their children's notifications to whoever handles each control. Both the
// dialog and the application build their pages from these, so controls keep working after they
// move from one to the other.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace saverkit {

// A container's message to its top-level window: show the popup menu of a control.
// wParam = the control, lParam = the screen point (MAKELPARAM).
constexpr UINT kPopupMenuMessage = WM_APP + 0x301;

// Handles the notifications a control's container receives for it (WM_COMMAND, WM_NOTIFY,
// WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*, WM_DRAWITEM). Returns true when it handled one.
class ControlSink {
public:
    virtual ~ControlSink() = default;
    virtual bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
};

// Per-control properties kept as window properties, so that they travel with the window.
void SetControlSink(HWND control, ControlSink* sink);
ControlSink* GetControlSink(HWND control);
void SetHelpContext(HWND control, int context);  // the window's context help id
int HelpContext(HWND control);
void SetTag(HWND control, int tag);
int Tag(HWND control);
// Labels, pictures and shapes: controls that count as drawn on their container rather than as
// windows of their own. Their help topic is their tag, and the right-click search skips them.
void SetGraphicControl(HWND control, bool graphic);
bool IsGraphicControl(HWND control);
void SetPopupMenu(HWND control, HMENU menu);
HMENU PopupMenu(HWND control);
// A container with this flag searches its children on a right-button press (the options
// dialog's "What's This?") and reports a hit to its top-level window (kPopupMenuMessage).
void SetRightClickSearch(HWND container, bool on);
bool RightClickSearch(HWND container);
// The child that the right-click search picks for a point in the container's client area: the
// last windowed child, in child order, whose rectangle holds the point strictly inside.
HWND RightClickSearchChild(HWND container, POINT clientPoint);

// "MS Sans Serif" 8 point, the font of every control of the dialog and the pages.
HFONT DefaultFont();
// A font for the life of the process, made on first use and shared by description.
HFONT SharedFont(const char* face, int pixelHeight, bool bold);
// A font of the height and weight of `font` that has a glyph for every character of `text`:
// `font` itself when it has them (the usual case), else the first installed fallback face that
// has them all or, failing that, the one that lacks the fewest. Shared like SharedFont.
HFONT FontForText(HFONT font, std::wstring_view text);
// Sets a control's text (UTF-8) and gives the control a font that can draw it: the font it was
// made with when that one can, a fallback face otherwise (a language file in Chinese, say).
void SetControlText(HWND control, std::string_view text);
// Gives a control whose items or captions are `texts` (a list box, a combo box, a tab strip) a
// font that can draw all of them, as SetControlText does for one text.
void FitControlFont(HWND control, std::wstring_view texts);

enum class Bevel { None, Raised, Lowered, RaisedInLoweredOut, Group };

// A container window: a panel, or with Bevel::Group a group box with `caption`.
HWND CreatePanel(HWND parent, int x, int y, int w, int h, Bevel bevel, const std::string& caption = {}, int id = 0);
// A child control in the default font.
HWND CreateControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y, int w,
                   int h, int id = 0, DWORD exStyle = 0);

class TabPages;

class TabPage {
public:
    // What one page hands to another when pages move into the options dialog.
    struct Properties {
        std::string caption;
        bool tabVisible = true;
    };

    TabPage(TabPages& owner, HWND handle);
    ~TabPage();
    TabPage(const TabPage&) = delete;
    TabPage& operator=(const TabPage&) = delete;

    HWND Handle() const { return handle_; }
    const Properties& Props() const { return props_; }
    void SetProperties(const Properties& p);
    const std::string& Caption() const { return props_.caption; }
    void SetCaption(const std::string& caption);
    bool TabVisible() const { return props_.tabVisible; }
    void SetTabVisible(bool visible);
    // Child controls in child order.
    std::vector<HWND> Controls() const;

private:
    friend class TabPages;
    TabPages& owner_;
    HWND handle_;
    Properties props_;
};

class TabPages {
public:
    TabPages(HWND parent, int x, int y, int w, int h, int id = 0);
    ~TabPages();
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    HWND Handle() const { return handle_; }    // the control's own window
    HWND TabHandle() const { return tabs_; }   // the tab strip inside it
    void SetBounds(int x, int y, int w, int h);
    // The rectangle every page covers, in the control's coordinates.
    RECT PageRect() const;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TabPage& Page(int index) { return *pages_.at(static_cast<size_t>(index)); }
    const TabPage& Page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    TabPage& AddPage(const std::string& caption);
    TabPage& InsertPage(int index, const std::string& caption = {});
    int IndexOf(const TabPage* page) const;

    TabPage* ActivePage() const { return active_; }
    void SetActivePage(TabPage* page);
    void SetActivePageIndex(int index);
    // The page of the next visible tab (the previous one when !forward), round from the last to
    // the first, as Ctrl+Tab and Ctrl+Shift+Tab go.
    void SelectNextTab(bool forward);

    // Tabs as the user sees them: pages whose tab is visible.
    int TabCount() const;
    std::string TabCaption(int tab) const;
    TabPage* PageOfTab(int tab) const;
    int TabOfPage(const TabPage* page) const;

    // The procedure of the control's window class.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    friend class TabPage;
    // Keeps the tab strip in step with the pages.
    void RebuildTabs();
    // Gives the tab strip a font that draws every visible caption.
    void FitTabFont();
    void LayoutPages();
    LRESULT HandleNotify(const NMHDR& header);

    HWND handle_ = nullptr;
    HWND tabs_ = nullptr;
    std::vector<std::unique_ptr<TabPage>> pages_;
    TabPage* active_ = nullptr;
    bool rebuilding_ = false;
};

}  // namespace saverkit
