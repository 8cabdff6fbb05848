// The COM objects through which the hosted WebBrowser control talks to its container, TWebBrowser: the
// host site (client and in-place site, the document host's UI handler, command target, ambient
// properties), the in-place frame, and the DWebBrowserEvents2 sink. Each holds a plain pointer to its
// owner, which Detach clears when the owner goes, since the control may keep them alive longer.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>

#include "toolkit/ComObject.h"

namespace webhost {

class TWebBrowser;

// The host site: what the control asks of its container. It outlives the browser object when the
// control keeps a reference, so every request checks that its owner is still there.

class BrowserSite final
    : public tk::LateBoundDispatch<
          tk::ComObject<IOleClientSite, IOleInPlaceSite, IDocHostUIHandler, IOleCommandTarget, IDispatch>> {
  public:
    explicit BrowserSite(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) noexcept override {
        if (ppmk) {
            *ppmk = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) noexcept override {
        if (ppContainer) {
            *ppContainer = nullptr;
        }
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() noexcept override { return E_NOTIMPL; }

    // IOleWindow / IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() noexcept override { return owner_ ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                               LPRECT lprcPosRect, LPRECT lprcClipRect,
                                               LPOLEINPLACEFRAMEINFO lpFrameInfo) noexcept override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT lprcPosRect) noexcept override;

    // IDocHostUIHandler
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) noexcept override {
        return S_FALSE;  // the browser's own context menus
    }
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* pInfo) noexcept override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                     IOleInPlaceUIWindow*) noexcept override {
        return S_FALSE;  // the browser shows its own
    }
    HRESULT STDMETHODCALLTYPE HideUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UpdateUI() noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, WINBOOL) noexcept override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG lpMsg, const GUID*, DWORD) noexcept override;
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* pchKey, DWORD) noexcept override {
        if (pchKey) {
            *pchKey = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* pDropTarget,
                                            IDropTarget** ppDropTarget) noexcept override;
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** ppDispatch) noexcept override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* ppchURLOut) noexcept override {
        if (ppchURLOut) {
            *ppchURLOut = nullptr;
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** ppDORet) noexcept override {
        if (ppDORet) {
            *ppDORet = nullptr;
        }
        return S_FALSE;
    }

    // IOleCommandTarget
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* pguidCmdGroup, ULONG, OLECMD*,
                                          OLECMDTEXT*) noexcept override {
        return pguidCmdGroup ? OLECMDERR_E_UNKNOWNGROUP : OLECMDERR_E_NOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE Exec(const GUID* pguidCmdGroup, DWORD nCmdID, DWORD, VARIANT* pvaIn,
                                   VARIANT* pvaOut) noexcept override;

    // IDispatch: the ambient properties.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS*,
                                     VARIANT* pVarResult, EXCEPINFO*, UINT*) noexcept override;

  private:
    ~BrowserSite() override = default;

    // Exec's work, run inside its guard.
    HRESULT ExecCommand(const GUID* pguidCmdGroup, DWORD nCmdID, VARIANT* pvaIn, VARIANT* pvaOut);

    void* Interface(REFIID riid) override;

    TWebBrowser* owner_;
};

// The in-place frame: the top-level window the control sits in. Its only real job is to receive the
// control's active object, through which keystrokes reach the control.
class BrowserFrame final : public tk::ComObject<IOleInPlaceFrame> {
  public:
    explicit BrowserFrame(TWebBrowser* owner) : owner_(owner) {}
    void Detach() { owner_ = nullptr; }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) noexcept override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) noexcept override { return E_NOTIMPL; }

    // IOleInPlaceUIWindow: no tool space to negotiate.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) noexcept override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) noexcept override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* pActiveObject,
                                              LPCOLESTR) noexcept override;

    // IOleInPlaceFrame: no menus, status line or accelerators of its own.
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) noexcept override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) noexcept override { return S_FALSE; }

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
                                     VARIANT*, EXCEPINFO*, UINT*) noexcept override;

  private:
    ~BrowserEvents() override = default;

    // Invoke's work, run inside its guard.
    HRESULT Dispatch(DISPID dispIdMember, DISPPARAMS* pDispParams);

    void* Interface(REFIID riid) override {
        return riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2 ? static_cast<IDispatch*>(this)
                                                                        : nullptr;
    }

    TWebBrowser* owner_;
};

}  // namespace webhost
