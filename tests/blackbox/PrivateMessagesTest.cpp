// The private messages as another program sends them to the running Velmora.exe.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "app/PrivateMessages.h"
#include "support/TestFiles.h"
#include "base/Module.h"
#include "toolkit/GdiHandles.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

int CountLines(const std::string& path) {
    const std::string text = testsupport::ReadFileBytes(path);
    int lines = 0;
    for (char c : text) {
        lines += c == '\n';
    }
    return lines;
}

}  // namespace

TEST(PrivateMessages, ShowMainWindowShowsAWindowHiddenToTheTray) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("NeverRequire=1\r\nCloseAction=hide\r\n");
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    SendMessageW(window, app::WM_SHOWMAINWINDOW, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
}

TEST(PrivateMessages, ShowMainWindowRaisesAVisibleWindowWithoutLeavingItTopmost) {
    VelmoraProcess velmora;
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    // Another program's window in front of it.
    const tk::UniqueWindow frontWindow = testsupport::WindowInFrontOf(window);
    ASSERT_NE(frontWindow.Get(), nullptr);
    const HWND front = frontWindow.Get();
    SendMessageW(window, app::WM_SHOWMAINWINDOW, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return testsupport::IsAbove(window, front); }));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(PrivateMessages, RunRestartStartsOnlyTheProgramFoldersRestartExeEachTime) {
    VelmoraProcess velmora;
    const std::wstring probe = base::ExeFolder() + L"restart_probe.exe";
    ASSERT_TRUE(CopyFileW(probe.c_str(), (velmora.WideFolder() + L"Restart.exe").c_str(), FALSE));
    // A planted copy in the current directory must never run.
    testsupport::TempFolder elsewhere;
    ASSERT_TRUE(CopyFileW(probe.c_str(), (elsewhere.WidePath() + L"Restart.exe").c_str(), FALSE));
    velmora.Start("", elsewhere.WidePath());
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, app::WM_RUNRESTART, 0, 0);
    SendMessageW(window, app::WM_RUNRESTART, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return CountLines(velmora.Folder() + "starts.log") == 2; }));
    // No third start, and none elsewhere: once the window has answered a message sent after the two,
    // it has handled everything they led to.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_EQ(CountLines(velmora.Folder() + "starts.log"), 2);
    EXPECT_FALSE(testsupport::PathExists(elsewhere.Path() + "starts.log"));
    EXPECT_TRUE(velmora.Running());
}

TEST(PrivateMessages, RunRestartWithoutRestartExeDoesNothing) {
    VelmoraProcess velmora;
    testsupport::TempFolder elsewhere;
    ASSERT_TRUE(CopyFileW((base::ExeFolder() + L"restart_probe.exe").c_str(),
                          (elsewhere.WidePath() + L"Restart.exe").c_str(), FALSE));
    velmora.Start("", elsewhere.WidePath());
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    SendMessageW(window, app::WM_RUNRESTART, 0, 0);
    // Nothing started: the message was handled before SendMessage returned, and once the window has
    // answered another, whatever it posted itself has been handled too.
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_FALSE(testsupport::PathExists(elsewhere.Path() + "starts.log"));
    EXPECT_TRUE(velmora.Running());
}

TEST(PrivateMessages, PanelHandlerMessageWithAGarbageAddressDoesNotCrash) {
    VelmoraProcess velmora;
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    for (LPARAM address : {LPARAM(1), LPARAM(0x10), LPARAM(0xDEADBEEF), LPARAM(-1), LPARAM(0x7FFFFFFF0000)}) {
        DWORD_PTR result = 1;
        EXPECT_TRUE(SendMessageTimeoutW(window, app::WM_EXECPANELHANDLER, 0, address, SMTO_ABORTIFHUNG, 3000,
                                        &result));
        EXPECT_EQ(result, 0u);
    }
    EXPECT_TRUE(velmora.Running());
    EXPECT_TRUE(IsWindow(window));
}
