// Velmora.exe run from a program folder whose name the system code page cannot spell (Korean and
// Cyrillic under code page 936, and a space), as a per-user install below such a user's profile
// would be: everything that hangs on the program's folder still works.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "VelmoraProcess.h"
#include "app/PrivateMessages.h"
#include "base/Module.h"
#include "base/Text.h"
#include "config/AppConfigClass.h"
#include "support/MessageBoxes.h"
#include "support/TestFiles.h"
#include "toolkit/Bitmap.h"
#include "toolkit/GdiHandles.h"
#include "support/ShellLinks.h"

using blackbox::HotKeyIsHeld;
using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

// A top-level window of the process with that class (a visible one, unless told otherwise).
HWND FindProcessWindow(DWORD processId, const wchar_t* className, bool visibleOnly = true) {
    WindowSearch search{processId, className, visibleOnly, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<WindowSearch*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            wchar_t cls[64] = {};
            GetClassNameW(window, cls, 64);
            if (pid == s->processId && (!s->visibleOnly || IsWindowVisible(window)) &&
                std::wstring(cls) == s->className) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// For a test's length: COM, to read shortcuts back, and no shortcut of the program before or after.
class ShellScope {
  public:
    ShellScope() : com_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {
        testsupport::RemoveProgramShortcuts();
    }
    ~ShellScope() {
        testsupport::RemoveProgramShortcuts();
        if (SUCCEEDED(com_)) {
            CoUninitialize();
        }
    }
    ShellScope(const ShellScope&) = delete;
    ShellScope& operator=(const ShellScope&) = delete;

  private:
    HRESULT com_;
};

int CountLines(const std::wstring& path) {
    const std::string text = testsupport::ReadFileBytes(path);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// The colours of one row of a skin image.
std::set<COLORREF> RowColours(const std::wstring& file, int y) {
    tk::Bitmap bitmap;
    bitmap.LoadFromFile(file);
    std::set<COLORREF> colours;
    for (int x = 0; x < bitmap.Width(); ++x) {
        colours.insert(bitmap.Pixel(x, y));
    }
    return colours;
}

// The settings dialog, opened the way a user opens it: a right click on the tray icon (the message
// the notification area sends the icon's window), then the menu's third entry by keyboard.
HWND OpenSettingsFromTheTrayMenu(DWORD processId) {
    const UINT kTrayCallback = WM_APP + 0x3F10;
    HWND tray = FindProcessWindow(processId, L"VelmoraTrayIcon", false);
    HWND menu = nullptr;
    if (!tray || !PostMessageW(tray, kTrayCallback, 0, WM_RBUTTONUP) ||
        !WaitUntil([&] { return (menu = FindProcessWindow(processId, L"#32768")) != nullptr; }, 10000)) {
        return nullptr;
    }
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageW(menu, WM_KEYDOWN, key, 0);
        PostMessageW(menu, WM_KEYUP, key, 0xC0000000);
    }
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindProcessWindow(processId, L"TUserConfigForm")) != nullptr; }, 10000);
    return dialog;
}

}  // namespace

TEST(ProgramFolder, AFolderNamedOutsideTheCodePageWorksForConfigurationSkinLibraryShortcutAndRestart) {
    ShellScope shell;
    VelmoraProcess velmora(L" 벨모라 Велмора");
    const std::wstring folder = velmora.WideFolder();
    ASSERT_NE(base::AnsiToWide(base::WideToAnsi(folder)), folder) << "the code page can spell the folder";
    velmora.WriteSysConfig("DirectUrl=about:blank\r\n");
    velmora.WriteUserConfig("HotKey=0,120,120\r\nAutoRegNextTime=1\r\n");
    const std::wstring bin = base::ExeFolder();
    ASSERT_TRUE(CopyFileW((bin + L"restart_probe.exe").c_str(), (folder + L"Restart.exe").c_str(), FALSE));
    // The current directory is the program folder: the icon there puts the icon in the tray.
    ASSERT_TRUE(
        CopyFileW((bin + L"testdata\\SysMenu.ico").c_str(), (folder + L"SysMenu.ico").c_str(), FALSE));
    velmora.Start();
    testsupport::MessageBoxWatcher boxes(velmora.ProcessId());
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));

    // Both files were read (the hot key is held) and SysConfig.ini got its TipTimeOut.
    EXPECT_TRUE(HotKeyIsHeld(0, VK_F9));
    EXPECT_EQ(config::ReadIniValue(folder + L"SysConfig.ini", "Orvane", "TipTimeOut"), "10");
    EXPECT_EQ(config::ReadIniValue(folder + L"SysConfig.ini", "Orvane", "DirectUrl"), "about:blank");
    // The page's external object came from the program's own type library (the old program stopped
    // here with "OLE error 80029C4A"). Creation ends before the window shows, so no box by now means
    // none at all.
    EXPECT_TRUE(boxes.Boxes().empty());
    // The skin: once painted, the caption band shows the caption image's colours.
    std::set<COLORREF> caption = RowColours(folder + L"Skin\\Blue\\TopActivate.bmp", 20);
    caption.merge(RowColours(folder + L"Skin\\Blue\\TopdeActivate.bmp", 20));
    COLORREF seen = CLR_INVALID;
    EXPECT_TRUE(WaitUntil([&] {
        RECT r{};
        GetWindowRect(window, &r);
        tk::WindowDc screen(nullptr);
        seen = GetPixel(screen.Get(), r.left + 150, r.top + 20);
        return caption.count(seen) > 0;
    })) << std::hex
        << seen;
    // The autostart shortcut names the program in its folder (read back through the shell).
    const testsupport::LinkContent link = testsupport::ReadLink(testsupport::StartupLink());
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.target, folder + L"Velmora.exe");
    EXPECT_EQ(link.workDir, folder);
    // Restart.exe beside the program runs.
    SendMessageW(window, app::WM_RUNRESTART, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return CountLines(folder + L"starts.log") == 1; }));
    // UserConfig.ini is written: the settings dialog's OK saves the close action it did not have.
    HWND dialog = OpenSettingsFromTheTrayMenu(velmora.ProcessId());
    ASSERT_NE(dialog, nullptr);
    SendMessageW(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(110, 425));
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 425));
    SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(110, 425));
    EXPECT_TRUE(WaitUntil([&] { return velmora.UserValue("CloseAction") == "exit"; }));
    EXPECT_EQ(velmora.UserValue("HotKey"), "0,120,120");
}
