// The skinned frame's window menu: its items enabled per layout and state, opened by Alt+Space below
// the caption and by a right-click on the caption at the cursor, its items running what the caption
// buttons run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SkinnedFrameFixture.h"
#include "support/Wait.h"

using namespace testsupport;

namespace {

void CALLBACK EndStuckMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    EndMenu();
}

// Once the next menu is on screen: notes where it is and types an item's access key into it.
void ChooseInNextMenu(wchar_t key, RECT* where) {
    LaterAction::Schedule([key, where] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup || !IsWindowVisible(popup)) {
            ChooseInNextMenu(key, where);
            return;
        }
        GetWindowRect(popup, where);
        PostMessageW(popup, WM_CHAR, key, 0);
    });
}

std::vector<bool> EnabledItems(const skin::TPictureForm* form) {
    tk::UniqueMenu menu = form->BuildSystemMenu();
    std::vector<bool> enabled;
    for (skin::SystemMenuItem item : skin::kSystemMenuItems) {
        const UINT state = GetMenuState(menu.Get(), static_cast<UINT>(item) + 1, MF_BYCOMMAND);
        enabled.push_back(state != static_cast<UINT>(-1) && (state & MF_GRAYED) == 0);
    }
    return enabled;
}

}  // namespace

TEST_F(SkinnedFrameTest, TheWindowMenuFollowsTheLayoutOpensAtTheCaptionAndRunsTheButtonsCommands) {
    TestFrame* form = Create();
    form->Show();
    tk::Application::Instance().ProcessMessages();
    ASSERT_TRUE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU);
    // Restore, move, size, minimize, maximize, close.
    EXPECT_EQ(EnabledItems(form), (std::vector<bool>{false, true, true, true, true, true}));
    form->SetResizable(false);
    EXPECT_EQ(EnabledItems(form), (std::vector<bool>{false, true, false, true, false, true}));
    form->SetResizable(true);
    form->SetWindowState(tk::WindowState::Maximized);
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(EnabledItems(form), (std::vector<bool>{true, false, false, true, false, true}));
    form->SetWindowState(tk::WindowState::Normal);
    tk::Application::Instance().ProcessMessages();

    form->swallowSysCommands = true;
    const UINT_PTR safety = SetTimer(nullptr, 0, 10000, &EndStuckMenu);
    RECT menu{};
    ChooseInNextMenu(L'n', &menu);  // 最小化(&N)
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
    const RECT window = WindowRect(form->Handle());
    EXPECT_EQ(menu.left, window.left + form->Scale().ToPixels(skin::kResizeBorder));
    EXPECT_EQ(menu.top, window.top + form->FrameCaptionHeight());
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_KEYMENU, SC_MINIMIZE}));

    // A right-click on the caption opens it at the cursor; one in the client area does not.
    const LPARAM caption = ScreenPoint(form, 100, 12);
    ChooseInNextMenu(L'c', &menu);  // 关闭(&C)
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, caption), 0);
    SendMessageW(form->Handle(), WM_NCRBUTTONUP, HTCAPTION, caption);
    KillTimer(nullptr, safety);
    EXPECT_EQ(menu.left, static_cast<short>(LOWORD(caption)));
    EXPECT_EQ(menu.top, static_cast<short>(HIWORD(caption)));
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_KEYMENU, SC_MINIMIZE, SC_CLOSE}));
    SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()),
                 ScreenPoint(form, 300, 300));
    EXPECT_EQ(FindWindowW(L"#32768", nullptr) && IsWindowVisible(FindWindowW(L"#32768", nullptr)), false);
}
