// The system's real JScript engine, hosted for tests the way a browser hosts it for a page: named
// items (such as "external") are objects of the test, and script text runs as a page's would.
#pragma once

#include <windows.h>
#include <activscp.h>

#include <map>
#include <string>
#include <vector>

#include "toolkit/ComObject.h"
#include "base/Handles.h"

namespace testsupport {

// The script site: hands out the named objects and records the script errors the engine reports.
class ScriptSite final : public tk::ComObject<IActiveScriptSite> {
  public:
    HRESULT STDMETHODCALLTYPE GetLCID(LCID* plcid) override {
        *plcid = LOCALE_USER_DEFAULT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR pstrName, DWORD dwReturnMask, IUnknown** ppiunkItem,
                                          ITypeInfo** ppti) override {
        if (ppiunkItem) {
            *ppiunkItem = nullptr;
        }
        if (ppti) {
            *ppti = nullptr;
        }
        auto it = items.find(pstrName);
        if (it == items.end()) {
            return TYPE_E_ELEMENTNOTFOUND;
        }
        if ((dwReturnMask & SCRIPTINFO_IUNKNOWN) && ppiunkItem) {
            *ppiunkItem = it->second.CopyOut();
        }
        if ((dwReturnMask & SCRIPTINFO_ITYPEINFO) && ppti) {
            return E_NOTIMPL;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* error) override {
        EXCEPINFO info{};
        std::wstring description = L"(no description)";
        if (error && SUCCEEDED(error->GetExceptionInfo(&info))) {
            if (info.pfnDeferredFillIn) {
                info.pfnDeferredFillIn(&info);
            }
            if (info.bstrDescription) {
                description = info.bstrDescription;
            }
            SysFreeString(info.bstrDescription);
            SysFreeString(info.bstrSource);
            SysFreeString(info.bstrHelpFile);
        }
        errors.push_back(description);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

    std::map<std::wstring, base::ComPtr<IUnknown>> items;
    std::vector<std::wstring> errors;

  private:
    void* Interface(REFIID riid) override {
        return riid == IID_IActiveScriptSite ? static_cast<IActiveScriptSite*>(this) : nullptr;
    }
};

class ScriptEngine {
  public:
    // The parse interface of a 64-bit engine ({C7EF7658-E1EE-480E-97EA-D52CB4D76D17}), which the system
    // libraries do not define.
    static constexpr IID kIID_IActiveScriptParse = {
        0xC7EF7658, 0xE1EE, 0x480E, {0x97, 0xEA, 0xD5, 0x2C, 0xB4, 0xD7, 0x6D, 0x17}};

    ScriptEngine() {
        // {F414C260-6AC0-11CF-B6D1-00AA00BBBB58}: the JScript engine.
        const CLSID jscript = {0xF414C260, 0x6AC0, 0x11CF, {0xB6, 0xD1, 0x00, 0xAA, 0x00, 0xBB, 0xBB, 0x58}};
        ok_ = SUCCEEDED(CoCreateInstance(jscript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                         script_.PutVoid())) &&
              (parse_ = script_.As<IActiveScriptParse>(kIID_IActiveScriptParse)) &&
              SUCCEEDED(script_->SetScriptSite(site_.Get())) && SUCCEEDED(parse_->InitNew()) &&
              SUCCEEDED(script_->SetScriptState(SCRIPTSTATE_STARTED));
    }
    ~ScriptEngine() {
        if (script_) {
            script_->Close();
        }
    }
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    bool Ready() const { return ok_; }

    // Makes an object visible to the scripts under a name, as the browser does with "external".
    void AddObject(const wchar_t* name, IUnknown* object) {
        site_->items[name] = base::ComPtr<IUnknown>(object);
        script_->AddNamedItem(name, SCRIPTITEM_ISVISIBLE);
    }

    // Runs statements; answers the engine's result (a failure when the script raised).
    HRESULT Run(const std::wstring& code) {
        EXCEPINFO info{};
        const HRESULT result = parse_->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0,
                                                       SCRIPTTEXT_ISVISIBLE, nullptr, &info);
        ClearExcepInfo(info);
        return result;
    }

    // Evaluates an expression into value; answers the engine's result.
    HRESULT Evaluate(const std::wstring& expression, VARIANT* value) {
        EXCEPINFO info{};
        const HRESULT result = parse_->ParseScriptText(expression.c_str(), nullptr, nullptr, nullptr, 0, 0,
                                                       SCRIPTTEXT_ISEXPRESSION, value, &info);
        ClearExcepInfo(info);
        return result;
    }

    // An expression's value as text ("<error>" when it raised).
    std::wstring Text(const std::wstring& expression) {
        base::Variant value;
        if (FAILED(Evaluate(expression, value.Put()))) {
            return L"<error>";
        }
        base::Variant text;
        if (value.Get().vt == VT_EMPTY) {
            return L"<undefined>";
        }
        if (FAILED(VariantChangeType(text.Put(), &value.Get(), 0, VT_BSTR))) {
            return L"<not text>";
        }
        return text.Get().bstrVal ? std::wstring(text.Get().bstrVal, SysStringLen(text.Get().bstrVal)) : L"";
    }

    // The script errors the engine reported to its site, in order.
    const std::vector<std::wstring>& Errors() const { return site_->errors; }

  private:
    static void ClearExcepInfo(EXCEPINFO& info) {
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
    }

    base::ComPtr<ScriptSite> site_ = base::ComPtr<ScriptSite>::Adopt(new ScriptSite());
    base::ComPtr<IActiveScript> script_;
    base::ComPtr<IActiveScriptParse> parse_;
    bool ok_ = false;
};

}  // namespace testsupport
