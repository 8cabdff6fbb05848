// The IUnknown part of a COM object that one C++ class implements, and the IDispatch part of an
// object that has no type information (its Invoke knows its members).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "toolkit/ComGuard.h"

namespace tk {

// Reference counting (the object is created with one reference and frees itself at zero) and
// QueryInterface over the interfaces the derived class answers through Interface(). IUnknown is the
// first interface's. Single-threaded, like everything of the GUI thread.
template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) noexcept override {
        if (!ppv) {
            return E_POINTER;
        }
        *ppv = nullptr;
        // Interface() is the derived class's and may throw.
        return GuardCom("QueryInterface", [&] {
            *ppv = riid == IID_IUnknown ? static_cast<IUnknown*>(static_cast<First*>(this)) : Interface(riid);
            if (!*ppv) {
                return E_NOINTERFACE;
            }
            AddRef();
            return S_OK;
        });
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++refs_; }
    // Destructors do not throw, so neither does the delete.
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;
    // The object's interface pointer for riid (IUnknown aside), or nullptr when it has none.
    virtual void* Interface(REFIID riid) = 0;

  private:
    ULONG refs_ = 1;
};

// IDispatch without type information: no type info to hand out and no names to look up, unless
// the derived class looks names up itself.
template <typename Base>
class LateBoundDispatch : public Base {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) {
            return E_POINTER;
        }
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override {
        if (info) {
            *info = nullptr;
        }
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return DISP_E_UNKNOWNNAME;
    }
};

}  // namespace tk
