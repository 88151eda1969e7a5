#include "vekPageControl.h"

#include <commctrl.h>

#include <map>
#include <stdexcept>
#include <tuple>

namespace vek {

namespace {

constexpr const char* kPropSink = "vekSink";
constexpr const char* kPropTag = "vekTag";
constexpr const char* kPropGraphic = "vekGraphic";
constexpr const char* kPropPopup = "vekPopup";
constexpr const char* kPropSearch = "vekSearch";
constexpr const char* kPropSheet = "vekSheet";
constexpr const char* kPropPageControl = "vekPageControl";
constexpr const char* kPropBevel = "vekBevel";

constexpr const char* kContainerClass = "vekContainer";
constexpr const char* kPageControlClass = "vekPageControl";

HINSTANCE ModuleInstance() { return GetModuleHandleA(nullptr); }

HWND ControlOfMessage(UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return lParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        return nullptr;
    }
}

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

// Gives a control's notification to its sink; otherwise lets it bubble up, so the top-level
// window sees what no sink claimed.
bool RouteToSink(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!IsRoutedMessage(msg)) return false;
    HWND control = ControlOfMessage(msg, wParam, lParam);
    if (control && control != hwnd) {
        if (TControlSink* sink = ControlSink(control)) {
            if (sink->HandleControlMessage(control, msg, wParam, lParam, result)) return true;
        }
    }
    if (msg == WM_COMMAND || msg == WM_NOTIFY || msg == WM_HSCROLL || msg == WM_VSCROLL ||
        msg == WM_DRAWITEM) {
        HWND parent = GetParent(hwnd);
        if (parent && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
            result = SendMessageA(parent, msg, wParam, lParam);
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
    auto bevel = static_cast<TBevel>(reinterpret_cast<INT_PTR>(GetPropA(hwnd, kPropBevel)));
    switch (bevel) {
    case TBevel::None:
        break;
    case TBevel::Raised:
        DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
        break;
    case TBevel::Lowered:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    case TBevel::RaisedInLoweredOut:
        DrawEdge(dc, &r, BDR_SUNKENOUTER | BDR_RAISEDINNER, BF_RECT);
        break;
    case TBevel::Group: {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        HGDIOBJ old = SelectObject(dc, DefaultFont());
        SIZE sz{};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &sz);
        RECT frame = r;
        frame.top += sz.cy / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (text[0]) {
            RECT tr{8, 0, 8 + sz.cx + 4, sz.cy};
            FillRect(dc, &tr, GetSysColorBrush(COLOR_BTNFACE));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            TextOutA(dc, 10, 0, text, lstrlenA(text));
        }
        SelectObject(dc, old);
        break;
    }
    }
    EndPaint(hwnd, &ps);
}

void NotifySheetMouse(HWND hwnd, UINT msg, LPARAM lParam) {
    auto* sheet = static_cast<TTabSheet*>(GetPropA(hwnd, kPropSheet));
    if (!sheet) return;
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const auto& p = sheet->Props();
    if ((msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) && p.OnMouseDown)
        p.OnMouseDown(*sheet, msg, pt);
    else if (msg == WM_MOUSEMOVE && p.OnMouseMove)
        p.OnMouseMove(*sheet, msg, pt);
    else if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP) && p.OnMouseUp)
        p.OnMouseUp(*sheet, msg, pt);
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
        LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    case WM_RBUTTONDOWN: {
        NotifySheetMouse(hwnd, msg, lParam);
        if (RightClickSearch(hwnd)) {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            HWND child = RightClickSearchChild(hwnd, pt);
            if (child && PopupMenu(child) && HelpContext(child) > 0) {
                POINT screen = pt;
                ClientToScreen(hwnd, &screen);
                SendMessageA(GetAncestor(hwnd, GA_ROOT), WM_VEK_POPUP,
                             reinterpret_cast<WPARAM>(child), MAKELPARAM(screen.x, screen.y));
            }
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
        NotifySheetMouse(hwnd, msg, lParam);
        return 0;
    case WM_CONTEXTMENU: {
        // The clicked window (or one of its containers) shows its popup menu.
        HWND target = reinterpret_cast<HWND>(wParam);
        if (!PopupMenu(target)) target = hwnd;
        if (PopupMenu(target)) {
            SendMessageA(GetAncestor(hwnd, GA_ROOT), WM_VEK_POPUP, reinterpret_cast<WPARAM>(target),
                         lParam);
            return 0;
        }
        break;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK PageControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* pc = static_cast<TPageControl*>(GetPropA(hwnd, kPropPageControl));
    if (msg == WM_NOTIFY && pc && lParam &&
        reinterpret_cast<NMHDR*>(lParam)->hwndFrom == pc->TabHandle())
        return pc->HandleNotify(reinterpret_cast<NMHDR*>(lParam));
    if (msg == WM_SIZE && pc) {
        pc->LayoutPages();
        return 0;
    }
    return ContainerProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void SetControlSink(HWND control, TControlSink* sink) {
    if (sink)
        SetPropA(control, kPropSink, sink);
    else
        RemovePropA(control, kPropSink);
}
TControlSink* ControlSink(HWND control) {
    return static_cast<TControlSink*>(GetPropA(control, kPropSink));
}
void SetHelpContext(HWND control, int context) {
    SetWindowContextHelpId(control, static_cast<DWORD>(context));
}
int HelpContext(HWND control) { return static_cast<int>(GetWindowContextHelpId(control)); }
void SetTag(HWND control, int tag) {
    SetPropA(control, kPropTag, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(tag)));
}
int Tag(HWND control) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(control, kPropTag)));
}
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
    static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
    auto key = std::make_tuple(std::string(face), pixelHeight, bold);
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT f = CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, face);
    if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts.emplace(key, f);
    return f;
}

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, bool stretch, bool transparent) {
    if (!bitmap) return;
    BITMAP bm{};
    if (!GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
    const int w = stretch ? dest.right - dest.left : bm.bmWidth;
    const int h = stretch ? dest.bottom - dest.top : bm.bmHeight;
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ oldSrc = SelectObject(src, bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (!transparent) {
        StretchBlt(dc, dest.left, dest.top, w, h, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    } else {
        // Mask: white where the source has the transparent colour.
        HDC maskDc = CreateCompatibleDC(dc);
        HBITMAP mask = CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
        HGDIOBJ oldMask = SelectObject(maskDc, mask);
        SetBkColor(src, GetPixel(src, 0, bm.bmHeight - 1));
        BitBlt(maskDc, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
        COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
        StretchBlt(dc, dest.left, dest.top, w, h, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCINVERT);
        StretchBlt(dc, dest.left, dest.top, w, h, maskDc, 0, 0, bm.bmWidth, bm.bmHeight, SRCAND);
        StretchBlt(dc, dest.left, dest.top, w, h, src, 0, 0, bm.bmWidth, bm.bmHeight, SRCINVERT);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBk);
        SelectObject(maskDc, oldMask);
        DeleteObject(mask);
        DeleteDC(maskDc);
    }
    SelectObject(src, oldSrc);
    DeleteDC(src);
}

RECT FitCentred(const RECT& box, int width, int height) {
    const int bw = box.right - box.left, bh = box.bottom - box.top;
    if (width <= 0 || height <= 0) return box;
    int w = bw, h = static_cast<int>(static_cast<long long>(height) * bw / width);
    if (h > bh) {
        h = bh;
        w = static_cast<int>(static_cast<long long>(width) * bh / height);
    }
    RECT r{box.left + (bw - w) / 2, box.top + (bh - h) / 2, 0, 0};
    r.right = r.left + w;
    r.bottom = r.top + h;
    return r;
}

HFONT DefaultFont() { return SharedFont("MS Sans Serif", 11, false); }

void RegisterPageControlClasses(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                             ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSA wc{};
    wc.lpfnWndProc = ContainerProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kContainerClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = PageControlProc;
    wc.lpszClassName = kPageControlClass;
    RegisterClassA(&wc);
    done = true;
}

HWND CreatePanel(HWND parent, int x, int y, int w, int h, TBevel bevel, const std::string& caption,
                 int id) {
    RegisterPageControlClasses(ModuleInstance());
    HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, caption.c_str(),
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleInstance(),
                                nullptr);
    if (!hwnd) throw std::runtime_error("Cannot create a panel window");
    SetPropA(hwnd, kPropBevel, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(bevel)));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    return hwnd;
}

HWND CreateControl(HWND parent, const char* className, const std::string& text, DWORD style, int x,
                   int y, int w, int h, int id, DWORD exStyle) {
    RegisterPageControlClasses(ModuleInstance());
    HWND hwnd = CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | style, x, y, w, h,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ModuleInstance(), nullptr);
    if (!hwnd) throw std::runtime_error(std::string("Cannot create a control of class ") + className);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    return hwnd;
}

