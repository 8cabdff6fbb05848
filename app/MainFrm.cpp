#include "app/MainFrm.h"

#include <shellapi.h>

#include <cctype>
#include <utility>

#include "config/AppConfigClass.h"
#include "webhost/FrameRegistration.h"
#include "toolkit/Application.h"
#include "base/Error.h"
#include "base/Keyboard.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

namespace app {
namespace {

// Global atoms above 0xC000 are string atoms; the hot-key identifier is the atom's offset in that range.
constexpr int kStringAtomBase = 0xC000;

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace

tk::FormDesign TMainForm::Design() {
    tk::FormDesign design = BaseDesign();
    design.className = L"TMainForm";
    design.caption = L"Velmoran";
    design.left = 502;
    design.top = 237;
    design.color = RGB(255, 255, 255);
    design.icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    return design;
}

TMainForm::TMainForm(RetryIntervals retry)
    : TPictureForm(Design()), changeHotKeyLink_(Add<tk::Label>()), hotKeyHint_(Add<tk::Label>()) {
    systemMenuImage_.SetBounds(2, systemMenuImage_.Top(), 16, 16);
    systemMenuImage_.SetVisible(false);

    // The caption labels take the size of their text in their font, growing to the left: their right
    // edges stay where the design puts them, anchored to the window's right edge.
    changeHotKeyLink_.SetAlignment(tk::TextAlign::Right);
    changeHotKeyLink_.SetCaption(L"[点击改快捷键]");
    changeHotKeyLink_.SetBounds(661, 11, 78, 13);
    changeHotKeyLink_.SetAnchors(tk::kAnchorTop | tk::kAnchorRight);
    changeHotKeyLink_.SetVisible(false);
    changeHotKeyLink_.OnClick = [this] { lblModifyCfgClick(); };
    changeHotKeyLink_.OnMouseEnter = [this] { lblModifyCfgMouseEnter(); };
    changeHotKeyLink_.OnMouseLeave = [this] { lblModifyCfgMouseLeave(); };

    hotKeyHint_.SetAutoSize(false);
    hotKeyHint_.SetAlignment(tk::TextAlign::Right);
    hotKeyHint_.SetCaption(L"按F9可快速隐藏或显示界面");
    hotKeyHint_.SetBounds(472, 11, 185, 13);
    hotKeyHint_.SetAnchors(tk::kAnchorTop | tk::kAnchorRight);
    hotKeyHint_.SetAutoSize(true);
    hotKeyHint_.SetVisible(false);

    CreateBrowser(retry);

    UpdateTrayIcon();
    trayIcon_.SetHint(L"Orvania");
    trayIcon_.OnDblClick = [this] { cltrycn1DblClick(); };
    trayIcon_.OnMouseUp = [this](tk::MouseButton button, int x, int y) { cltrycn1MouseUp(button, x, y); };

    CreateTrayMenu();

    ShellOpen = [](const std::wstring& verb, const std::wstring& file, const std::wstring& parameters) {
        ShellExecuteW(nullptr, verb.c_str(), file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
    };
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    tk::Application& application = tk::Application::Instance();
    // Fields, painting, layout.
    hotKeyInterval_ = 100;
    lastPlacement_ = TPlacement{};
    // Painting is double-buffered: every window of the toolkit paints through an off-screen buffer.
    fullLayout_ = false;
    // The application window carries no task-bar button; the main window is no pop-up.
    SetWindowLongA(application.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetWindowLongA(Handle(), GWL_STYLE, GetWindowLongA(Handle(), GWL_STYLE) & ~static_cast<LONG>(WS_POPUP));
    // The page's external object; without its type library nothing below can work.
    CreateScriptBridge();
    // The configuration, read here for the first time.
    config::TAppConfigClass* store = config::TAppConfigClass::GetInstance();
    const config::HotKeyValue hotKey = ReadConfiguredHotKey(*store);
    const std::string skinPath = store->SkinPath();
    startUrl_ = store->DirectUrl();
    // The skin path, before the base creation loads the skin.
    SetSkinPath(skinPath);
    // The global hot key; a failed registration is not shown (this may be a start at logon).
    hotKeyAtom_.Reset(GlobalAddAtomA("HOTKEY"));
    if (!hotKeyAtom_.Get()) {
        base::LogF("The hot key's atom could not be added (error %lu)", GetLastError());
    }
    hotKeyId_ = static_cast<int>(hotKeyAtom_.Get()) - kStringAtomBase;
    RegisterConfiguredHotKey(hotKey);
    // While autostart is chosen the Startup shortcut is made again at every start, so it always points
    // at the executable that ran last.
    if (store->AutoRegNextTime() == "1") {
        config::TReg2SysClass().AddStartupShortcut(base::ExePath());
    }
    UpdateTrayHint();
    NavigateToStartPage();
    // The window is first shown in the compact layout: taking its size before the skin loads lays
    // the frame out once, at that size, instead of at the design size and again when it is shown.
    SetBounds(Left(), Top(), Scale().ToPixels(kCompactWidth), Scale().ToPixels(kCompactHeight));
    TPictureForm::FormCreate();
}

namespace {

// The configured value checked for use; a key the system has no name for is no usable key either (it
// could not be shown to the user).
config::HotKeySetting UsableHotKey(const std::string& text) {
    config::HotKeySetting setting = config::ReadHotKeySetting(text);
    if (setting.problem.empty() && setting.value.code != 0 &&
        config::ShortcutText(setting.value.code, &base::SystemKeyName).empty()) {
        setting = {{}, "a key without a name"};
    }
    return setting;
}

}  // namespace

config::HotKeyValue TMainForm::ReadConfiguredHotKey(const config::TAppConfigClass& store) {
    const config::HotKeySetting setting = UsableHotKey(store.HotKey());
    if (!setting.problem.empty()) {
        // Start as if no hot key were set, without holding the window back: the hints say there is
        // none, and the log says why.
        base::LogF("UserConfig.ini HotKey=%s is not usable (%s); no hot key is used",
                   base::AnsiToUtf8(store.HotKey().substr(0, 200)).c_str(), setting.problem.c_str());
    }
    return setting.value;
}

void TMainForm::RegisterConfiguredHotKey(const config::HotKeyValue& hotKey) {
    hotKeyRegistered_ = false;
    if (hotKey.key == 0 && hotKey.modifiers == 0) {
        // Nothing set: the pair 0/0 is registered as before, which gives no usable hot key.
        RegisterHotKey(Handle(), hotKeyId_, 0, 0);
        base::Log("No hot key is set");
        return;
    }
    const std::string name = config::ShortcutText(hotKey.code, &base::SystemKeyName);
    if (RegisterHotKey(Handle(), hotKeyId_, hotKey.modifiers, hotKey.key)) {
        registeredHotKey_ = hotKey;
        hotKeyRegistered_ = true;
        base::LogF("Hot key %s registered", name.c_str());
    } else {
        base::LogF("Hot key %s could not be registered (%s)", name.c_str(),
                   base::ErrorText(GetLastError()).c_str());
    }
}

uint16_t TMainForm::ConfiguredShortcutCode() {
    // The code of the key the value registers: the name shown is always that of the registration.
    return UsableHotKey(config::TAppConfigClass::GetInstance()->HotKey()).value.code;
}

void TMainForm::UpdateTrayHint() {
    const uint16_t code = ConfiguredShortcutCode();
    trayIcon_.SetHint(base::Utf8ToWide(
        config::TrayHintText(config::kTitle, code, hotKeyRegistered_, &base::SystemKeyName)));
}

void TMainForm::LoadSystemMenuIcon(std::wstring& IconPath) {
    // The tray icon shows in any case, with the program's own icon: without it, a window hidden while
    // no hot key works would have no way back (there is no task-bar button). It is added once the
    // window stands (a posted step): at logon the shell may take its time to answer, and the window
    // need not wait for it.
    if (!Handle() || !PostMessageW(Handle(), kWmAddTrayIcon, 0, 0)) {
        trayIcon_.SetVisible(true);
    }
    // The raw configured path, resolved against the current directory; a file found there gives the
    // caption its small icon.
    IconPath = base::AnsiToWide(config::TAppConfigClass::GetInstance()->SkinPath()) + L"SysMenu.ico";
    if (base::FileExists(IconPath)) {
        TPictureForm::LoadSystemMenuIcon(IconPath);
    }
}

void TMainForm::FormCloseQuery(bool& CanClose) {
    TPictureForm::FormCloseQuery(CanClose);
    const config::TAppConfigClass* store = config::TAppConfigClass::GetInstance();
    if (store->NeverRequire() != "1") {
        return;  // the window closes, and with it the program
    }
    if (Lower(store->CloseAction()) == "exit") {
        tk::Application::Instance().Terminate();
    } else {
        CanClose = false;
        HideWindow();
    }
}

void TMainForm::FormDestroy() {
    if (fullLayout_) {
        SaveLastPosInfo();
    }
    UnregisterHotKey(Handle(), hotKeyId_);
    hotKeyAtom_.Reset();
    // What the window owns (releasing cannot fail). An open settings or first-run dialog belongs to this
    // window and goes with it (a modal one once its loop has ended).
    offlinePage_.reset();
    mainPanel_.Delete(std::exchange(browser_, nullptr));
    webhost::FrameRegistration().Clear();  // page objects are released while COM is still up
    if (external_) {
        // Anyone still holding the bridge finds empty slots, not this window.
        external_->OnDoLogin = nullptr;
        external_->OnDoLogout = nullptr;
        external_->OnRegFrame = nullptr;
    }
    memorySaver_.reset();
    config::TAppConfigClass::ReleaseInstance();
    TPictureForm::FormDestroy();
}

bool TMainForm::StillMainForm() const {
    return tk::Application::Instance().IsLiveMainForm(this);
}

LRESULT TMainForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return 1;  // never stand in the way of a log-off, whatever the close action says
        case WM_HOTKEY:
            WMHotKey(wParam);
            return 0;
        case kWmAddTrayIcon:
            // The window's first paint goes first.
            if (IsWindowVisible(Handle())) {
                UpdateWindow(Handle());
            }
            trayIcon_.SetVisible(true);
            return 0;
        case WM_SYSCOMMAND:
            if (wParam == SC_MINIMIZE) {
                HideWindow();  // the window lives on in the tray
                return 0;
            }
            break;
        default:
            if (HandlePrivateMessage(message, wParam, lParam)) {
                return 0;
            }
            break;
    }
    return TPictureForm::WndProc(message, wParam, lParam);
}

}  // namespace app
