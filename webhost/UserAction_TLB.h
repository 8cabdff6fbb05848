// The type library UserAction (UserAction.idl): its identifiers and the dual interface IUserAction
// that the hosted page calls as window.external.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace webhost {

// {467E488A-58E2-4C8B-AEF6-43F00469CEF1}
inline constexpr GUID LIBID_UserAction = {
    0x467E488A, 0x58E2, 0x4C8B, {0xAE, 0xF6, 0x43, 0xF0, 0x04, 0x69, 0xCE, 0xF1}};
inline constexpr WORD UserActionMajorVersion = 1;
inline constexpr WORD UserActionMinorVersion = 0;

// {D8A0B665-F898-4961-A7F0-2F9BD4C769ED}
inline constexpr IID IID_IUserAction = {
    0xD8A0B665, 0xF898, 0x4961, {0xA7, 0xF0, 0x2F, 0x9B, 0xD4, 0xC7, 0x69, 0xED}};

// The library's resource in the executable: type "TYPELIB", id 1.
inline constexpr int UserActionTypeLibResource = 1;

// Dispatch identifiers of the six methods.
inline constexpr DISPID DISPID_DoLogin = 201;
inline constexpr DISPID DISPID_DoLogout = 202;
inline constexpr DISPID DISPID_RegFrame = 203;
inline constexpr DISPID DISPID_NotifyTipStyleChange = 204;
inline constexpr DISPID DISPID_GetOnlineUserNum = 205;
inline constexpr DISPID DISPID_NotifyMsgProcessed = 206;

// Virtual-table slots 7 to 12, after IUnknown's three and IDispatch's four.
struct IUserAction : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE DoLogin(BSTR Action, BSTR* Result) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoLogout(BSTR Action, BSTR* Result) = 0;
    virtual HRESULT STDMETHODCALLTYPE RegFrame(VARIANT Doc, VARIANT InvokeMethod, VARIANT InvokeParas) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotifyTipStyleChange() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOnlineUserNum(BSTR* Result) = 0;
    virtual HRESULT STDMETHODCALLTYPE NotifyMsgProcessed(BSTR SourceCode) = 0;
};

}  // namespace webhost
