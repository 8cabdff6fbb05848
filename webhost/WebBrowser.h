// TWebBrowser: the platform's WebBrowser control hosted as a windowed toolkit control. This object is
// the control's OLE container: its host site answers the control's requests (client and in-place
// site, frame, the document host's UI handler, command target, ambient properties) and its event
// sink receives DWebBrowserEvents2 through the control's connection point.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>

#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/DpiScale.h"
#include "base/Handles.h"

namespace webhost {

// {F38BC242-B950-11D1-8918-00C04FC2C836}: the document host's command group (script errors).
inline constexpr GUID kCGID_DocHostCommandHandler = {
    0xF38BC242, 0xB950, 0x11D1, {0x89, 0x18, 0x00, 0xC0, 0x4F, 0xC2, 0xC8, 0x36}};

class BrowserSite;
class BrowserFrame;
class BrowserEvents;

// The download control answered for the ambient property DISPID_AMBIENT_DLCONTROL: images, videos and
// background sounds are fetched; nothing that stops scripts, applets or controls; not silent, not
// offline.
inline constexpr DWORD DownloadControl = 0x70;  // DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS

// The page is laid out at the display's scale rather than stretched as a bitmap.
inline constexpr DWORD DpiAwareHostFlag = 0x40000000;  // DOCHOSTUIFLAG_DPI_AWARE
// Host-flag sets (DOCHOSTUIINFO.dwFlags) of the window's two layouts.
inline constexpr DWORD CompactHostFlags =
    DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO | DpiAwareHostFlag;
inline constexpr DWORD FullHostFlags =
    DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_FLAT_SCROLLBAR | DpiAwareHostFlag;

// The control scales pages from the system DPI it was made under; the page zoom (a percentage) that
// makes it follow a window at another DPI.
inline int PageZoomPercent(int windowDpi, int systemDpi) {
    return tk::DpiScale::Scale(100, tk::DpiScale(windowDpi).Dpi(), tk::DpiScale(systemDpi).Dpi());
}

// The browser's user-agent token, registered under HKEY_CURRENT_USER while any control lives: a value
// named after the token, with empty data, that the system adds to the user agent the engine sends.
inline constexpr char UserAgentKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform";
inline constexpr char UserAgentToken[] = "Mozilla/4.0(Compatible; Velmora browser host 1.0)";

// What a page's script error reports to the host.
struct TScriptErrorInfo {
    long ErrorLine = 0;
    long ErrorCharacter = 0;
    long ErrorCode = 0;
    std::wstring ErrorMessage;
    std::wstring ErrorUrl;
};

class TWebBrowser : public tk::WinControl {
  public:
    // Creates the host window filling the parent (no tab stop, aligned to the parent's client area),
    // the control in place inside it and the event connection; withdraws the control window's
    // drag-and-drop registration and registers the user-agent token. Raises base::Error on failure.
    explicit TWebBrowser(tk::WinControl* parent);
    // Closes the control before the window goes; the last control of the process removes the
    // user-agent token.
    ~TWebBrowser() override;

    // Navigates to a URL; flags, target frame, post data and headers are left empty. An error result
    // raises base::ComError.
    void Navigate(const std::wstring& url);
    // Reloads the current page; an error result raises base::ComError.
    void Refresh();
    // The top-level browser object (the property Application); raises base::ComError on failure.
    base::ComPtr<IDispatch> Application() const;
    // Whether an event's pDisp is the top-level browser itself rather than a frame inside the page.
    bool IsTopLevel(IDispatch* pDisp) const;

    // The host flags GetHostInfo answers (0 until set).
    DWORD HostFlags() const { return hostFlags_; }
    // Stores the flags and tells the control that an ambient property changed (DISPID_AMBIENT_DLCONTROL),
    // so that documents loaded from now on use them.
    void SetHostFlags(DWORD flags);

    // The page zoom last asked of the control (100 until the window's DPI differs from the system's).
    int PageZoom() const { return pageZoom_; }
    void DpiChanged() override;

    // The control itself and its own window inside the host window.
    IWebBrowser2* DefaultInterface() const { return browser_.Get(); }
    HWND ControlWindow() const { return controlWindow_; }
    // The DWebBrowserEvents2 sink advised on the control (what the control calls for its events).
    IDispatch* EventSink() const;

    // DWebBrowserEvents2 events; URL is the event's URL value (dereferenced). All other events are
    // ignored. An error raised in a handler is shown in the standard error box.
    std::function<void(IDispatch* pDisp, const VARIANT& URL)> OnNavigateComplete2;
    std::function<void(IDispatch* pDisp, const VARIANT& URL)> OnDocumentComplete;
    // A navigation of the page or of a frame is about to begin (the control's Cancel is left alone).
    std::function<void(IDispatch* pDisp, const VARIANT& URL)> OnBeforeNavigate2;
    // A navigation failed with StatusCode (an HRESULT or an HTTP status). Cancel comes in as the
    // control passed it; set it to keep the control from showing its own error page.
    std::function<void(IDispatch* pDisp, const VARIANT& URL, long StatusCode, bool& Cancel)> OnNavigateError;

    // Host requests. GetHostInfo fills cbSize (the record's size), dwFlags (the host flags) and dwDoubleClick
    // (DOCHOSTUIDBLCLK_DEFAULT) and then asks this handler, whose result it answers (S_OK when empty).
    std::function<HRESULT(DOCHOSTUIINFO& info)> OnGetHostInfo;
    // The page's external object: the handler stores a new counted reference. Empty: no object, S_FALSE.
    std::function<HRESULT(IDispatch** ppDispatch)> OnGetExternal;
    // The drop target to use instead of pDropTarget. Empty: no replacement (null) and S_FALSE.
    std::function<HRESULT(IDropTarget* pDropTarget, IDropTarget** ppDropTarget)> OnGetDropTarget;
    // A script error in the page. The flags start as ContinueScript = true and Showdialog = false (also
    // the answer when the handler is empty): the host then answers S_OK and VT_BOOL ContinueScript;
    // with Showdialog set it leaves the error to the control's own dialog.
    std::function<void(const TScriptErrorInfo& details, bool& ContinueScript, bool& Showdialog)>
        OnScriptError;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    friend class BrowserSite;
    friend class BrowserFrame;
    friend class BrowserEvents;

    void CreateControl();
    void DestroyControl();
    void UpdateControlRects();
    bool FilterKeyMessage(MSG& msg);

    // Asks the control for the page zoom that matches the window's DPI (always, or only when it is
    // not 100 %); a control that refuses is logged.
    void ApplyPageZoom(bool evenAtHundred);

    DWORD hostFlags_ = 0;
    int pageZoom_ = 100;
    base::ComPtr<BrowserSite> site_;
    base::ComPtr<BrowserFrame> frame_;
    base::ComPtr<BrowserEvents> events_;
    base::ComPtr<IOleObject> oleObject_;
    base::ComPtr<IOleInPlaceObject> inPlaceObject_;
    base::ComPtr<IWebBrowser2> browser_;
    // The control's keyboard entry point: the one it sets through the frame while it is active, or the
    // one the control itself answers.
    base::ComPtr<IOleInPlaceActiveObject> frameActiveObject_;
    base::ComPtr<IOleInPlaceActiveObject> controlActiveObject_;
    base::ComPtr<IConnectionPoint> eventsConnection_;
    DWORD eventsCookie_ = 0;
    HWND controlWindow_ = nullptr;
    int messageFilter_ = 0;
    bool userAgentRegistered_ = false;
};

}  // namespace webhost
