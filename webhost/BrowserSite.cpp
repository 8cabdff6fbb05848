#include "webhost/BrowserSite.h"

#include "webhost/ComErrors.h"

#include <docobj.h>
#include <exdispid.h>
#include <mshtmdid.h>

#include "base/Error.h"
#include "base/Handles.h"
#include "base/Log.h"
#include "base/Text.h"
#include "toolkit/ComGuard.h"
#include "toolkit/Application.h"
#include "webhost/HostKeys.h"
#include "webhost/PageScript.h"
#include "webhost/WebBrowser.h"

namespace webhost {
namespace {

// Runs an event handler at an event boundary: an error is shown in the standard error box.
template <typename Handler, typename... Args>
void FireEvent(const Handler& handler, Args&&... args) {
    if (!handler) {
        return;
    }
    // A copy: the handler may free the browser (and with it the member) while it runs.
    Handler call = handler;
    try {
        call(std::forward<Args>(args)...);
    } catch (...) {
        tk::Application::Instance().HandleException();
    }
}

// The same for a host request that answers an HRESULT: an error is shown and the request fails.
template <typename Handler, typename... Args>
HRESULT AskHandler(const Handler& handler, Args&&... args) {
    Handler call = handler;
    try {
        return call(std::forward<Args>(args)...);
    } catch (...) {
        tk::Application::Instance().HandleException();
        return E_FAIL;
    }
}

// An event argument as an object reference (also passed by reference), or null.
IDispatch* DispatchArgument(const VARIANT& value) {
    if (value.vt == VT_DISPATCH) {
        return value.pdispVal;
    }
    if (value.vt == (VT_DISPATCH | VT_BYREF) && value.ppdispVal) {
        return *value.ppdispVal;
    }
    return nullptr;
}

// An event argument passed as a reference to a variant, dereferenced.
const VARIANT& ValueArgument(const VARIANT& value) {
    if (value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal) {
        return *value.pvarVal;
    }
    return value;
}

// How many of an event's arguments (counted from its first) the sink hands on; 0 for the events it
// ignores. BeforeNavigate2 has seven, of which the handler gets the first two.
UINT ArgumentsUsed(DISPID event) {
    switch (event) {
        case DISPID_BEFORENAVIGATE2:
        case DISPID_NAVIGATECOMPLETE2:
        case DISPID_DOCUMENTCOMPLETE:
            return 2;
        case DISPID_NAVIGATEERROR:
            return 5;
        default:
            return 0;
    }
}

// A status code as the control passes it (a 32-bit integer, signed or not); 0 when it is none.
long StatusArgument(const VARIANT& value) {
    if (value.vt == VT_I4 || value.vt == VT_UI4 || value.vt == VT_INT || value.vt == VT_UINT) {
        return value.lVal;
    }
    base::Variant number;
    if (SUCCEEDED(VariantChangeType(number.Put(), const_cast<VARIANT*>(&value), 0, VT_I4))) {
        return number.Get().lVal;
    }
    return 0;
}

// NavigateError: the handler sees the control's Cancel and may set it; the answer goes back through
// the by-reference argument.
template <typename Handler>
void FireNavigateError(const Handler& handler, IDispatch* pDisp, const VARIANT& url, const VARIANT& status,
                       VARIANT& cancel) {
    VARIANT_BOOL* cancelOut = cancel.vt == (VT_BOOL | VT_BYREF) ? cancel.pboolVal : nullptr;
    bool cancelled = cancelOut && *cancelOut != VARIANT_FALSE;
    FireEvent(handler, pDisp, url, StatusArgument(status), cancelled);
    if (cancelOut) {
        *cancelOut = cancelled ? VARIANT_TRUE : VARIANT_FALSE;
    }
}

// A property read by name on an object of the page; empty when there is none.
void ReadProperty(IDispatch* object, const wchar_t* name, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (!object || FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return;
    }
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result, nullptr, nullptr);
}

base::ComPtr<IDispatch> ObjectProperty(IDispatch* object, const wchar_t* name) {
    base::Variant value;
    ReadProperty(object, name, value.Put());
    if (value.Get().vt == VT_DISPATCH) {
        return base::ComPtr<IDispatch>(value.Get().pdispVal);
    }
    return {};
}

long NumberProperty(IDispatch* object, const wchar_t* name) {
    base::Variant value;
    ReadProperty(object, name, value.Put());
    base::Variant number;
    if (SUCCEEDED(VariantChangeType(number.Put(), &value.Get(), 0, VT_I4))) {
        return number.Get().lVal;
    }
    return 0;
}

std::wstring TextProperty(IDispatch* object, const wchar_t* name) {
    base::Variant value;
    ReadProperty(object, name, value.Put());
    try {
        return VariantToText(value.Get());
    } catch (const base::Error&) {
        // Only the name: the value is the page's.
        base::LogF("A script error's %s could not be read as text", base::WideToUtf8(name).c_str());
        return {};
    }
}

// The details of a script error: the control passes the document whose window's current event
// carries them.
TScriptErrorInfo ScriptErrorDetails(const VARIANT* in) {
    TScriptErrorInfo details;
    if (!in || (in->vt != VT_UNKNOWN && in->vt != VT_DISPATCH) || !in->punkVal) {
        return details;
    }
    base::ComPtr<IDispatch> document;
    in->punkVal->QueryInterface(IID_IDispatch, document.PutVoid());
    base::ComPtr<IDispatch> window = ObjectProperty(document.Get(), L"parentWindow");
    base::ComPtr<IDispatch> event = ObjectProperty(window.Get(), L"event");
    if (!event) {
        return details;
    }
    details.ErrorLine = NumberProperty(event.Get(), L"errorLine");
    details.ErrorCharacter = NumberProperty(event.Get(), L"errorCharacter");
    details.ErrorCode = NumberProperty(event.Get(), L"errorCode");
    details.ErrorMessage = TextProperty(event.Get(), L"errorMessage");
    details.ErrorUrl = TextProperty(event.Get(), L"errorUrl");
    return details;
}

}  // namespace

