// TMainForm: the program's main window. It hosts the platform's pages, owns the tray icon and the
// global hot key, follows the close policy, and saves and releases what it holds when it goes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/HotKeyText.h"
#include "skin/CustomFrm.h"
#include "toolkit/Handles.h"
#include "toolkit/Label.h"
#include "toolkit/TrayIcon.h"

namespace config {
class TAppConfigClass;
}

namespace app {

// Process-wide state kept beside the main window.
inline std::string StartUrl;      // the start (login) page: "DirectUrl", taken once at creation
inline bool FullLayout = false;  // which of the two layouts the window is in

class TMainForm : public skin::TPictureForm {
public:
    static tk::FormDesign Design();

    TMainForm();
    ~TMainForm() override;

    // Handlers bound to the window's events.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormCloseQuery(bool& CanClose);
    void FormDestroy();

    // Sets the tray icon's hint from the hot-key setting.
    void UpdateTrayHint();
    void LoadSystemMenuIcon(std::string& IconPath) override;

    // The window's operations that other parts of the program call.
    void HideWindow();
    void LoadLastPosInfo();

    int GetHotKeyId() const { return HotKeyId; }
    int GetHotKeyInterval() const { return HotKeyInterval; }
    tk::TrayIcon& TrayIcon() { return cltrycn1; }
    tk::Label& HintLabel() { return lblHit; }
    tk::Label& ModifyLabel() { return lblModifyCfg; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The configured hot key; a malformed value is reported once and then treated as no hot key.
    config::HotKeyValue ReadConfiguredHotKey(const config::TAppConfigClass& store);
    void NavigateToStartPage();

    tk::Label lblModifyCfg;
    tk::Label lblHit;
    tk::TrayIcon cltrycn1;

    int HotKeyId = 0;
    int HotKeyInterval = 0;
    uint32_t LastHotKeyTick = 0;
    bool Placed = false;
    std::array<int32_t, 9> LastPlacement{};

    // The global atom "HOTKEY" taken at creation; the hot key is registered under its value - 0xC000.
    tk::UniqueGlobalAtom hotKeyAtom_;
    // A "HotKey" text already reported as malformed in this run (not reported again).
    std::string reportedBadHotKey_;
};

}  // namespace app
