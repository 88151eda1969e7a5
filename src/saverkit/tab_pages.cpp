#include "saverkit/tab_pages.h"

#include <commctrl.h>

#include <map>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "saverkit/dialog_scale.h"
#include "win32/fallback_faces.h"
#include "win32/handles.h"
#include "win32/path_win32.h"
#include "win32/window_class.h"
#include "win32/window_text.h"

namespace saverkit {

namespace {

// Window properties by which a control finds what the kit attached to it.
constexpr const char* kPropSink = "saverkit.sink";
constexpr const char* kPropTag = "saverkit.tag";
constexpr const char* kPropGraphic = "saverkit.graphic";
constexpr const char* kPropPopup = "saverkit.popup";
constexpr const char* kPropSearch = "saverkit.search";
constexpr const char* kPropPageControl = "saverkit.tabPages";
constexpr const char* kPropBevel = "saverkit.bevel";
constexpr const char* kPropBaseFont = "saverkit.baseFont";

// Class names that tests and scripts find the windows by.
constexpr const char* kContainerClass = "vekContainer";
constexpr const char* kTabPagesClass = "vekPageControl";
constexpr const wchar_t* kContainerClassW = L"vekContainer";
constexpr const wchar_t* kTabPagesClassW = L"vekPageControl";

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

bool IsRoutedMessage(UINT msg) {
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
        return true;
    default:
        return false;
    }
}

HWND ControlOfMessage(UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return lParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        return reinterpret_cast<HWND>(lParam);
    }
}

// Gives a control's notification to its sink; otherwise lets it bubble up, so that the top-level
// window sees what no sink claimed.
bool RouteToSink(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsRoutedMessage(msg)) return false;
    HWND control = ControlOfMessage(msg, lParam);
    if (control && control != hwnd) {
        if (ControlSink* sink = GetControlSink(control)) {
            if (sink->HandleControlMessage(control, msg, wParam, lParam, result)) return true;
        }
    }
    if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_HSCROLL || msg == WM_VSCROLL || msg == WM_DRAWITEM) {
        HWND parent = GetParent(hwnd);
        if (parent && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
            result = SendMessageW(parent, msg, wParam, lParam);
            return true;
        }
    }
    return false;
}

void PaintContainer(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    switch (static_cast<Bevel>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, kPropBevel)))) {
    case Bevel::None:
        break;
    case Bevel::Raised:
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        break;
    case Bevel::Lowered:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    case Bevel::RaisedInLoweredOut:
        DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
        break;
    case Bevel::Group: {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        const senvola::ScopedSelectObject font(dc, FontForText(DialogFont(hwnd), text));
        SIZE sz{};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &sz);
        RECT frame = r;
        frame.top += sz.cy / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (text[0]) {
            const int inset = Scaled(hwnd, 8);
            RECT tr{inset, 0, inset + sz.cx + Scaled(hwnd, 4), sz.cy};
            FillRect(dc, &tr, GetSysColorBrush(COLOR_BTNFACE));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            TextOutW(dc, Scaled(hwnd, 10), 0, text, lstrlenW(text));
        }
        break;
    }
    }
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RouteToSink(hwnd, msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintContainer(hwnd);
        return 0;
    case WM_SETTEXT: {
        const LRESULT r = DefWindowProcW(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_RBUTTONDOWN:
        if (RightClickSearch(hwnd)) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            HWND child = RightClickSearchChild(hwnd, pt);
            if (child && PopupMenu(child) && HelpContext(child) > 0) {
                POINT screen = pt;
                ClientToScreen(hwnd, &screen);
                SendMessageW(GetAncestor(hwnd, GA_ROOT), kPopupMenuMessage, reinterpret_cast<WPARAM>(child),
                             MAKELPARAM(screen.x, screen.y));
            }
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        return 0;
    case WM_CONTEXTMENU: {
        // The clicked window (or else this container) shows its popup menu.
        HWND target = reinterpret_cast<HWND>(wParam);
        if (!PopupMenu(target)) target = hwnd;
        if (PopupMenu(target)) {
            SendMessageW(GetAncestor(hwnd, GA_ROOT), kPopupMenuMessage, reinterpret_cast<WPARAM>(target), lParam);
            return 0;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = ContainerProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kContainerClassW;
    senvola::EnsureWindowClass(wc);
    wc.lpfnWndProc = &TabPages::WindowProc;
    wc.lpszClassName = kTabPagesClassW;
    senvola::EnsureWindowClass(wc);
}

}  // namespace

void SetControlSink(HWND control, ControlSink* sink) {
    if (sink)
        SetPropA(control, kPropSink, sink);
    else
        RemovePropA(control, kPropSink);
}
ControlSink* GetControlSink(HWND control) { return static_cast<ControlSink*>(GetPropA(control, kPropSink)); }
void SetHelpContext(HWND control, int context) { SetWindowContextHelpId(control, static_cast<DWORD>(context)); }
int HelpContext(HWND control) { return static_cast<int>(GetWindowContextHelpId(control)); }
void SetTag(HWND control, int tag) { SetPropA(control, kPropTag, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(tag))); }
int Tag(HWND control) { return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(control, kPropTag))); }
void SetGraphicControl(HWND control, bool graphic) {
    if (graphic)
        SetPropA(control, kPropGraphic, reinterpret_cast<HANDLE>(1));
    else
        RemovePropA(control, kPropGraphic);
}
bool IsGraphicControl(HWND control) { return GetPropA(control, kPropGraphic) != nullptr; }
void SetPopupMenu(HWND control, HMENU menu) {
    if (menu)
        SetPropA(control, kPropPopup, menu);
    else
        RemovePropA(control, kPropPopup);
}
HMENU PopupMenu(HWND control) { return static_cast<HMENU>(GetPropA(control, kPropPopup)); }
void SetRightClickSearch(HWND container, bool on) {
    if (on)
        SetPropA(container, kPropSearch, reinterpret_cast<HANDLE>(1));
    else
        RemovePropA(container, kPropSearch);
}
bool RightClickSearch(HWND container) { return GetPropA(container, kPropSearch) != nullptr; }

