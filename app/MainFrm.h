// TMainForm: the program's main window. It hosts the platform's pages, owns the tray icon, its menu and
// the global hot key, switches between the compact login layout and the full layout, follows the close
// policy, and saves and releases what it holds when it goes.
//
// The implementation is split by concern: MainFrm.cpp (creation, close, destruction),
// MainFrmPlacement.cpp (layouts and remembered placement), MainFrmTray.cpp (tray icon, hot key,
// hide/show, hint labels), MainFrmMenu.cpp (the tray menu and size presets), MainFrmPage.cpp (the
// browser control's events and requests, the page's calls on the script bridge), MainFrmMessages.cpp
// (the private messages other programs send).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <memory>

#include "app/HideShow.h"
#include "app/OfflinePage.h"
#include "app/WindowPlacement.h"
#include "config/HotKeyText.h"
#include "config/MMSaveClass.h"
#include "config/Reg2SysClass.h"
#include "skin/CustomFrm.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TrayIcon.h"
#include "webhost/UserAction_TLB_Impl.h"
#include "webhost/WebBrowser.h"

namespace config {
class TAppConfigClass;
}

namespace app {

class TMainForm : public skin::TPictureForm {
  public:
    static tk::FormDesign Design();
    // The size of the compact layout, the one the window is first shown in (at 100 %: scaled to the
    // window's DPI).
    static constexpr int kCompactWidth = 400;
    static constexpr int kCompactHeight = 250;

    // retry: how often the offline page tries the failed address again.
    explicit TMainForm(RetryIntervals retry = {});
    ~TMainForm() override;

    // The window's creation, showing, resizing, close query and destruction.
    void FormCreate() override;
    void FormShow() override;
    void FormResize() override;
    void FormDpiChanged() override;
    void FormCloseQuery(bool& CanClose) override;
    void FormDestroy() override;

    void UpdateTrayHint();
    void LoadSystemMenuIcon(std::wstring& IconPath) override;

    // Layouts and placement.
    void LoadLastPosInfo();
    // Restores a placement whose values were taken at storedDpi.
    void LoadLastLoginInfo(const TPlacement& stored, int storedDpi);
    void SaveLastPosInfo();

    // Hide and show.
    void SwitchShowAndHide();
    void HideWindow();
    void ClearMemory();
    void ShowAppForms(TShowMode Mode);
    void ApplyToModalForms(TShowMode Mode);
    void ApplyToStayOnTopForms(TShowMode Mode);
    void ApplyToOtherForms(TShowMode Mode);
    void OpenSettingsDialog();
    std::string GetHotKeyText();
    // Sets up the two caption labels (font, text) and shows them as PlaceHotKeyLabels says.
    void ShowHotKeyLabels();

    // The browser control's events and host requests.
    void BrowserNavigateComplete2(IDispatch* pDisp, const VARIANT& URL);
    void BrowserDocumentComplete(IDispatch* pDisp, const VARIANT& URL);
    void BrowserBeforeNavigate2(IDispatch* pDisp, const VARIANT& URL);
    void BrowserNavigateError(IDispatch* pDisp, const VARIANT& URL, long StatusCode, bool& Cancel);
    HRESULT BrowserGetHostInfo(DOCHOSTUIINFO& Info);
    HRESULT BrowserGetExternal(IDispatch** ppDispatch);
    HRESULT BrowserGetDropTarget(IDropTarget* pDropTarget, IDropTarget** ppDropTarget);
    void BrowserScriptError(const webhost::TScriptErrorInfo& Details, bool& ContinueScript, bool& Showdialog);

    // The page's calls on the script bridge.
    void ExternalDoLogin(const std::wstring& Action, std::string& Result);
    void ExternalDoLogout(const std::wstring& Action, std::string& Result);
    void ExternalRegFrame(const VARIANT& Doc, const VARIANT& InvokeMethod, const VARIANT& InvokeParas);

    // Tray icon and caption labels.
    void cltrycn1DblClick();
    void cltrycn1MouseUp(tk::MouseButton Button, int X, int Y);
    void lblModifyCfgClick();
    void lblModifyCfgMouseEnter();
    void lblModifyCfgMouseLeave();

    // The tray menu.
    void MeasureItem(HDC Canvas, int& Width, int& Height);
    void SubMenuMeasureItem(HDC Canvas, int& Width, int& Height);
    void PaintMenuItem(const tk::MenuItem& Item, HDC Canvas, UINT State, RECT Rect);
    void NSuggestClick();
    void mniNVisitSiteClick();
    void mmiOpenFolderClick();
    void mniSettingClick();
    void NCloseUIClick();
    void SetWindowSize(int Width, int Height);

    // How the menu's commands open a page or a folder (verb, file, parameters): ShellExecute.
    std::function<void(const std::wstring& verb, const std::wstring& file, const std::wstring& parameters)>
        ShellOpen;

