// RAII owners for the Win32 and COM resources the program uses: every handle, GDI object, atom,
// registry key and COM pointer is freed by exactly one owner, never by hand in the logic.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <utility>

namespace tk {

// A movable, non-copyable owner of one handle-like value with a free function.
template <typename T, typename Traits>
class Unique {
  public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    ~Unique() { Reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    T Get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }
    // Hands the value over (for example a region to SetWindowRgn, which then owns it).
    T Release() { return std::exchange(value_, Traits::Invalid()); }
    void Reset(T value = Traits::Invalid()) {
        T old = std::exchange(value_, value);
        if (old != Traits::Invalid()) {
            Traits::Free(old);
        }
    }

  private:
    T value_ = Traits::Invalid();
};

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

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Free(HWND h) { DestroyWindow(h); }
};
using UniqueWindow = Unique<HWND, WindowTraits>;

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Free(HKEY h) { RegCloseKey(h); }
};
using UniqueRegKey = Unique<HKEY, RegKeyTraits>;

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using UniqueHandle = Unique<HANDLE, KernelHandleTraits>;

struct AtomTraits {
    static ATOM Invalid() { return 0; }
    static void Free(ATOM a) { GlobalDeleteAtom(a); }
};
using UniqueGlobalAtom = Unique<ATOM, AtomTraits>;

struct PidlTraits {
    static LPITEMIDLIST Invalid() { return nullptr; }
    static void Free(LPITEMIDLIST p) { CoTaskMemFree(p); }
};
using UniquePidl = Unique<LPITEMIDLIST, PidlTraits>;

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

// A counted COM reference.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Adopts a reference the caller already owns (for example one returned through an out pointer).
    static ComPtr Adopt(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    // Takes a new reference to p.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) {
            p_->AddRef();
        }
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) {
            p->Release();
        }
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out parameters: releases the current reference first.
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    // Hands out a new counted reference (for an out parameter the caller will own).
    T* CopyOut() const {
        if (p_) {
            p_->AddRef();
        }
        return p_;
    }
    template <typename U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> out;
        if (p_) {
            p_->QueryInterface(iid, out.PutVoid());
        }
        return out;
    }

  private:
    T* p_ = nullptr;
};

// An owned BSTR.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : s_(SysAllocString(text)) {}
    Bstr(const wchar_t* text, UINT length) : s_(SysAllocStringLen(text, length)) {}
    static Bstr Adopt(BSTR s) {
        Bstr b;
        b.s_ = s;
        return b;
    }
    ~Bstr() { SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        std::swap(s_, other.s_);
        return *this;
    }
    BSTR Get() const { return s_; }
    BSTR* Put() {
        SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    BSTR Release() { return std::exchange(s_, nullptr); }
    UINT Length() const { return SysStringLen(s_); }

  private:
    BSTR s_ = nullptr;
};

// A VARIANT that is cleared when it goes.
class Variant {
  public:
    Variant() { VariantInit(&v_); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Put() {
        VariantClear(&v_);
        return &v_;
    }
    VARIANT& Get() { return v_; }
    const VARIANT& Get() const { return v_; }

  private:
    VARIANT v_;
};

}  // namespace tk
