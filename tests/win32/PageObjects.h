// The page's document and window objects as the shell sees them (late-bound, by member name), for
// tests that play the page with the real JScript engine: the document's parentWindow is a window whose
// execScript(code, language) runs the code in that engine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptEngine.h"
#include "toolkit/ComObject.h"
#include "base/Handles.h"

namespace testsupport {

// A minimal late-bound object with named members, as the page's document and window are to the shell.
class NamedObject : public tk::LateBoundDispatch<tk::ComObject<IDispatch>> {
  public:
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override {
        if (count != 1 || _wcsicmp(names[0], member_) != 0) {
            ids[0] = DISPID_UNKNOWN;
            return DISP_E_UNKNOWNNAME;
        }
        ids[0] = 1;
        return S_OK;
    }

  protected:
    explicit NamedObject(const wchar_t* member) : member_(member) {}

  private:
    void* Interface(REFIID riid) override {
        return riid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    }

    const wchar_t* member_;
};

// The page's window: execScript(code, language) runs code in the page's engine.
class TestWindow final : public NamedObject {
  public:
    explicit TestWindow(ScriptEngine& engine) : NamedObject(L"execScript"), engine_(engine) {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (id != 1 || !(flags & DISPATCH_METHOD) || params->cArgs != 2) {
            return DISP_E_BADPARAMCOUNT;
        }
        // Last argument first: rgvarg[1] is the code, rgvarg[0] the language.
        const VARIANT& code = params->rgvarg[1];
        const VARIANT& language = params->rgvarg[0];
        EXPECT_EQ(code.vt, VT_BSTR);
        EXPECT_EQ(language.vt, VT_BSTR);
        if (code.vt != VT_BSTR || language.vt != VT_BSTR) {
            return DISP_E_TYPEMISMATCH;
        }
        scripts.emplace_back(code.bstrVal ? code.bstrVal : L"");
        languages.emplace_back(language.bstrVal ? language.bstrVal : L"");
        return engine_.Run(scripts.back());
    }
    std::vector<std::wstring> scripts;
    std::vector<std::wstring> languages;

  private:
    ScriptEngine& engine_;
};

// The page's document: its parentWindow is the window above.
class TestDocument final : public NamedObject {
  public:
    explicit TestDocument(IDispatch* window) : NamedObject(L"parentWindow"), window_(window) {}
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id != 1 || !(flags & DISPATCH_PROPERTYGET) || !result) {
            return DISP_E_MEMBERNOTFOUND;
        }
        result->vt = VT_DISPATCH;
        result->pdispVal = window_.CopyOut();
        return S_OK;
    }

  private:
    base::ComPtr<IDispatch> window_;
};

}  // namespace testsupport
