// The running program's hot key and tray icon, as seen from outside.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "support/TestFiles.h"
#include "base/Module.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

TEST(HotKey, HotKeyMessageUnderTheAtomsIdentifierHidesAndShowsTheWindow) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("HotKey=0,120,120\r\n");
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    const ATOM atom = GlobalFindAtomA("HOTKEY");
    ASSERT_NE(atom, 0);
    const WPARAM id = atom - 0xC000;
    // The key hides the window only while the program is the active one.
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    PostMessageW(window, WM_HOTKEY, id, MAKELPARAM(0, VK_F9));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    // A press less than 100 ms after the one before is ignored: the next one comes once that much
    // time has passed since the program handled the first (which it had when the window went).
    const DWORD hidden = GetTickCount();
    WaitUntil([&] { return GetTickCount() - hidden > 150; });
    PostMessageW(window, WM_HOTKEY, id, MAKELPARAM(0, VK_F9));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(velmora.Running());
}

TEST(HotKey, TrayIconAppearsWhenTheSystemMenuIconIsFound) {
    VelmoraProcess velmora;
    // SkinPath empty: "SysMenu.ico" in the current directory, which is the program folder here.
    ASSERT_TRUE(CopyFileW((base::ExeFolder() + L"testdata\\SysMenu.ico").c_str(),
                          (velmora.WideFolder() + L"SysMenu.ico").c_str(), FALSE));
    velmora.Start();
    ASSERT_NE(velmora.WaitForMainWindow(), nullptr);
    const HWND icon = blackbox::FindTrayIconWindow(velmora.ProcessId());
    ASSERT_NE(icon, nullptr);
    // This program's own icon, not any: the shell knows an icon added by its tray window.
    EXPECT_TRUE(WaitUntil([&] { return testsupport::ShellHasIcon(icon); }));
}

TEST(HotKey, AProgramFolderWithoutAnyIconFileStillGetsATrayIcon) {
    VelmoraProcess velmora;  // the executable and its skin, no "SysMenu.ico" anywhere it is looked for
    ASSERT_NE(velmora.StartShown(), nullptr);
    const HWND icon = blackbox::FindTrayIconWindow(velmora.ProcessId());
    ASSERT_NE(icon, nullptr);
    // The shell knows an icon added by this program's own tray window.
    EXPECT_TRUE(WaitUntil([&] { return testsupport::ShellHasIcon(icon); }));
}
