// A small Win32 page control: a tab control whose pages are child windows holding controls,
// plus the container windows (pages, panels, group boxes) that route their children's
// notifications to whoever handles each control. Both the options dialog and the application's
// own pages are built from these, so controls keep working after they move between them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vek {

// Private messages a container sends to its top-level window.
// WM_VEK_POPUP: wParam = the control the popup menu is for, lParam = screen point (MAKELPARAM).
constexpr UINT WM_VEK_POPUP = WM_APP + 0x301;

// Handles the notifications that a control's container receives for it (WM_COMMAND,
// WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR*, WM_DRAWITEM). Return true when handled.
class TControlSink {
public:
    virtual ~TControlSink() = default;
    virtual bool HandleControlMessage(HWND control, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) = 0;
};

// Per-control properties kept as window properties, so they travel with the window.
void SetControlSink(HWND control, TControlSink* sink);
TControlSink* ControlSink(HWND control);
void SetHelpContext(HWND control, int context);  // the window's context help id
int HelpContext(HWND control);
void SetTag(HWND control, int tag);
int Tag(HWND control);
// Labels, images and shapes: controls that in the framework's model have no window of their
// own; their help topic is their tag and the right-click search skips them.
void SetGraphicControl(HWND control, bool graphic);
bool IsGraphicControl(HWND control);
void SetPopupMenu(HWND control, HMENU menu);
HMENU PopupMenu(HWND control);
// A container with this flag searches its children on a right-button press (the options
// dialog's "What's This?" search) and reports a hit to its top-level window (WM_VEK_POPUP).
void SetRightClickSearch(HWND container, bool on);
bool RightClickSearch(HWND container);
// The child that the right-click search picks for a point in the container's client area:
// the last windowed child, in child order, whose rectangle holds the point strictly inside.
HWND RightClickSearchChild(HWND container, POINT clientPoint);

// "MS Sans Serif" 8 point, shared by every control of the framework and the pages.
HFONT DefaultFont();
// A font owned for the process, looked up by its description.
HFONT SharedFont(const char* face, int pixelHeight, bool bold);

// Draws `bitmap` into `dest`, stretched to it or at its natural size from the top-left.
// Transparent: the colour of the bitmap's bottom-left pixel is left out.
void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, bool stretch, bool transparent);
// A bitmap stretched to fit `box` and centred in it, keeping its proportions.
RECT FitCentred(const RECT& box, int width, int height);

// Registers the window classes (idempotent).
void RegisterPageControlClasses(HINSTANCE instance);

enum class TBevel { None, Raised, Lowered, RaisedInLoweredOut, Group };

// A container window (a panel, or a group box with `bevel` Group and a caption).
HWND CreatePanel(HWND parent, int x, int y, int w, int h, TBevel bevel,
                 const std::string& caption = {}, int id = 0);

// Creates a child control with the default font; returns its handle.
HWND CreateControl(HWND parent, const char* className, const std::string& text, DWORD style,
                   int x, int y, int w, int h, int id = 0, DWORD exStyle = 0);

class TPageControl;

class TTabSheet {
public:
    // Everything that can be copied from one page to another.
    struct Properties {
        std::string Caption;
        bool Enabled = true;
        bool Visible = true;
        bool TabVisible = true;
        int Tag = 0;
        int HelpContext = 0;
        std::string Hint;
        bool ShowHint = false;
        bool ParentShowHint = true;
        bool ParentFont = true;
        HFONT Font = nullptr;
        HCURSOR Cursor = nullptr;
        HMENU PopupMenu = nullptr;
        std::function<void(TTabSheet&, UINT msg, POINT pt)> OnMouseDown, OnMouseMove, OnMouseUp;
        std::function<void(TTabSheet&)> OnEnter, OnExit;
    };

    TTabSheet(TPageControl& owner, HWND handle);
    ~TTabSheet();
    TTabSheet(const TTabSheet&) = delete;
    TTabSheet& operator=(const TTabSheet&) = delete;

    HWND Handle() const { return handle_; }
    TPageControl& PageControl() const { return owner_; }
    int PageIndex() const;
    const Properties& Props() const { return props_; }
    void SetProperties(const Properties& p);
    const std::string& Caption() const { return props_.Caption; }
    void SetCaption(const std::string& caption);
    void SetTabVisible(bool visible);
    bool TabVisible() const { return props_.TabVisible; }
    void SetHelpContext(int context);
    void SetTag(int tag);
    // Child controls in child order.
    std::vector<HWND> Controls() const;

private:
    friend class TPageControl;
    TPageControl& owner_;
    HWND handle_;
    Properties props_;
};

class TPageControl {
public:
    TPageControl(HWND parent, int x, int y, int w, int h, int id = 0);
    ~TPageControl();
    TPageControl(const TPageControl&) = delete;
    TPageControl& operator=(const TPageControl&) = delete;

    HWND Handle() const { return handle_; }      // the page control's own window
    HWND TabHandle() const { return tabs_; }     // the tab strip inside it
    void SetBounds(int x, int y, int w, int h);
    // Client rectangle that every page covers, in the page control's coordinates.
    RECT PageRect() const;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet& Pages(int index) { return *pages_.at(static_cast<size_t>(index)); }
    const TTabSheet& Pages(int index) const { return *pages_.at(static_cast<size_t>(index)); }
    TTabSheet& AddPage(const std::string& caption);
    TTabSheet& InsertPage(int index, const std::string& caption = {});
    int IndexOf(const TTabSheet* page) const;

    TTabSheet* ActivePage() const { return active_; }
    int ActivePageIndex() const { return IndexOf(active_); }
    void SetActivePage(TTabSheet* page);
    void SetActivePageIndex(int index);

    // Tabs as the user sees them (pages with TabVisible).
    int TabCount() const;
    std::string TabCaption(int tab) const;
    TTabSheet* PageOfTab(int tab) const;
    int TabOfPage(const TTabSheet* page) const;

    // Settings the options dialog copies from the application's page control.
    int HelpContext = 0;
    bool HotTrack = false;
    bool MultiLine = false;
    bool ScrollOpposite = false;
    int TabPosition = 0;  // 0 top
    std::function<void(TPageControl&)> OnChange;
    std::function<void(TPageControl&, bool& allowChange)> OnChanging;
    // Applies HelpContext and the tab styles to the windows.
    void ApplySettings();

    // Internal: keeps the tab strip in step with the pages.
    void RebuildTabs();
    void LayoutPages();
    LRESULT HandleNotify(NMHDR* header);

private:
    friend class TTabSheet;
    HWND handle_ = nullptr;
    HWND tabs_ = nullptr;
    std::vector<std::unique_ptr<TTabSheet>> pages_;
    TTabSheet* active_ = nullptr;
    bool rebuilding_ = false;
};

}  // namespace vek