// ---- TTabSheet ----

TTabSheet::TTabSheet(TPageControl& owner, HWND handle) : owner_(owner), handle_(handle) {
    SetPropA(handle_, kPropSheet, this);
}

TTabSheet::~TTabSheet() {
    if (IsWindow(handle_)) {
        RemovePropA(handle_, kPropSheet);
        DestroyWindow(handle_);
    }
}

int TTabSheet::PageIndex() const { return owner_.IndexOf(this); }

void TTabSheet::SetProperties(const Properties& p) {
    props_ = p;
    SetWindowTextA(handle_, p.Caption.c_str());
    EnableWindow(handle_, p.Enabled ? TRUE : FALSE);
    vek::SetHelpContext(handle_, p.HelpContext);
    vek::SetTag(handle_, p.Tag);
    vek::SetPopupMenu(handle_, p.PopupMenu);
    if (p.Font) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(p.Font), FALSE);
    owner_.RebuildTabs();
}

void TTabSheet::SetCaption(const std::string& caption) {
    props_.Caption = caption;
    SetWindowTextA(handle_, caption.c_str());
    int tab = owner_.TabOfPage(this);
    if (tab >= 0) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(props_.Caption.c_str());
        SendMessageA(owner_.TabHandle(), TCM_SETITEMA, static_cast<WPARAM>(tab),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void TTabSheet::SetTabVisible(bool visible) {
    props_.TabVisible = visible;
    owner_.RebuildTabs();
}

void TTabSheet::SetHelpContext(int context) {
    props_.HelpContext = context;
    vek::SetHelpContext(handle_, context);
}

void TTabSheet::SetTag(int tag) {
    props_.Tag = tag;
    vek::SetTag(handle_, tag);
}

std::vector<HWND> TTabSheet::Controls() const {
    std::vector<HWND> out;
    for (HWND c = GetWindow(handle_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) out.push_back(c);
    return out;
}

// ---- TPageControl ----

TPageControl::TPageControl(HWND parent, int x, int y, int w, int h, int id) {
    RegisterPageControlClasses(ModuleInstance());
    handle_ = CreateWindowExA(WS_EX_CONTROLPARENT, kPageControlClass, "",
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                  WS_TABSTOP,
                              x, y, w, h, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              ModuleInstance(), nullptr);
    if (!handle_) throw std::runtime_error("Cannot create a page control");
    SetPropA(handle_, kPropPageControl, this);
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, w, h,
                            handle_, nullptr, ModuleInstance(), nullptr);
    SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
}

TPageControl::~TPageControl() {
    pages_.clear();
    if (IsWindow(handle_)) {
        RemovePropA(handle_, kPropPageControl);
        DestroyWindow(handle_);
    }
}

void TPageControl::SetBounds(int x, int y, int w, int h) {
    MoveWindow(handle_, x, y, w, h, TRUE);
    LayoutPages();
}

RECT TPageControl::PageRect() const {
    RECT r;
    GetClientRect(tabs_, &r);
    SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TPageControl::LayoutPages() {
    if (!IsWindow(handle_)) return;
    RECT c;
    GetClientRect(handle_, &c);
    MoveWindow(tabs_, 0, 0, c.right, c.bottom, TRUE);
    RECT r = PageRect();
    for (auto& p : pages_)
        MoveWindow(p->handle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

TTabSheet& TPageControl::AddPage(const std::string& caption) {
    return InsertPage(PageCount(), caption);
}

TTabSheet& TPageControl::InsertPage(int index, const std::string& caption) {
    if (index < 0 || index > PageCount()) throw std::out_of_range("page index");
    RECT r = PageRect();
    HWND h = CreateWindowExA(WS_EX_CONTROLPARENT, kContainerClass, caption.c_str(),
                             WS_CHILD | WS_CLIPSIBLINGS, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, handle_, nullptr, ModuleInstance(), nullptr);
    if (!h) throw std::runtime_error("Cannot create a page");
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    auto sheet = std::make_unique<TTabSheet>(*this, h);
    sheet->props_.Caption = caption;
    TTabSheet* raw = sheet.get();
    pages_.insert(pages_.begin() + index, std::move(sheet));
    // The strip stays beneath every page, or it would clip them.
    SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!active_) active_ = raw;
    RebuildTabs();
    return *raw;
}

int TPageControl::IndexOf(const TTabSheet* page) const {
    for (size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i].get() == page) return static_cast<int>(i);
    return -1;
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && IndexOf(page) < 0) return;
    active_ = page;
    RebuildTabs();
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)].get()
                                                    : nullptr);
}

