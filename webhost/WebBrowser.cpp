#include "webhost/WebBrowser.h"

#include "webhost/BrowserSite.h"

#include <docobj.h>
#include <exdispid.h>
#include <mshtmdid.h>

#include "toolkit/Application.h"
#include "toolkit/ComObject.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"
#include "base/Error.h"
#include "base/Log.h"
#include "webhost/ComErrors.h"
#include "webhost/HostKeys.h"
#include "webhost/PageScript.h"

namespace webhost {
namespace {

// The controls alive in the process. The user-agent value is one for all of them: the first adds it and
// the last removes it. Only the GUI thread makes controls.
int liveControls = 0;

void RegisterUserAgent() {
    base::UniqueRegKey key;
    const LONG created = RegCreateKeyExA(HKEY_CURRENT_USER, UserAgentKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (created != ERROR_SUCCESS) {
        base::LogF("The browser's user-agent token could not be registered (error %ld)", created);
        return;  // nothing else depends on it
    }
    const LONG set =
        RegSetValueExA(key.Get(), UserAgentToken, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    if (set != ERROR_SUCCESS) {
        base::LogF("The browser's user-agent token could not be registered (error %ld)", set);
    }
}

void UnregisterUserAgent() {
    base::UniqueRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, UserAgentKey, 0, KEY_SET_VALUE, key.Put()) != ERROR_SUCCESS) {
        return;
    }
    const LONG deleted = RegDeleteValueA(key.Get(), UserAgentToken);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
        base::LogF("The browser's user-agent token could not be removed (error %ld)", deleted);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TWebBrowser

TWebBrowser::TWebBrowser(tk::WinControl* parent) : WinControl(parent) {
    if (!parent || !parent->Handle()) {
        throw base::Error("The browser control needs a parent window");
    }
    CreateHandle(tk::WindowParams::Child(parent->Handle(), tk::ClassName(L"BrowserHost"), false,
                                         WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, parent->ClientWidth(),
                                         parent->ClientHeight()));
    try {
        CreateControl();
    } catch (...) {
        DestroyControl();
        throw;
    }
    SetAlign(tk::Align::Client);
}

TWebBrowser::~TWebBrowser() {
    DestroyControl();
}

void TWebBrowser::CreateControl() {
    site_ = base::ComPtr<BrowserSite>::Adopt(new BrowserSite(this));
    frame_ = base::ComPtr<BrowserFrame>::Adopt(new BrowserFrame(this));
    events_ = base::ComPtr<BrowserEvents>::Adopt(new BrowserEvents(this));
    IOleClientSite* clientSite = site_.Get();

    CheckCom(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              oleObject_.PutVoid()));
    CheckCom(oleObject_->SetClientSite(clientSite));
    LogIfFailed(OleSetContainedObject(oleObject_.Get(), TRUE), "OleSetContainedObject");
    RECT client{};
    GetClientRect(Handle(), &client);
    CheckCom(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, Handle(), &client));

    browser_ = oleObject_.As<IWebBrowser2>(IID_IWebBrowser2);
    inPlaceObject_ = oleObject_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (!browser_ || !inPlaceObject_) {
        CheckCom(E_NOINTERFACE);
    }
    controlActiveObject_ = oleObject_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    LogIfFailed(inPlaceObject_->GetWindow(&controlWindow_), "IOleInPlaceObject::GetWindow");

    auto container = oleObject_.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container) {
        CheckCom(E_NOINTERFACE);
    }
    CheckCom(container->FindConnectionPoint(DIID_DWebBrowserEvents2, eventsConnection_.Put()));
    CheckCom(eventsConnection_->Advise(static_cast<IDispatch*>(events_.Get()), &eventsCookie_));

    // Drag-and-drop onto the page is off: the control's window is no drop target.
    if (controlWindow_) {
        RevokeDragDrop(controlWindow_);
    }
    if (liveControls++ == 0) {
        RegisterUserAgent();
    }
    userAgentRegistered_ = true;

    messageFilter_ =
        tk::Application::Instance().AddMessageFilter([this](MSG& msg) { return FilterKeyMessage(msg); });
    ApplyPageZoom(false);
}

