// RAII owners for the kernel, registry, shell and COM resources the program uses: each is freed by
// exactly one owner, never by hand in the logic. The GUI's own (GDI objects, DCs, windows, menus) are
// in toolkit/GdiHandles.h.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <utility>

namespace base {

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
    // For an out parameter: frees the current value and lets the callee write the new one.
    T* Put() {
        Reset();
        return &value_;
    }

  private:
    T value_ = Traits::Invalid();
};

struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Free(HKEY h) { RegCloseKey(h); }
};
using UniqueRegKey = Unique<HKEY, RegKeyTraits>;

// Kernel handles come in two kinds that must not be mixed up: most functions (CreateMutex, OpenProcess,
// CreateEvent...) answer null on failure, while CreateFile and its relatives answer INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using UniqueHandle = Unique<HANDLE, KernelHandleTraits>;

struct FileHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { CloseHandle(h); }
};
using UniqueFile = Unique<HANDLE, FileHandleTraits>;

// A directory search (FindFirstFile), which answers INVALID_HANDLE_VALUE on failure.
struct FindHandleTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Free(HANDLE h) { FindClose(h); }
};
using UniqueFind = Unique<HANDLE, FindHandleTraits>;

// Memory the system allocated with LocalAlloc for the caller (FormatMessage's buffer, for one).
template <typename T>
struct LocalMemoryTraits {
    static T* Invalid() { return nullptr; }
    static void Free(T* p) { LocalFree(p); }
};
template <typename T>
using UniqueLocalMemory = Unique<T*, LocalMemoryTraits<T>>;

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

}  // namespace base
