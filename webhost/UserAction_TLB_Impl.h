// TMyExternal: the script bridge, the page's window.external. An automation object implementing
// IUserAction from the type library in the executable's own resources; each method passes the page's
// call on to a handler slot that the owner fills.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>

#include "toolkit/ComObject.h"
#include "base/Handles.h"
#include "webhost/UserAction_TLB.h"

namespace webhost {

// Receives the page's text (UTF-16, read only) and fills Result, an ANSI text in the system code page
// that starts out empty.
using TUserActionEvent = std::function<void(const std::wstring& Action, std::string& Result)>;
// Receives copies of RegFrame's three values (read only); they are freed after the call.
using TRegFrameEvent =
    std::function<void(const VARIANT& Doc, const VARIANT& InvokeMethod, const VARIANT& InvokeParas)>;

class TMyExternal final : public tk::ComObject<IUserAction, ISupportErrorInfo> {
  public:
    // Loads the type library from the running executable's file (resource TYPELIB 1; never registered)
    // and keeps IUserAction's type information. A failure raises base::ComError with its HRESULT.
    static base::ComPtr<TMyExternal> Create();
    // The same from another file that carries the library (a full path, of any length).
    static base::ComPtr<TMyExternal> CreateFromFile(const std::wstring& path);

    // Handler slots, one per method, empty until the owner fills them. A handler may raise: the page
    // then gets a failure HRESULT with the error's message as error information.
    TUserActionEvent OnDoLogin;
    TUserActionEvent OnDoLogout;
    TRegFrameEvent OnRegFrame;
    TUserActionEvent OnNotifyTipStyleChange;
    TUserActionEvent OnGetOnlineUserNum;
    TUserActionEvent OnNotifyMsgProcessed;

    // IDispatch, served from IUserAction's type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                     UINT* puArgErr) noexcept override;

    // IUserAction
    HRESULT STDMETHODCALLTYPE DoLogin(BSTR Action, BSTR* Result) noexcept override;
    HRESULT STDMETHODCALLTYPE DoLogout(BSTR Action, BSTR* Result) noexcept override;
    HRESULT STDMETHODCALLTYPE RegFrame(VARIANT Doc, VARIANT InvokeMethod,
                                       VARIANT InvokeParas) noexcept override;
    HRESULT STDMETHODCALLTYPE NotifyTipStyleChange() noexcept override;
    HRESULT STDMETHODCALLTYPE GetOnlineUserNum(BSTR* Result) noexcept override;
    HRESULT STDMETHODCALLTYPE NotifyMsgProcessed(BSTR SourceCode) noexcept override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) noexcept override;

  private:
    TMyExternal() = default;
    ~TMyExternal() override = default;

    void* Interface(REFIID riid) override;

    // The common path of the five text methods. result is null for the methods without one.
    HRESULT CallTextHandler(const TUserActionEvent& handler, const std::wstring& input, BSTR* result,
                            bool keepResult);

    // RegFrame's work, run inside its guard.
    HRESULT CallRegFrame(VARIANT& Doc, VARIANT& InvokeMethod, VARIANT& InvokeParas);

    base::ComPtr<ITypeInfo> typeInfo_;    // IUserAction's, as the library gives it (names, GetTypeInfo)
    base::ComPtr<ITypeInfo> invokeInfo_;  // the virtual-table description that invocation goes through
};

}  // namespace webhost