HRESULT STDMETHODCALLTYPE BrowserSite::GetWindow(HWND* phwnd) noexcept {
    if (!phwnd) {
        return E_POINTER;
    }
    *phwnd = owner_ ? owner_->Handle() : nullptr;
    return *phwnd ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetHostInfo(DOCHOSTUIINFO* pInfo) noexcept {
    return tk::GuardCom("BrowserSite::GetHostInfo", [&] {
        if (!pInfo) {
            return E_POINTER;
        }
        if (!owner_) {
            return E_FAIL;
        }
        pInfo->cbSize = sizeof(DOCHOSTUIINFO);
        pInfo->dwFlags = owner_->hostFlags_;
        pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        if (!owner_->OnGetHostInfo) {
            return S_OK;
        }
        return AskHandler(owner_->OnGetHostInfo, *pInfo);
    });
}

HRESULT STDMETHODCALLTYPE BrowserSite::TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) noexcept {
    // Only the key messages carry a virtual-key code in wParam; characters and every other message
    // reach the browser whatever their wParam.
    const bool keyMessage = lpMsg && (lpMsg->message == WM_KEYDOWN || lpMsg->message == WM_KEYUP ||
                                      lpMsg->message == WM_SYSKEYDOWN || lpMsg->message == WM_SYSKEYUP);
    if (!keyMessage) {
        return S_FALSE;
    }
    const bool swallow = HostSwallowsKey(static_cast<unsigned>(lpMsg->wParam), GetKeyState(VK_CONTROL) < 0,
                                         GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
    return swallow ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetDropTarget(IDropTarget* pDropTarget,
                                                     IDropTarget** ppDropTarget) noexcept {
    return tk::GuardCom("BrowserSite::GetDropTarget", [&] {
        if (!ppDropTarget) {
            return E_POINTER;
        }
        *ppDropTarget = nullptr;
        if (!owner_ || !owner_->OnGetDropTarget) {
            return S_FALSE;
        }
        return AskHandler(owner_->OnGetDropTarget, pDropTarget, ppDropTarget);
    });
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetExternal(IDispatch** ppDispatch) noexcept {
    return tk::GuardCom("BrowserSite::GetExternal", [&] {
        if (!ppDispatch) {
            return E_POINTER;
        }
        *ppDispatch = nullptr;
        if (!owner_ || !owner_->OnGetExternal) {
            return S_FALSE;
        }
        return AskHandler(owner_->OnGetExternal, ppDispatch);
    });
}

HRESULT STDMETHODCALLTYPE BrowserSite::Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD, VARIANT* pvaIn,
                                            VARIANT* pvaOut) noexcept {
    return tk::GuardCom("BrowserSite::Exec",
                        [&] { return ExecCommand(pguidCmdGroup, nCmdID, pvaIn, pvaOut); });
}

HRESULT BrowserSite::ExecCommand(const GUID* pguidCmdGroup, DWORD nCmdID, VARIANT* pvaIn, VARIANT* pvaOut) {
    if (!pguidCmdGroup || *pguidCmdGroup != kCGID_DocHostCommandHandler) {
        return pguidCmdGroup ? OLECMDERR_E_UNKNOWNGROUP : OLECMDERR_E_NOTSUPPORTED;
    }
    if (nCmdID != OLECMDID_SHOWSCRIPTERROR || !owner_) {
        return OLECMDERR_E_NOTSUPPORTED;
    }
    bool continueScript = true;
    bool showDialog = false;
    if (owner_->OnScriptError) {
        const TScriptErrorInfo details = ScriptErrorDetails(pvaIn);
        FireEvent(owner_->OnScriptError, details, continueScript, showDialog);
    }
    if (showDialog) {
        return OLECMDERR_E_NOTSUPPORTED;  // the control shows its own script-error dialog
    }
    if (pvaOut) {
        VariantClear(pvaOut);
        pvaOut->vt = VT_BOOL;
        pvaOut->boolVal = continueScript ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                              VARIANT* pVarResult, EXCEPINFO*, UINT*) noexcept {
    if (dispIdMember == DISPID_AMBIENT_DLCONTROL && (wFlags & DISPATCH_PROPERTYGET)) {
        if (!pVarResult) {
            return E_POINTER;
        }
        VariantInit(pVarResult);
        pVarResult->vt = VT_I4;
        pVarResult->lVal = static_cast<LONG>(DownloadControl);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;  // every other ambient property keeps the control's default
}

void* BrowserSite::Interface(REFIID riid) {
    if (riid == IID_IOleClientSite) {
        return static_cast<IOleClientSite*>(this);
    }
    if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
        return static_cast<IOleInPlaceSite*>(this);
    }
    if (riid == IID_IDocHostUIHandler) {
        return static_cast<IDocHostUIHandler*>(this);
    }
    if (riid == IID_IOleCommandTarget) {
        return static_cast<IOleCommandTarget*>(this);
    }
    return riid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
}

HRESULT STDMETHODCALLTYPE BrowserSite::OnPosRectChange(LPCRECT lprcPosRect) noexcept {
    if (owner_ && owner_->inPlaceObject_ && lprcPosRect) {
        LogIfFailed(owner_->inPlaceObject_->SetObjectRects(lprcPosRect, lprcPosRect), "SetObjectRects");
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                                        LPCOLESTR) noexcept {
    if (owner_) {
        owner_->frameActiveObject_ = base::ComPtr<IOleInPlaceActiveObject>(pActiveObject);
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserFrame::GetWindow(HWND* phwnd) noexcept {
    if (!phwnd) {
        return E_POINTER;
    }
    *phwnd = owner_ && owner_->Handle() ? GetAncestor(owner_->Handle(), GA_ROOT) : nullptr;
    return *phwnd ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowserEvents::Invoke(DISPID dispIdMember, REFIID, LCID, WORD,
                                                DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                                                UINT*) noexcept {
    return tk::GuardCom("BrowserEvents::Invoke", [&] { return Dispatch(dispIdMember, pDispParams); });
}

HRESULT BrowserEvents::Dispatch(DISPID dispIdMember, DISPPARAMS* pDispParams) {
    const UINT needed = ArgumentsUsed(dispIdMember);
    if (needed == 0) {
        return S_OK;  // every other event is ignored
    }
    // (pDisp, URL, ...), which DISPPARAMS carries last to first.
    if (!pDispParams || pDispParams->cArgs < needed || !pDispParams->rgvarg) {
        return DISP_E_BADPARAMCOUNT;
    }
    if (!owner_) {
        return S_OK;
    }
    VARIANT* args = pDispParams->rgvarg + (pDispParams->cArgs - needed);
    IDispatch* pDisp = DispatchArgument(args[needed - 1]);
    const VARIANT& url = ValueArgument(args[needed - 2]);
    // The object and its arguments stay alive for the call even if a handler frees the browser.
    base::ComPtr<IDispatch> self(this);
    base::ComPtr<IDispatch> frame(pDisp);
    switch (dispIdMember) {
        case DISPID_NAVIGATECOMPLETE2:
            FireEvent(owner_->OnNavigateComplete2, pDisp, url);
            break;
        case DISPID_DOCUMENTCOMPLETE:
            // A new document takes the zoom the window's DPI asks for.
            if (owner_->IsTopLevel(pDisp)) {
                owner_->ApplyPageZoom(false);
            }
            FireEvent(owner_->OnDocumentComplete, pDisp, url);
            break;
        case DISPID_BEFORENAVIGATE2:
            FireEvent(owner_->OnBeforeNavigate2, pDisp, url);
            break;
        default:
            // NavigateError (pDisp, URL, Frame, StatusCode, Cancel).
            FireNavigateError(owner_->OnNavigateError, pDisp, url, ValueArgument(args[1]), args[0]);
            break;
    }
    return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                      LPRECT lprcPosRect, LPRECT lprcClipRect,
                                      LPOLEINPLACEFRAMEINFO lpFrameInfo) noexcept {
    if (!ppFrame || !ppDoc || !lprcPosRect || !lprcClipRect || !lpFrameInfo) {
        return E_POINTER;
    }
    *ppFrame = nullptr;
    *ppDoc = nullptr;  // no document window of its own between frame and site
    if (!owner_ || !owner_->Handle()) {
        return E_FAIL;
    }
    *ppFrame = owner_->frame_.CopyOut();
    GetClientRect(owner_->Handle(), lprcPosRect);
    *lprcClipRect = *lprcPosRect;
    lpFrameInfo->fMDIApp = FALSE;
    lpFrameInfo->hwndFrame = GetAncestor(owner_->Handle(), GA_ROOT);
    lpFrameInfo->haccel = nullptr;
    lpFrameInfo->cAccelEntries = 0;
    return S_OK;
}

}  // namespace webhost
