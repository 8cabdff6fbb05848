// The main window as host of the platform's pages: creating the browser control and the script
// bridge, the control's events and host requests, and the page's calls on the bridge.
#include "app/MainFrm.h"

#include "toolkit/Application.h"
#include "base/Error.h"
#include "base/Log.h"
#include "base/Text.h"
#include "webhost/FrameRegistration.h"
#include "webhost/PageScript.h"

namespace app {

void TMainForm::CreateBrowser(RetryIntervals retry) {
    try {
        browser_ = &mainPanel_.Add<webhost::TWebBrowser>();
    } catch (const base::Error& e) {
        // The rest of the program (tray, hot key, settings) is still of use without it.
        tk::Application::Instance().ShowException(e.what());
        return;
    }
    offlinePage_ = std::make_unique<TOfflinePage>(Handle(), retry);
    offlinePage_->Navigate = [this](const std::wstring& url) {
        if (browser_) {
            browser_->Navigate(url);
        }
    };
    browser_->OnNavigateComplete2 = [this](IDispatch* pDisp, const VARIANT& url) {
        BrowserNavigateComplete2(pDisp, url);
    };
    browser_->OnDocumentComplete = [this](IDispatch* pDisp, const VARIANT& url) {
        BrowserDocumentComplete(pDisp, url);
    };
    browser_->OnBeforeNavigate2 = [this](IDispatch* pDisp, const VARIANT& url) {
        BrowserBeforeNavigate2(pDisp, url);
    };
    browser_->OnNavigateError = [this](IDispatch* pDisp, const VARIANT& url, long status, bool& cancel) {
        BrowserNavigateError(pDisp, url, status, cancel);
    };
    browser_->OnGetHostInfo = [this](DOCHOSTUIINFO& info) { return BrowserGetHostInfo(info); };
    browser_->OnGetExternal = [this](IDispatch** out) { return BrowserGetExternal(out); };
    browser_->OnGetDropTarget = [this](IDropTarget* in, IDropTarget** out) {
        return BrowserGetDropTarget(in, out);
    };
    browser_->OnScriptError = [this](const webhost::TScriptErrorInfo& details, bool& continueScript,
                                     bool& showDialog) {
        BrowserScriptError(details, continueScript, showDialog);
    };
}

void TMainForm::CreateScriptBridge() {
    external_ = webhost::TMyExternal::Create();
    external_->OnDoLogin = [this](const std::wstring& action, std::string& result) {
        ExternalDoLogin(action, result);
    };
    external_->OnDoLogout = [this](const std::wstring& action, std::string& result) {
        ExternalDoLogout(action, result);
    };
    external_->OnRegFrame = [this](const VARIANT& doc, const VARIANT& method, const VARIANT& paras) {
        ExternalRegFrame(doc, method, paras);
    };
}

void TMainForm::NavigateToStartPage() {
    if (browser_) {
        browser_->Navigate(base::AnsiToWide(startUrl_));
    }
}

void TMainForm::SetBrowserHostFlags(unsigned long flags) {
    if (browser_) {
        browser_->SetHostFlags(flags);
    }
}

void TMainForm::ReloadPage() {
    try {
        if (browser_) {
            browser_->Refresh();
        }
    } catch (const base::Error&) {
        // The reload only lays the page out again with the new flags; the switch goes on without it.
        base::LogCaughtException("Reloading the page with the full layout's flags");
    }
}

void TMainForm::BrowserNavigateComplete2(IDispatch* pDisp, const VARIANT& URL) {
    const std::wstring url = webhost::VariantToText(URL);
    // The offline page stands in for the page that failed: layout, labels and placement stay as they
    // were.
    if (IsOfflinePage(url)) {
        return;
    }
    if (OfflinePageFollows(pDisp)) {
        offlinePage_->NavigateComplete(url);
    }
    // Byte for byte in the system code page: no letter case, slash or escape is smoothed over.
    if (base::WideToAnsi(url) == startUrl_) {
        fullLayout_ = false;
    } else {
        fullLayout_ = true;
        SetResizable(true);
    }
    LoadLastPosInfo();
}

void TMainForm::BrowserDocumentComplete(IDispatch* pDisp, const VARIANT& URL) {
    tk::Application::Instance().ProcessMessages();
    if (!StillMainForm()) {
        return;
    }
    Sleep(100);
    // A completed top-level document (not a frame) brings the window back, also out of the tray; the
    // offline page does not, or every failed retry would bring back a window the user hid.
    if (browser_ && browser_->IsTopLevel(pDisp) && !IsOfflinePage(webhost::VariantToText(URL))) {
        Show();
    }
}

bool TMainForm::OfflinePageFollows(IDispatch* pDisp) {
    try {
        return offlinePage_ && browser_ && browser_->IsTopLevel(pDisp);
    } catch (const base::Error&) {
        // Without knowing which frame it was, the event is left to the page as before.
        base::LogCaughtException("Telling the page from its frames");
        return false;
    }
}

void TMainForm::BrowserBeforeNavigate2(IDispatch* pDisp, const VARIANT& URL) {
    if (OfflinePageFollows(pDisp)) {
        offlinePage_->BeforeNavigate(webhost::VariantToText(URL));
    }
}

void TMainForm::BrowserNavigateError(IDispatch* pDisp, const VARIANT& URL, long StatusCode, bool& Cancel) {
    // A frame that fails leaves the page as it is.
    if (OfflinePageFollows(pDisp) && offlinePage_->NavigateError(webhost::VariantToText(URL), StatusCode)) {
        Cancel = true;
    }
}

HRESULT TMainForm::BrowserGetHostInfo(DOCHOSTUIINFO&) {
    return S_OK;
}

HRESULT TMainForm::BrowserGetExternal(IDispatch** ppDispatch) {
    *ppDispatch = external_ ? static_cast<IDispatch*>(external_.CopyOut()) : nullptr;
    return *ppDispatch ? S_OK : S_FALSE;
}

HRESULT TMainForm::BrowserGetDropTarget(IDropTarget*, IDropTarget** ppDropTarget) {
    *ppDropTarget = nullptr;
    return S_FALSE;
}

void TMainForm::BrowserScriptError(const webhost::TScriptErrorInfo&, bool& ContinueScript, bool& Showdialog) {
    // The page's scripts go on and nobody sees a script-error dialog.
    ContinueScript = true;
    Showdialog = false;
}

void TMainForm::ExternalDoLogin(const std::wstring&, std::string& Result) {
    Result = "DoWebLogin";
}

void TMainForm::ExternalDoLogout(const std::wstring&, std::string& Result) {
    Result = "DoWebLogout";
}

void TMainForm::ExternalRegFrame(const VARIANT& Doc, const VARIANT& InvokeMethod,
                                 const VARIANT& InvokeParas) {
    webhost::FrameRegistration().Register(Doc, InvokeMethod, InvokeParas);
}

}  // namespace app
