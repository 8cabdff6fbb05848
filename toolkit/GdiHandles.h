// RAII owners for the GUI's resources: GDI objects, DCs, windows, menus and icons, and the scoped
// pairs (GetDC/ReleaseDC, BeginPaint/EndPaint, SelectObject, SaveDC/RestoreDC).
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace tk {

using base::Unique;

template <typename T>
struct TypedGdiTraits {
    static T Invalid() { return nullptr; }
    static void Free(T h) { DeleteObject(h); }
};
using UniqueBitmap = Unique<HBITMAP, TypedGdiTraits<HBITMAP>>;
using UniqueFont = Unique<HFONT, TypedGdiTraits<HFONT>>;
using UniqueBrush = Unique<HBRUSH, TypedGdiTraits<HBRUSH>>;
using UniquePen = Unique<HPEN, TypedGdiTraits<HPEN>>;
using UniqueRegion = Unique<HRGN, TypedGdiTraits<HRGN>>;

struct MemoryDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Free(HDC h) { DeleteDC(h); }
};
using UniqueMemoryDc = Unique<HDC, MemoryDcTraits>;

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Free(HICON h) { DestroyIcon(h); }
};
using UniqueIcon = Unique<HICON, IconTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Free(HMENU h) { DestroyMenu(h); }  // destroys its submenus with it
};
using UniqueMenu = Unique<HMENU, MenuTraits>;

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Free(HWND h) { DestroyWindow(h); }
};
using UniqueWindow = Unique<HWND, WindowTraits>;

// GetDC/ReleaseDC pair for one window (nullptr: the screen).
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for one window's WM_PAINT.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// The two bitmaps GetIconInfo creates for the caller, freed with the record.
class IconInfo {
  public:
    explicit IconInfo(HICON icon) { ok_ = icon && GetIconInfo(icon, &info_); }
    ~IconInfo() {
        if (ok_) {
            DeleteObject(info_.hbmColor);
            DeleteObject(info_.hbmMask);
        }
    }
    IconInfo(const IconInfo&) = delete;
    IconInfo& operator=(const IconInfo&) = delete;
    explicit operator bool() const { return ok_; }
    const ICONINFO& Get() const { return info_; }

  private:
    ICONINFO info_{};
    bool ok_ = false;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// Saves a DC's state and restores it.
class SavedDc {
  public:
    explicit SavedDc(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDc() { RestoreDC(dc_, id_); }
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;

  private:
    HDC dc_;
    int id_;
};

}  // namespace tk
