// The running program's hot key and tray icon, as seen from outside.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "support/TestFiles.h"
#include "base/Module.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

bool TrayWindowExists() {
    // Without a notification area on the display, Wine shows its own tray window.
    return FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr ||
           FindWindowW(nullptr, L"Wine System Tray") != nullptr;
}

}  // namespace

TEST(HotKey, HotKeyMessageUnderTheAtomsIdentifierHidesAndShowsTheWindow) {
    VelmoraProcess velmora;
    velmora.WriteUserConfig("HotKey=0,120,120\r\n");
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    const ATOM atom = GlobalFindAtomA("HOTKEY");
    ASSERT_NE(atom, 0);
    const WPARAM id = atom - 0xC000;
    SetForegroundWindow(window);
    Sleep(200);
    PostMessageW(window, WM_HOTKEY, id, MAKELPARAM(0, VK_F9));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    Sleep(200);  // beyond the 100 ms debounce
    PostMessageW(window, WM_HOTKEY, id, MAKELPARAM(0, VK_F9));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(velmora.Running());
}

TEST(HotKey, TrayIconAppearsWhenTheSystemMenuIconIsFound) {
    VelmoraProcess velmora;
    // SkinPath empty: "SysMenu.ico" in the current directory, which is the program folder here.
    ASSERT_TRUE(CopyFileA((base::ExeFolder() + "testdata\\SysMenu.ico").c_str(),
                          (velmora.Folder() + "SysMenu.ico").c_str(), FALSE));
    velmora.Start();
    ASSERT_NE(velmora.WaitForMainWindow(), nullptr);
    EXPECT_TRUE(WaitUntil(&TrayWindowExists));
}
