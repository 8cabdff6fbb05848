#include "webhost/WebBrowser.h"

#include <docobj.h>
#include <exdispid.h>
#include <mshtmdid.h>

#include "toolkit/Application.h"
#include "toolkit/ComObject.h"
#include "base/Error.h"
#include "webhost/ComErrors.h"
#include "webhost/HostKeys.h"
#include "webhost/PageScript.h"

namespace webhost {
namespace {

// The record size the host reports in GetHostInfo: the four-byte-pointer layout of DOCHOSTUIINFO.
constexpr ULONG kHostInfoSize = 20;

const wchar_t kHostWindowClass[] = L"VelmoraBrowserHost";

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

void RegisterUserAgent() {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, UserAgentKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return;  // no token then; nothing else depends on it
    }
    base::UniqueRegKey key(opened);
    RegSetValueExA(key.Get(), UserAgentToken, 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
}

void UnregisterUserAgent() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, UserAgentKey, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) {
        return;
    }
    base::UniqueRegKey key(opened);
    RegDeleteValueA(key.Get(), UserAgentToken);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The host site: what the control asks of its container. It outlives the browser object when the
// control keeps a reference, so every request checks that its owner is still there.

class BrowserSite final
    : public tk::LateBoundDispatch<
          tk::ComObject<IOleClientSite, IOleInPlaceSite, IDocHostUIHandler, IOleCommandTarget, IDispatch>> {
  public:
    explicit BrowserSite(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override {
        if (ppmk) {
            *ppmk = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override {
        if (ppContainer) {
            *ppContainer = nullptr;
        }
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override {
        if (!phwnd) {
            return E_POINTER;
        }
        *phwnd = owner_ ? owner_->Handle() : nullptr;
        return *phwnd ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return owner_ ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) override {
        if (owner_ && owner_->inPlaceObject_ && lprcPosRect) {
            owner_->inPlaceObject_->SetObjectRects(lprcPosRect, lprcPosRect);
        }
        return S_OK;
    }

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
        return S_FALSE;  // the browser's own context menus
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) override {
        if (!pInfo) {
            return E_POINTER;
        }
        if (!owner_) {
            return E_FAIL;
        }
        pInfo->cbSize = kHostInfoSize;
        pInfo->dwFlags = owner_->hostFlags_;
        pInfo->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        if (!owner_->OnGetHostInfo) {
            return S_OK;
        }
        return AskHandler(owner_->OnGetHostInfo, *pInfo);
    }
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) override {
        return S_FALSE;  // the browser shows its own
    }
    HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) override {
        if (!lpMsg) {
            return S_FALSE;
        }
        const bool swallow =
            HostSwallowsKey(static_cast<unsigned>(lpMsg->wParam), GetKeyState(VK_CONTROL) < 0,
                            GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0);
        return swallow ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD) override {
        if (pchKey) {
            *pchKey = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget) override {
        if (!ppDropTarget) {
            return E_POINTER;
        }
        *ppDropTarget = nullptr;
        if (!owner_ || !owner_->OnGetDropTarget) {
            return S_FALSE;
        }
        return AskHandler(owner_->OnGetDropTarget, pDropTarget, ppDropTarget);
    }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) override {
        if (!ppDispatch) {
            return E_POINTER;
        }
        *ppDispatch = nullptr;
        if (!owner_ || !owner_->OnGetExternal) {
            return S_FALSE;
        }
        return AskHandler(owner_->OnGetExternal, ppDispatch);
    }
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) override {
        if (ppchURLOut) {
            *ppchURLOut = nullptr;
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** ppDORet) override {
        if (ppDORet) {
            *ppDORet = nullptr;
        }
        return S_FALSE;
    }

    // IOleCommandTarget
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* pguidCmdGroup, ULONG, OLECMD*, OLECMDTEXT*) override {
        return pguidCmdGroup ? OLECMDERR_E_UNKNOWNGROUP : OLECMDERR_E_NOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD, VARIANT* pvaIn,
                                   VARIANT* pvaOut) override {
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

    // IDispatch: the ambient properties.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT*) override {
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

  private:
    ~BrowserSite() override = default;

    void* Interface(REFIID riid) override {
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

    TWebBrowser* owner_;
};

// The in-place frame: the top-level window the control sits in. Its only real job is to receive the
// control's active object, through which keystrokes reach the control.
class BrowserFrame final : public tk::ComObject<IOleInPlaceFrame> {
  public:
    explicit BrowserFrame(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override {
        if (!phwnd) {
            return E_POINTER;
        }
        *phwnd = owner_ && owner_->Handle() ? GetAncestor(owner_->Handle(), GA_ROOT) : nullptr;
        return *phwnd ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: no tool space to negotiate.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override {
        if (owner_) {
            owner_->frameActiveObject_ = base::ComPtr<IOleInPlaceActiveObject>(pActiveObject);
        }
        return S_OK;
    }

    // IOleInPlaceFrame: no menus, status line or accelerators of its own.
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  private:
    ~BrowserFrame() override = default;

    void* Interface(REFIID riid) override {
        const bool frame =
            riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame;
        return frame ? static_cast<IOleInPlaceFrame*>(this) : nullptr;
    }

    TWebBrowser* owner_;
};

// The DWebBrowserEvents2 sink.
class BrowserEvents final : public tk::LateBoundDispatch<tk::ComObject<IDispatch>> {
  public:
    explicit BrowserEvents(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                     VARIANT*, EXCEPINFO*, UINT*) override {
        if (dispIdMember != DISPID_NAVIGATECOMPLETE2 && dispIdMember != DISPID_DOCUMENTCOMPLETE) {
            return S_OK;  // every other event is ignored
        }
        // (pDisp, URL), which DISPPARAMS carries last to first.
        if (!pDispParams || pDispParams->cArgs < 2 || !pDispParams->rgvarg) {
            return DISP_E_BADPARAMCOUNT;
        }
        if (!owner_) {
            return S_OK;
        }
        const UINT count = pDispParams->cArgs;
        IDispatch* pDisp = DispatchArgument(pDispParams->rgvarg[count - 1]);
        const VARIANT& url = ValueArgument(pDispParams->rgvarg[count - 2]);
        // The object and its arguments stay alive for the call even if a handler frees the browser.
        base::ComPtr<IDispatch> self(this);
        base::ComPtr<IDispatch> frame(pDisp);
        if (dispIdMember == DISPID_NAVIGATECOMPLETE2) {
            FireEvent(owner_->OnNavigateComplete2, pDisp, url);
        } else {
            FireEvent(owner_->OnDocumentComplete, pDisp, url);
        }
        return S_OK;
    }

  private:
    ~BrowserEvents() override = default;

    void* Interface(REFIID riid) override {
        return riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2 ? static_cast<IDispatch*>(this)
                                                                        : nullptr;
    }

    TWebBrowser* owner_;
};

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                      LPRECT lprcPosRect, LPRECT lprcClipRect,
                                      LPOLEINPLACEFRAMEINFO lpFrameInfo) {
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

// ---------------------------------------------------------------------------------------------
// TWebBrowser

TWebBrowser::TWebBrowser(tk::WinControl* parent) : WinControl(parent) {
    if (!parent || !parent->Handle()) {
        throw base::Error("The browser control needs a parent window");
    }
    tk::WindowParams p;
    p.className = kHostWindowClass;
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.parentOrOwner = parent->Handle();
    p.width = parent->ClientWidth();
    p.height = parent->ClientHeight();
    CreateHandle(p);
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
    OleSetContainedObject(oleObject_.Get(), TRUE);
    RECT client{};
    GetClientRect(Handle(), &client);
    CheckCom(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, clientSite, 0, Handle(), &client));

    browser_ = oleObject_.As<IWebBrowser2>(IID_IWebBrowser2);
    inPlaceObject_ = oleObject_.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    if (!browser_ || !inPlaceObject_) {
        CheckCom(E_NOINTERFACE);
    }
    controlActiveObject_ = oleObject_.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject);
    inPlaceObject_->GetWindow(&controlWindow_);

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
    RegisterUserAgent();
    userAgentRegistered_ = true;

    messageFilter_ =
        tk::Application::Instance().AddMessageFilter([this](MSG& msg) { return FilterKeyMessage(msg); });
}

void TWebBrowser::DestroyControl() {
    if (messageFilter_) {
        tk::Application::Instance().RemoveMessageFilter(messageFilter_);
        messageFilter_ = 0;
    }
    if (eventsConnection_ && eventsCookie_) {
        eventsConnection_->Unadvise(eventsCookie_);
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
        UnregisterUserAgent();
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
        control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
    }
}

IDispatch* TWebBrowser::EventSink() const {
    return events_.Get();
}

void TWebBrowser::UpdateControlRects() {
    if (inPlaceObject_ && Handle()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        inPlaceObject_->SetObjectRects(&client, &client);
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