HWND RightClickSearchChild(HWND container, POINT pt) {
    HWND found = nullptr;
    for (HWND c = GetWindow(container, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsGraphicControl(c)) continue;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < pt.x && pt.x < r.right && r.top < pt.y && pt.y < r.bottom) found = c;
    }
    return found;
}

HFONT SharedFont(const char* face, int pixelHeight, bool bold) {
    // Fonts are constants of the process: the controls that use one may outlive any owner short
    // of the process itself, so they are deleted only as it ends.
    static std::map<std::tuple<std::string, int, bool>, senvola::UniqueFont> fonts;
    const auto key = std::make_tuple(std::string(face), pixelHeight, bold);
    if (auto it = fonts.find(key); it != fonts.end())
        return it->second ? it->second.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    senvola::UniqueFont font(CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, face));
    const HFONT h = font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, std::move(font));
    return h;
}

HFONT DefaultFont() { return SharedFont("MS Sans Serif", 11, false); }

HFONT FontForText(HFONT font, std::wstring_view text) {
    // Fonts are constants of the process, as in SharedFont.
    static std::map<std::tuple<std::wstring, LONG, LONG>, senvola::UniqueFont> fonts;
    static std::vector<std::wstring> installed;
    static bool looked = false;
    const senvola::ScopedGetDc dc(nullptr);
    if (!dc || !font) return font;
    int fewest = 0;
    {
        const senvola::ScopedSelectObject select(dc.get(), font);
        fewest = senvola::MissingGlyphs(dc.get(), text);
    }
    if (fewest == 0) return font;
    if (!looked) {
        looked = true;
        for (const wchar_t* face : senvola::kFallbackFaces)
            if (senvola::FaceInstalled(dc.get(), face)) installed.emplace_back(face);
    }
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof lf, &lf)) return font;
    HFONT best = font;
    for (const std::wstring& face : installed) {
        const auto key = std::make_tuple(face, lf.lfHeight, lf.lfWeight);
        auto it = fonts.find(key);
        if (it == fonts.end()) {
            LOGFONTW fallback = lf;
            lstrcpynW(fallback.lfFaceName, face.c_str(), LF_FACESIZE);
            // Ideographs and Hangul lose strokes below 15 pixels in the faces Wine falls back to
            // (kana their voicing marks); the dialog font is 11.
            if (fallback.lfHeight < 0 && fallback.lfHeight > -15) fallback.lfHeight = -15;
            fallback.lfQuality = ANTIALIASED_QUALITY;
            it = fonts.emplace(key, senvola::UniqueFont(CreateFontIndirectW(&fallback))).first;
        }
        if (!it->second) continue;
        const senvola::ScopedSelectObject select(dc.get(), it->second.get());
        const int missing = senvola::MissingGlyphs(dc.get(), text);
        if (missing < fewest) {
            fewest = missing;
            best = it->second.get();
        }
        if (missing == 0) break;
    }
    return best;
}

