// Owned Win32 handles: one small template, a typedef per kind of handle, guards named after the
// call they undo, and ScopeExit for the one-off clean-up that fits none of them.
//
// A UniqueHandle closes what it holds exactly once, when it goes or is reset; it moves and never
// copies. The traits say what "no handle" is and which call releases one. Handles that need
// something besides themselves to be released (a window DC needs its window, a selection the
// object it replaced) are guards instead: they live for one scope and are neither copied nor moved.
#pragma once

#include <windows.h>

#include <type_traits>
#include <utility>

namespace senvola {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    // Gives the handle up without closing it.
    Handle release() { return std::exchange(h_, Traits::Invalid()); }
    // Closes the handle held, if any, and takes `h`.
    void reset(Handle h = Traits::Invalid()) {
        const Handle old = std::exchange(h_, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle h_ = Traits::Invalid();
};

namespace handle_traits {

// Pens, brushes, fonts and bitmaps: DeleteObject. The handle keeps its own type, so that a
// UniqueBitmap hands out an HBITMAP.
template <typename H>
struct GdiObject {
    using Handle = H;
    static constexpr H Invalid() { return nullptr; }
    static void Close(H h) { DeleteObject(h); }
};
// A DC made by CreateCompatibleDC or CreateDC.
struct CreatedDc {
    using Handle = HDC;
    static constexpr HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
struct RegistryKey {
    using Handle = HKEY;
    static constexpr HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
struct Module {
    using Handle = HMODULE;
    static constexpr HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
// A file opened by CreateFile, which says "none" with INVALID_HANDLE_VALUE.
struct File {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
// A search begun by FindFirstFile.
struct FileSearch {
    using Handle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
struct Menu {
    using Handle = HMENU;
    static constexpr HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};

}  // namespace handle_traits

using UniqueGdiObject = UniqueHandle<handle_traits::GdiObject<HGDIOBJ>>;
using UniqueBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniquePen = UniqueHandle<handle_traits::GdiObject<HPEN>>;
using UniqueBrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using UniqueDc = UniqueHandle<handle_traits::CreatedDc>;
using UniqueKey = UniqueHandle<handle_traits::RegistryKey>;
using UniqueModule = UniqueHandle<handle_traits::Module>;
using UniqueFile = UniqueHandle<handle_traits::File>;
using UniqueFileSearch = UniqueHandle<handle_traits::FileSearch>;
using UniqueMenu = UniqueHandle<handle_traits::Menu>;

// GetDC for one scope; ReleaseDC, with the same window, at its end.
class ScopedGetDc {
public:
    explicit ScopedGetDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedGetDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScopedGetDc(const ScopedGetDc&) = delete;
    ScopedGetDc& operator=(const ScopedGetDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject for one scope; the object it replaced goes back in at its end, so that the
// selected one can be deleted afterwards.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A part of a DC drawn on as if it were the whole: the origin at the part's top-left corner and
// everything outside it clipped, until the object goes.
class ScopedDcArea {
public:
    ScopedDcArea(HDC dc, const RECT& area) : dc_(dc), saved_(SaveDC(dc)) {
        SetViewportOrgEx(dc, area.left, area.top, nullptr);
        IntersectClipRect(dc, 0, 0, area.right - area.left, area.bottom - area.top);
    }
    ~ScopedDcArea() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    ScopedDcArea(const ScopedDcArea&) = delete;
    ScopedDcArea& operator=(const ScopedDcArea&) = delete;

private:
    HDC dc_;
    int saved_;
};

// Runs `f` at the end of the scope, for a clean-up that no handle type above describes.
template <typename F>
class [[nodiscard]] ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

}  // namespace senvola
