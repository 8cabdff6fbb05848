#include "webhost/UserAction_TLB_Impl.h"

#include <exception>

#include "base/Slot.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"
#include "toolkit/ComGuard.h"
#include "webhost/ComErrors.h"

namespace webhost {
namespace {

std::wstring BstrText(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// Answers the exception being handled as an automation failure: its own HRESULT when it carries a
// failure code, E_UNEXPECTED otherwise, and its message as the thread's error information, which the
// caller's script engine turns into a script error. Call only inside a catch block.
HRESULT AnswerFailure() {
    HRESULT result = E_UNEXPECTED;
    std::string message;
    try {
        throw;
    } catch (const base::ComError& e) {
        message = e.what();
        if (FAILED(static_cast<HRESULT>(e.Result()))) {
            result = static_cast<HRESULT>(e.Result());
        }
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    // Only the code: what the page passed may be in the message.
    base::LogF("window.external: a call failed (%s)", base::HResultText(result).c_str());
    base::ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
        create->SetGUID(IID_IUserAction);
        std::wstring description = base::MessageToWide(message);
        create->SetDescription(description.data());
        if (auto info = create.As<IErrorInfo>(IID_IErrorInfo)) {
            SetErrorInfo(0, info.Get());
        }
    }
    return result;
}

}  // namespace

base::ComPtr<TMyExternal> TMyExternal::Create() {
    // The executable's own file, as the system names the process's main module.
    return CreateFromFile(base::ExePath());
}

base::ComPtr<TMyExternal> TMyExternal::CreateFromFile(const std::wstring& path) {
    base::ComPtr<TMyExternal> external = base::ComPtr<TMyExternal>::Adopt(new TMyExternal());
    base::ComPtr<ITypeLib> library;
    // The loader takes no path of MAX_PATH characters or more.
    CheckCom(LoadTypeLib(base::ShortFormPath(path).c_str(), library.Put()));
    CheckCom(library->GetTypeInfoOfGuid(IID_IUserAction, external->typeInfo_.Put()));
    // A dual interface comes as its dispatch description; calls go through the virtual-table half.
    external->invokeInfo_ = external->typeInfo_;
    TYPEATTR* attributes = nullptr;
    if (SUCCEEDED(external->typeInfo_->GetTypeAttr(&attributes))) {
        const bool dual = attributes->typekind == TKIND_DISPATCH && (attributes->wTypeFlags & TYPEFLAG_FDUAL);
        external->typeInfo_->ReleaseTypeAttr(attributes);
        HREFTYPE vtablePart = 0;
        base::ComPtr<ITypeInfo> interfaceInfo;
        if (dual && SUCCEEDED(external->typeInfo_->GetRefTypeOfImplType(-1, &vtablePart)) &&
            SUCCEEDED(external->typeInfo_->GetRefTypeInfo(vtablePart, interfaceInfo.Put()))) {
            external->invokeInfo_ = interfaceInfo;
        }
    }
    // The library reference goes here; the type information keeps what it needs.
    return external;
}

void* TMyExternal::Interface(REFIID riid) {
    if (riid == IID_IDispatch || riid == IID_IUserAction) {
        return static_cast<IUserAction*>(this);
    }
    return riid == IID_ISupportErrorInfo ? static_cast<ISupportErrorInfo*>(this) : nullptr;
}

HRESULT TMyExternal::GetTypeInfoCount(UINT* pctinfo) noexcept {
    if (!pctinfo) {
        return E_POINTER;
    }
    *pctinfo = 1;
    return S_OK;
}

HRESULT TMyExternal::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) noexcept {
    if (!ppTInfo) {
        return E_POINTER;
    }
    *ppTInfo = nullptr;
    if (iTInfo != 0) {
        return DISP_E_BADINDEX;
    }
    *ppTInfo = typeInfo_.CopyOut();
    return S_OK;
}

HRESULT TMyExternal::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                   DISPID* rgDispId) noexcept {
    if (riid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    return DispGetIDsOfNames(typeInfo_.Get(), rgszNames, cNames, rgDispId);
}

HRESULT TMyExternal::Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams,
                            VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) noexcept {
    if (riid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    return DispInvoke(static_cast<IUserAction*>(this), invokeInfo_.Get(), dispIdMember, wFlags, pDispParams,
                      pVarResult, pExcepInfo, puArgErr);
}

HRESULT TMyExternal::CallTextHandler(const TUserActionEvent& handler, const std::wstring& input, BSTR* result,
                                     bool keepResult) {
    if (result) {
        *result = nullptr;
    }
    if (!handler) {
        return S_OK;
    }
    try {
        std::string answer;
        base::Fire(handler, input, answer);
        if (keepResult && result && !answer.empty()) {
            const std::wstring wide = base::AnsiToWide(answer);
            *result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
            if (!*result) {
                return E_OUTOFMEMORY;
            }
        }
        return S_OK;
    } catch (...) {
        return AnswerFailure();
    }
}

HRESULT TMyExternal::DoLogin(BSTR Action, BSTR* Result) noexcept {
    return tk::GuardCom("window.external DoLogin", [&] {
        if (!Result) {
            return E_POINTER;
        }
        return CallTextHandler(OnDoLogin, BstrText(Action), Result, true);
    });
}

HRESULT TMyExternal::DoLogout(BSTR Action, BSTR* Result) noexcept {
    return tk::GuardCom("window.external DoLogout", [&] {
        if (!Result) {
            return E_POINTER;
        }
        return CallTextHandler(OnDoLogout, BstrText(Action), Result, true);
    });
}

HRESULT TMyExternal::RegFrame(VARIANT Doc, VARIANT InvokeMethod, VARIANT InvokeParas) noexcept {
    return tk::GuardCom("window.external RegFrame",
                        [&] { return CallRegFrame(Doc, InvokeMethod, InvokeParas); });
}

HRESULT TMyExternal::CallRegFrame(VARIANT& Doc, VARIANT& InvokeMethod, VARIANT& InvokeParas) {
    // The call's own copies, freed when it ends.
    base::Variant doc, invokeMethod, invokeParas;
    for (auto [copy, value] :
         {std::pair{&doc, &Doc}, {&invokeMethod, &InvokeMethod}, {&invokeParas, &InvokeParas}}) {
        const HRESULT copied = VariantCopy(copy->Put(), value);
        if (FAILED(copied)) {
            return copied;
        }
    }
    if (!OnRegFrame) {
        return S_OK;
    }
    try {
        base::Fire(OnRegFrame, doc.Get(), invokeMethod.Get(), invokeParas.Get());
        return S_OK;
    } catch (...) {
        return AnswerFailure();
    }
}

HRESULT TMyExternal::NotifyTipStyleChange() noexcept {
    return tk::GuardCom("window.external NotifyTipStyleChange",
                        [&] { return CallTextHandler(OnNotifyTipStyleChange, L"1", nullptr, false); });
}

HRESULT TMyExternal::GetOnlineUserNum(BSTR* Result) noexcept {
    return tk::GuardCom("window.external GetOnlineUserNum", [&] {
        if (!Result) {
            return E_POINTER;
        }
        return CallTextHandler(OnGetOnlineUserNum, std::wstring(), Result, true);
    });
}

HRESULT TMyExternal::NotifyMsgProcessed(BSTR SourceCode) noexcept {
    return tk::GuardCom("window.external NotifyMsgProcessed", [&] {
        return CallTextHandler(OnNotifyMsgProcessed, BstrText(SourceCode), nullptr, false);
    });
}

HRESULT TMyExternal::InterfaceSupportsErrorInfo(REFIID riid) noexcept {
    return riid == IID_IUserAction ? S_OK : S_FALSE;
}

}  // namespace webhost