namespace {

// The font a control was made with, kept the first time its font is fitted to a text, so that
// a text its own font can draw again gets that font back.
HFONT BaseFont(HWND control) {
    if (HANDLE kept = GetPropA(control, kPropBaseFont)) return static_cast<HFONT>(kept);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font) font = DefaultFont();
    SetPropA(control, kPropBaseFont, font);
    return font;
}

}  // namespace

void FitControlFont(HWND control, std::wstring_view texts) {
    if (!control) return;
    HFONT font = FontForText(BaseFont(control), texts);
    if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetControlText(HWND control, std::string_view text) {
    if (!control) return;
    const std::wstring wide = senvola::WideFromUtf8(text);
    FitControlFont(control, wide);
    SetWindowTextW(control, wide.c_str());
}

namespace {

// A rectangle of the 96-DPI design at the layout DPI of the window it goes into. Edges rather
// than sizes, as ScaleWindowTree does, so that a control made late meets one made early.
void ScaleRect(HWND parent, int& x, int& y, int& w, int& h) {
    const int right = Scaled(parent, x + w), bottom = Scaled(parent, y + h);
    x = Scaled(parent, x);
    y = Scaled(parent, y);
    w = right - x;
    h = bottom - y;
}

}  // namespace

HWND CreatePanel(HWND parent, int x, int y, int w, int h, Bevel bevel, const std::string& caption, int id) {
    RegisterClasses();
    ScaleRect(parent, x, y, w, h);
    HWND hwnd = senvola::CreateWindowUtf8(WS_EX_CONTROLPARENT, kContainerClass, caption,
                                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, parent,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (!hwnd) throw std::runtime_error("Cannot create a panel window");
    SetPropA(hwnd, kPropBevel, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(bevel)));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(parent)), FALSE);
    return hwnd;
}

HWND CreateControl(HWND parent, const char* className, const std::string& text, DWORD style, int x, int y, int w,
                   int h, int id, DWORD exStyle) {
    RegisterClasses();
    ScaleRect(parent, x, y, w, h);
    HWND hwnd = senvola::CreateWindowUtf8(exStyle, className, text, WS_CHILD | style, x, y, w, h, parent,
                                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
    if (!hwnd) throw std::runtime_error(std::string("Cannot create a control of class ") + className);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(parent)), FALSE);
    return hwnd;
}

// ---- TabPage ----

TabPage::TabPage(TabPages& owner, HWND handle) : owner_(owner), handle_(handle) {}

TabPage::~TabPage() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
}

void TabPage::SetProperties(const Properties& p) {
    props_ = p;
    senvola::SetWindowTextUtf8(handle_, p.caption);
    owner_.RebuildTabs();
}

void TabPage::SetCaption(const std::string& caption) {
    props_.caption = caption;
    senvola::SetWindowTextUtf8(handle_, caption);
    const int tab = owner_.TabOfPage(this);
    if (tab >= 0) {
        std::wstring text = senvola::WideFromUtf8(props_.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(owner_.TabHandle(), TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
        owner_.FitTabFont();
        owner_.LayoutPages();
    }
}

void TabPage::SetTabVisible(bool visible) {
    props_.tabVisible = visible;
    owner_.RebuildTabs();
}

std::vector<HWND> TabPage::Controls() const {
    std::vector<HWND> out;
    for (HWND c = GetWindow(handle_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

// ---- TabPages ----

TabPages::TabPages(HWND parent, int x, int y, int w, int h, int id) {
    RegisterClasses();
    handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kTabPagesClassW, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, x, y, w, h,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(), nullptr);
    if (!handle_) throw std::runtime_error("Cannot create a page control");
    SetPropA(handle_, kPropPageControl, this);
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, w, h,
                            handle_, nullptr, ModuleInstance(), nullptr);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(handle_)), FALSE);
}

TabPages::~TabPages() {
    pages_.clear();
    if (IsWindow(handle_)) {
        RemovePropA(handle_, kPropPageControl);
        DestroyWindow(handle_);
    }
}

LRESULT CALLBACK TabPages::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TabPages*>(GetPropA(hwnd, kPropPageControl));
    if (self && msg == WM_NOTIFY && lParam && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == self->tabs_)
        return self->HandleNotify(*reinterpret_cast<NMHDR*>(lParam));
    if (self && msg == WM_SIZE) {
        self->LayoutPages();
        return 0;
    }
    return ContainerProc(hwnd, msg, wParam, lParam);
}

