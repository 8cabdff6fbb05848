// The main window's two layouts (compact while the start page shows, full afterwards) and the
// placement it remembers between runs.
#include "app/MainFrm.h"

#include "config/AppConfigClass.h"
#include "dialogs/FirstOptionFrm.h"
#include "base/Log.h"
#include "toolkit/WindowDpi.h"

namespace app {
namespace {

// The monitor a rectangle lands on (the nearest one when it is on none): its DPI and work area.
struct Landing {
    int Dpi = tk::DpiScale::kDesignDpi;
    Rect32 WorkArea;
};

Landing LandingOf(const Rect32& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    const HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST);
    Landing landing;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info)) {
        const RECT& w = info.rcWork;
        landing.WorkArea = Rect32{w.left, w.top, w.right, w.bottom};
    }
    landing.Dpi = tk::MonitorDpi(monitor);
    return landing;
}

}  // namespace

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
        SetBounds(Left(), Top(), Scale().ToPixels(kCompactWidth), Scale().ToPixels(kCompactHeight));
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
    const int placementDpi = ParseWindowDpi(store->WindowDpi());
    if (!store->WindowDpi().empty() && FormatWindowDpi(placementDpi) != store->WindowDpi()) {
        base::LogF("UserConfig.ini WindowDpi=%s is malformed; WindowPos is taken as written at %d DPI",
                   base::AnsiToUtf8(store->WindowDpi()).c_str(), placementDpi);
    }
    lastPlacement_ = RaisedToMinimum(lastPlacement_);
    LoadLastLoginInfo(lastPlacement_, placementDpi);
    // The first-run dialog, offered at the first full layout of every run until the user declines it.
    if (store->ShotCutRemind() != "0") {
        dialogs::ShowFirstOptionDialog(this);
    }
}

void TMainForm::LoadLastLoginInfo(const TPlacement& stored, int storedDpi) {
    SetResizable(true);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    static_assert(sizeof(WINDOWPLACEMENT) == 44);
    // ParseWindowPos only lets through placements whose rectangle can be formed.
    const std::optional<Rect32> storedRect = PlacementRect(stored);
    if (!storedRect) {
        base::LogF("WindowPos %s has no rectangle; the window stays where it is",
                   FormatWindowPos(stored).c_str());
        return;
    }
    // The values are pixels at the DPI they were taken at: at the DPI of the monitor they land on
    // the window keeps its logical size and its place on that monitor.
    const Landing landing = LandingOf(*storedRect);
    TPlacement placement = RaisedToMinimum(ScalePlacement(stored, storedDpi, landing.Dpi, landing.WorkArea));
    std::optional<Rect32> rect = PlacementRect(placement);
    if (!rect) {
        base::LogF("WindowPos %s taken at %d DPI has no rectangle at %d DPI; it is used unscaled",
                   FormatWindowPos(stored).c_str(), storedDpi, landing.Dpi);
        placement = stored;
        rect = storedRect;
    }
    if (placement.State == kPlacementMaximized) {
        SetWindowState(tk::WindowState::Maximized);
        wp.showCmd = SW_SHOWMAXIMIZED;
    } else {
        wp.showCmd = SW_SHOWNORMAL;
    }
    wp.rcNormalPosition = RECT{rect->left, rect->top, rect->right, rect->bottom};
    // Keeping the rectangle on a monitor is the system's business.
    const int dpiBefore = Dpi();
    SetWindowPlacement(Handle(), &wp);
    // Moved onto a monitor of another DPI, the window followed WM_DPICHANGED and took the size the
    // system suggested for its old one; the rectangle is meant for the new DPI, so it is given again.
    if (Dpi() != dpiBefore) {
        SetWindowPlacement(Handle(), &wp);
    }
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
    config::TAppConfigClass::GetInstance()->SetWindowPos(FormatWindowPos(placement), FormatWindowDpi(Dpi()));
}

}  // namespace app
