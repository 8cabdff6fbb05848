// The toolkit's notification-area icon against the real shell (Wine's tray).
#include "toolkit/TrayIcon.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include "support/WindowProbes.h"

namespace {

void ForgetIcon(const tk::TrayIcon& icon) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = icon.Handle();
    data.uID = 1;
    Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace

TEST(TrayIcon, ShowsAndHidesWithTheShell) {
    tk::TrayIcon icon;
    icon.SetIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    icon.SetHint(L"Velmora");
    EXPECT_FALSE(testsupport::ShellHasIcon(icon.Handle()));
    icon.SetVisible(true);
    EXPECT_TRUE(testsupport::ShellHasIcon(icon.Handle()));
    icon.SetVisible(false);
    EXPECT_FALSE(testsupport::ShellHasIcon(icon.Handle()));
}

TEST(TrayIcon, ComesBackWhenTheTaskBarIsCreatedAgain) {
    tk::TrayIcon icon;
    icon.SetIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)));
    icon.SetVisible(true);
    ForgetIcon(icon);  // what a restarted shell has: no icons
    ASSERT_FALSE(testsupport::ShellHasIcon(icon.Handle()));
    SendMessageW(icon.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(testsupport::ShellHasIcon(icon.Handle()));
}

TEST(TrayIcon, AHiddenIconStaysAwayWhenTheTaskBarIsCreatedAgain) {
    tk::TrayIcon icon;
    SendMessageW(icon.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(testsupport::ShellHasIcon(icon.Handle()));
}

TEST(TrayIcon, ReportsDoubleClicksAndReleasedButtonsWithTheCursorPosition) {
    tk::TrayIcon icon;
    int doubleClicks = 0;
    std::vector<tk::MouseButton> ups;
    POINT at{-1, -1};
    icon.OnDblClick = [&] { ++doubleClicks; };
    icon.OnMouseUp = [&](tk::MouseButton button, int x, int y) {
        ups.push_back(button);
        at = POINT{x, y};
    };
    SetCursorPos(321, 123);
    const UINT callback = WM_APP + 0x3F10;
    SendMessageW(icon.Handle(), callback, 1, WM_LBUTTONDBLCLK);
    SendMessageW(icon.Handle(), callback, 1, WM_RBUTTONUP);
    SendMessageW(icon.Handle(), callback, 1, WM_LBUTTONUP);
    SendMessageW(icon.Handle(), callback, 1, WM_MOUSEMOVE);
    EXPECT_EQ(doubleClicks, 1);
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_EQ(ups[0], tk::MouseButton::Right);
    EXPECT_EQ(ups[1], tk::MouseButton::Left);
    EXPECT_EQ(at.x, 321);
    EXPECT_EQ(at.y, 123);
}