void TWebBrowser::ApplyPageZoom(bool evenAtHundred) {
    const int zoom = PageZoomPercent(Dpi(), tk::SystemDpi());
    if (!browser_ || (zoom == 100 && !evenAtHundred)) {
        return;
    }
    pageZoom_ = zoom;
    base::Variant in;
    in.Get().vt = VT_I4;
    in.Get().lVal = zoom;
    base::Variant out;
    LogIfFailed(browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &in.Get(), &out.Get()),
                "IWebBrowser2::ExecWB(OLECMDID_OPTICAL_ZOOM)");
}

void TWebBrowser::DpiChanged() {
    tk::WinControl::DpiChanged();
    ApplyPageZoom(true);
}

void TWebBrowser::DestroyControl() {
    if (messageFilter_) {
        tk::Application::Instance().RemoveMessageFilter(messageFilter_);
        messageFilter_ = 0;
    }
    if (eventsConnection_ && eventsCookie_) {
        LogIfFailed(eventsConnection_->Unadvise(eventsCookie_), "IConnectionPoint::Unadvise");
    }
    eventsConnection_.Reset();
    eventsCookie_ = 0;
    // From here on the control may still call its site, frame or sink, but they no longer reach this.
    if (site_) {
        site_->Detach();
    }
    if (frame_) {
        frame_->Detach();
    }
    if (events_) {
        events_->Detach();
    }
    frameActiveObject_.Reset();
    controlActiveObject_.Reset();
    if (inPlaceObject_) {
        inPlaceObject_->InPlaceDeactivate();
    }
    if (oleObject_) {
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
    }
    browser_.Reset();
    inPlaceObject_.Reset();
    oleObject_.Reset();
    controlWindow_ = nullptr;
    site_.Reset();
    frame_.Reset();
    events_.Reset();
    if (userAgentRegistered_) {
        if (--liveControls == 0) {
            UnregisterUserAgent();
        }
        userAgentRegistered_ = false;
    }
}

void TWebBrowser::Navigate(const std::wstring& url) {
    if (!browser_) {
        CheckCom(E_UNEXPECTED);
    }
    base::Bstr address(url.data(), static_cast<UINT>(url.size()));
    base::Variant flags, targetFrameName, postData, headers;
    CheckCom(browser_->Navigate(address.Get(), &flags.Get(), &targetFrameName.Get(), &postData.Get(),
                                &headers.Get()));
}

void TWebBrowser::Refresh() {
    if (!browser_) {
        CheckCom(E_UNEXPECTED);
    }
    CheckCom(browser_->Refresh());
}

base::ComPtr<IDispatch> TWebBrowser::Application() const {
    if (!browser_) {
        CheckCom(E_UNEXPECTED);
    }
    base::ComPtr<IDispatch> application;
    CheckCom(browser_->get_Application(application.Put()));
    return application;
}

bool TWebBrowser::IsTopLevel(IDispatch* pDisp) const {
    if (!pDisp) {
        return false;
    }
    base::ComPtr<IDispatch> application = Application();
    // The same object: compared by identity, whichever of its interfaces the event carried.
    base::ComPtr<IUnknown> a, b;
    if (!application || FAILED(application->QueryInterface(IID_IUnknown, a.PutVoid())) ||
        FAILED(pDisp->QueryInterface(IID_IUnknown, b.PutVoid()))) {
        return false;
    }
    return a.Get() == b.Get();
}

void TWebBrowser::SetHostFlags(DWORD flags) {
    hostFlags_ = flags;
    if (auto control = oleObject_.As<IOleControl>(IID_IOleControl)) {
        LogIfFailed(control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL), "OnAmbientPropertyChange");
    }
}

IDispatch* TWebBrowser::EventSink() const {
    return events_.Get();
}

void TWebBrowser::UpdateControlRects() {
    if (inPlaceObject_ && Handle()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        LogIfFailed(inPlaceObject_->SetObjectRects(&client, &client), "SetObjectRects");
    }
}

bool TWebBrowser::FilterKeyMessage(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !Handle()) {
        return false;
    }
    if (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)) {
        return false;
    }
    base::ComPtr<IOleInPlaceActiveObject> active =
        frameActiveObject_ ? frameActiveObject_ : controlActiveObject_;
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

LRESULT TWebBrowser::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = WinControl::WndProc(message, wParam, lParam);
            UpdateControlRects();
            return result;
        }
        case WM_SETFOCUS:
            if (controlWindow_) {
                SetFocus(controlWindow_);
                return 0;
            }
            break;
        case WM_DESTROY:
            // The window goes with its parent before this object: close the control while its
            // window still exists.
            DestroyControl();
            break;
        default:
            break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

}  // namespace webhost