    // The start (login) page, "DirectUrl" as read at creation; and which of the two layouts the window is
    // in (false: the compact login window).
    const std::string& StartUrl() const { return startUrl_; }
    bool FullLayout() const { return fullLayout_; }
    void SetFullLayout(bool full) { fullLayout_ = full; }

    int GetHotKeyId() const { return hotKeyId_; }
    // Whether the system took the configured hot key (false also when none is set).
    bool HotKeyRegistered() const { return hotKeyRegistered_; }
    int GetHotKeyInterval() const { return hotKeyInterval_; }
    bool GetPlaced() const { return placed_; }
    tk::TrayIcon& TrayIcon() { return trayIcon_; }
    tk::PopupMenu& TrayMenu() { return trayMenu_; }
    webhost::TWebBrowser* GetBrowser() const { return browser_; }
    const TOfflinePage* GetOfflinePage() const { return offlinePage_.get(); }
    webhost::TMyExternal* GetExternal() const { return external_.Get(); }
    const config::TMMSaveClass* GetMemorySaver() const { return memorySaver_.get(); }
    tk::Label& HintLabel() { return hotKeyHint_; }
    tk::Label& ModifyLabel() { return changeHotKeyLink_; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The configured hot key; a value that is malformed or inconsistent is logged and treated as none.
    config::HotKeyValue ReadConfiguredHotKey(const config::TAppConfigClass& store);
    // The shortcut code of the configured hot key (0: none).
    uint16_t ConfiguredShortcutCode();
    // Registers the configured hot key under hotKeyId_, remembers and logs whether the system took it.
    void RegisterConfiguredHotKey(const config::HotKeyValue& hotKey);
    void CreateBrowser(RetryIntervals retry);
    void CreateScriptBridge();
    void CreateTrayMenu();
    // The tray icon at the small-icon size of the window's DPI.
    void UpdateTrayIcon();
    void WMHotKey(WPARAM id);
    // Shows each caption label in the full layout where it clears the title, hides it otherwise.
    void PlaceHotKeyLabels();
    // The first time ever that the window goes to the tray, the tray icon says where it went and how
    // to bring it back; "TrayTipShown" remembers it. Never raises: the hide goes on regardless.
    void ShowTrayTipOnce();
    // Gives up the registered hot key and registers key under the same identifier; answers whether the
    // system took it. When it does not, the previous key is registered again, so nothing changes.
    bool ReRegisterHotKey(const config::HotKeyValue& key);
    // The messages of PrivateMessages.h; answers whether the message was one of them (result 0).
    bool HandlePrivateMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Posted to itself during creation: adds the tray icon (not one of the numbered messages other
    // programs send).
    static constexpr UINT kWmAddTrayIcon = WM_APP + 1;
    void WMInvokeFrameMethod();
    void WMExecPanelHandler(LPARAM lParam);
    void WMShowMainWindow();
    void WMRunRestart();
    // Whether the offline page follows an event of pDisp: only the page's own navigations, not its
    // frames'.
    bool OfflinePageFollows(IDispatch* pDisp);
    void NavigateToStartPage();
    void SetBrowserHostFlags(unsigned long flags);
    void ReloadPage();

  public:
    // False once the window has been destroyed during a nested message loop (the session ended, or
    // someone destroyed the window): code that pumps messages checks it before going on.
    bool StillMainForm() const;

  private:
    // The caption labels (children of the window).
    tk::Label& changeHotKeyLink_;
    tk::Label& hotKeyHint_;
    // The browser control, child of mainPanel_ (absent only if the system cannot create it).
    webhost::TWebBrowser* browser_ = nullptr;
    // Stands in for pages that cannot be reached, and tries them again.
    std::unique_ptr<TOfflinePage> offlinePage_;
    tk::TrayIcon trayIcon_;
    tk::PopupMenu trayMenu_;
    // This window's own reference to the script bridge, so that the browser's releases never free it.
    base::ComPtr<webhost::TMyExternal> external_;

    // The autostart shortcut's maker, when autostart is chosen; the working-set trimmer from the first
    // hide on.
    std::unique_ptr<config::TMMSaveClass> memorySaver_;
    std::string startUrl_;
    bool fullLayout_ = false;
    int hotKeyId_ = 0;
    // The hot key held under hotKeyId_, when the system took it.
    config::HotKeyValue registeredHotKey_;
    bool hotKeyRegistered_ = false;
    int hotKeyInterval_ = 0;
    uint32_t lastHotKeyTick_ = 0;
    bool placed_ = false;
    TPlacement lastPlacement_;

    // The global atom "HOTKEY" taken at creation; the hot key is registered under its value - 0xC000.
    base::UniqueGlobalAtom hotKeyAtom_;
};

}  // namespace app
