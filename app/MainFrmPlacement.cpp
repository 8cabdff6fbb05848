// The main window's two layouts (compact while the start page shows, full afterwards) and the
// placement it remembers between runs.
#include "app/MainFrm.h"

#include "config/AppConfigClass.h"
#include "dialogs/FirstOptionFrm.h"
#include "base/Log.h"

namespace app {

void TMainForm::FormShow() {
    TPictureForm::FormShow();
    LoadLastPosInfo();
}

void TMainForm::FormResize() {
    TPictureForm::FormResize();
    PlaceHotKeyLabels();
}

void TMainForm::LoadLastPosInfo() {
    if (!fullLayout_) {
        SetBrowserHostFlags(webhost::CompactHostFlags);
        SetResizable(false);
        SetBounds(Left(), Top(), kCompactWidth, kCompactHeight);
        PlaceHotKeyLabels();  // hidden, also when the size did not change
        return;
    }
    // Every switch to the full layout shows the hot-key labels, also after a spell in the compact one.
    ShowHotKeyLabels();
    if (placed_) {
        return;
    }
    placed_ = true;
    SetResizable(true);
    SetBrowserHostFlags(webhost::FullHostFlags);
    ReloadPage();
    const config::TAppConfigClass* store = config::TAppConfigClass::GetInstance();
    if (auto saved = ParseWindowPos(store->WindowPos())) {
        lastPlacement_ = *saved;
    } else if (!store->WindowPos().empty()) {
        base::LogF("UserConfig.ini WindowPos=%s is malformed; the default placement is used",
                   base::AnsiToUtf8(store->WindowPos()).c_str());
    }
    lastPlacement_ = RaisedToMinimum(lastPlacement_);
    LoadLastLoginInfo(lastPlacement_);
    // The first-run dialog, offered at the first full layout of every run until the user declines it.
    if (store->ShotCutRemind() != "0") {
        dialogs::ShowFirstOptionDialog(this);
    }
}

void TMainForm::LoadLastLoginInfo(const TPlacement& placement) {
    SetResizable(true);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    static_assert(sizeof(WINDOWPLACEMENT) == 44);
    // ParseWindowPos only lets through placements whose rectangle can be formed.
    const std::optional<Rect32> rect = PlacementRect(placement);
    if (!rect) {
        base::LogF("WindowPos %s has no rectangle; the window stays where it is",
                   FormatWindowPos(placement).c_str());
        return;
    }
    if (placement.State == kPlacementMaximized) {
        SetWindowState(tk::WindowState::Maximized);
        wp.showCmd = SW_SHOWMAXIMIZED;
    } else {
        wp.showCmd = SW_SHOWNORMAL;
    }
    wp.rcNormalPosition = RECT{rect->left, rect->top, rect->right, rect->bottom};
    // The rectangle goes to the system unchanged; keeping it on a monitor is the system's business.
    SetWindowPlacement(Handle(), &wp);
}

void TMainForm::SaveLastPosInfo() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    std::optional<Rect32> restore;
    if (GetWindowPlacement(Handle(), &wp) && wp.showCmd == SW_SHOWMAXIMIZED) {
        const RECT& r = wp.rcNormalPosition;
        restore = Rect32{r.left, r.top, r.right, r.bottom};
    }
    const TPlacement placement = PlacementToSave(Left(), Top(), ClientWidth(), ClientHeight(), restore);
    config::TAppConfigClass::GetInstance()->SetWindowPos(FormatWindowPos(placement));
}

}  // namespace app