int TPageControl::TabCount() const {
    return static_cast<int>(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
}

std::string TPageControl::TabCaption(int tab) const {
    char buf[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    if (!SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item)))
        return {};
    return buf;
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (!SendMessageA(tabs_, TCM_GETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<TTabSheet*>(item.lParam);
}

int TPageControl::TabOfPage(const TTabSheet* page) const {
    int n = TabCount();
    for (int i = 0; i < n; ++i)
        if (PageOfTab(i) == page) return i;
    return -1;
}

void TPageControl::ApplySettings() {
    SetHelpContext(handle_, HelpContext);
    LONG style = GetWindowLongA(tabs_, GWL_STYLE);
    style &= ~(TCS_HOTTRACK | TCS_MULTILINE | TCS_SCROLLOPPOSITE | TCS_BOTTOM);
    if (HotTrack) style |= TCS_HOTTRACK;
    if (MultiLine) style |= TCS_MULTILINE;
    if (ScrollOpposite) style |= TCS_SCROLLOPPOSITE;
    if (TabPosition == 1) style |= TCS_BOTTOM;
    SetWindowLongA(tabs_, GWL_STYLE, style);
    LayoutPages();
}

void TPageControl::RebuildTabs() {
    if (rebuilding_) return;
    rebuilding_ = true;
    SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
    int tab = 0;
    for (auto& p : pages_) {
        if (!p->props_.TabVisible) continue;
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(p->props_.Caption.c_str());
        item.lParam = reinterpret_cast<LPARAM>(p.get());
        SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
    }
    // A page without a tab cannot stay the shown one.
    if (active_ && !active_->props_.TabVisible) {
        active_ = nullptr;
        for (auto& p : pages_)
            if (p->props_.TabVisible) {
                active_ = p.get();
                break;
            }
    }
    int sel = TabOfPage(active_);
    SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(sel), 0);
    LayoutPages();
    for (auto& p : pages_) {
        ShowWindow(p->handle_, p.get() == active_ ? SW_SHOW : SW_HIDE);
        if (p.get() == active_)
            SetWindowPos(p->handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    rebuilding_ = false;
}

LRESULT TPageControl::HandleNotify(NMHDR* header) {
    if (header->code == TCN_SELCHANGING) {
        bool allow = true;
        if (OnChanging) OnChanging(*this, allow);
        return allow ? FALSE : TRUE;
    }
    if (header->code == TCN_SELCHANGE) {
        int sel = static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0));
        TTabSheet* page = PageOfTab(sel);
        TTabSheet* old = active_;
        if (old && old->props_.OnExit) old->props_.OnExit(*old);
        active_ = page;
        for (auto& p : pages_) ShowWindow(p->handle_, p.get() == active_ ? SW_SHOW : SW_HIDE);
        if (page && page->props_.OnEnter) page->props_.OnEnter(*page);
        if (OnChange) OnChange(*this);
        return 0;
    }
    return 0;
}

}  // namespace vek
