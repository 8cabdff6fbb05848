// Velmora.exe as another program sees it: its window, its hot key, its close policy.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "support/MessageBoxes.h"

using blackbox::HotKeyIsHeld;
using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

TEST(Startup, MainWindowIsFoundByClassAndTitleAndTheHotKeyIsHeld) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("HotKey=0,120,120\r\n");
    velmora.Start("--ignored /args");
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_NE(GlobalFindAtomA("HOTKEY"), 0);
    EXPECT_TRUE(HotKeyIsHeld(0, VK_F9));
}

TEST(Startup, CloseWithoutNeverRequireEndsTheProgramAndReleasesEverything) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("HotKey=3,90,49242\r\n");
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(velmora.WaitForExit());
    EXPECT_FALSE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));
    EXPECT_EQ(GlobalFindAtomA("HOTKEY"), 0);
    // Still on the start page: no placement is written.
    EXPECT_FALSE(velmora.UserFileHasKey("WindowPos"));
    EXPECT_EQ(velmora.UserValue("HotKey"), "3,90,49242");
}

TEST(Startup, CloseActionHideKeepsTheProgramInTheTray) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("NeverRequire=1\r\nCloseAction=hide\r\n");
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    // Still running: an exit would have followed from the same close (a quit message posted to its
    // own loop), and the window answers a message sent now only after what the close posted.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_TRUE(velmora.Running());
    EXPECT_TRUE(IsWindow(window));
}

TEST(Startup, CloseActionExitInAnyCaseEndsTheProgram) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("NeverRequire=1\r\nCloseAction=EXIT\r\n");
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(velmora.WaitForExit());
}

TEST(Startup, LogOffIsAllowedEvenWhenClosingWouldOnlyHide) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("NeverRequire=1\r\nCloseAction=hide\r\n");
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 3000,
                                    &answer));
    EXPECT_EQ(answer, 1u);
    // Nothing follows the answer: whatever the query did, it did before answering, and what it
    // posted has run once the window answers another message.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(velmora.Running());
}

TEST(Startup, AMalformedHotKeyHoldsNothingBackTheWindowComesUpWithoutABox) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("HotKey=0,120\r\n");
    velmora.Start();
    testsupport::MessageBoxWatcher boxes(velmora.ProcessId());
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_FALSE(HotKeyIsHeld(0, VK_F9));
    // No box: the window is up, so start-up is over. Once the window has answered, any box it showed
    // is up, and the watcher records a box before it closes it.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_TRUE(WaitUntil([&] { return testsupport::MessageBoxesOf(velmora.ProcessId()).empty(); }));
    EXPECT_TRUE(boxes.Boxes().empty());
}