void TabPages::SetBounds(int x, int y, int w, int h) {
    MoveWindow(handle_, x, y, w, h, TRUE);
    LayoutPages();
}

RECT TabPages::PageRect() const {
    RECT r;
    GetClientRect(tabs_, &r);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TabPages::LayoutPages() {
    if (!IsWindow(handle_)) return;
    RECT c;
    GetClientRect(handle_, &c);
    MoveWindow(tabs_, 0, 0, c.right, c.bottom, TRUE);
    const RECT r = PageRect();
    for (auto& p : pages_) MoveWindow(p->handle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

TabPage& TabPages::AddPage(const std::string& caption) { return InsertPage(PageCount(), caption); }

TabPage& TabPages::InsertPage(int index, const std::string& caption) {
    if (index < 0 || index > PageCount()) throw std::out_of_range("page index");
    const RECT r = PageRect();
    HWND h = senvola::CreateWindowUtf8(WS_EX_CONTROLPARENT, kContainerClass, caption, WS_CHILD | WS_CLIPSIBLINGS,
                                       r.left, r.top, r.right - r.left, r.bottom - r.top, handle_, nullptr);
    if (!h) throw std::runtime_error("Cannot create a page");
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont(handle_)), FALSE);
    auto page = std::make_unique<TabPage>(*this, h);
    page->props_.caption = caption;
    TabPage* raw = page.get();
    pages_.insert(pages_.begin() + index, std::move(page));
    // The strip stays beneath every page, or it would clip them.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!active_) active_ = raw;
    RebuildTabs();
    return *raw;
}

int TabPages::IndexOf(const TabPage* page) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i].get() == page) return static_cast<int>(i);
    return -1;
}

void TabPages::SetActivePage(TabPage* page) {
    if (page && IndexOf(page) < 0) return;
    active_ = page;
    RebuildTabs();
}

void TabPages::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)].get() : nullptr);
}

void TabPages::SelectNextTab(bool forward) {
    const int count = TabCount();
    if (count <= 0) return;
    const int current = active_ ? TabOfPage(active_) : -1;
    const int next = current < 0 ? 0 : (current + (forward ? 1 : count - 1)) % count;
    SetActivePage(PageOfTab(next));
}

int TabPages::TabCount() const { return static_cast<int>(SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0)); }

std::string TabPages::TabCaption(int tab) const {
    wchar_t buf[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = 256;
    if (!SendMessageW(tabs_, TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item))) return {};
    return senvola::Utf8FromWide(buf);
}

TabPage* TabPages::PageOfTab(int tab) const {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageW(tabs_, TCM_GETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TabPage*>(item.lParam);
}

int TabPages::TabOfPage(const TabPage* page) const {
    const int n = TabCount();
    for (int i = 0; i < n; ++i)
        if (PageOfTab(i) == page) return i;
    return -1;
}

void TabPages::RebuildTabs() {
    if (rebuilding_) return;
    rebuilding_ = true;
    SendMessageW(tabs_, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (auto& p : pages_) {
        if (!p->props_.tabVisible) continue;
        std::wstring text = senvola::WideFromUtf8(p->props_.caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text.data();
        item.lParam = reinterpret_cast<LPARAM>(p.get());
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    FitTabFont();
    // A page without a tab cannot stay the shown one.
    if (active_ && !active_->props_.tabVisible) {
        active_ = nullptr;
        for (auto& p : pages_)
            if (p->props_.tabVisible) {
                active_ = p.get();
                break;
            }
    }
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(TabOfPage(active_)), 0);
    LayoutPages();
    for (auto& p : pages_) {
        ShowWindow(p->handle_, p.get() == active_ ? SW_SHOW : SW_HIDE);
        if (p.get() == active_)
            SetWindowPos(p->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    rebuilding_ = false;
}

void TabPages::FitTabFont() {
    std::wstring captions;
    for (auto& p : pages_)
        if (p->props_.tabVisible) captions += senvola::WideFromUtf8(p->props_.caption);
    FitControlFont(tabs_, captions);
}

LRESULT TabPages::HandleNotify(const NMHDR& header) {
    if (header.code == TCN_SELCHANGE) {
        active_ = PageOfTab(static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
        for (auto& p : pages_) ShowWindow(p->handle_, p.get() == active_ ? SW_SHOW : SW_HIDE);
    }
    return 0;  // TCN_SELCHANGING: the change is always allowed
}

}  // namespace saverkit
