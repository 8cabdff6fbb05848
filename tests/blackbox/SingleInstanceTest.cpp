// One copy per program folder, seen from outside: a second start of the same Velmora.exe shows the
// first copy's window and ends with code 0, touching nothing; copies from two folders run side by side.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "VelmoraProcess.h"
#include "base/Handles.h"
#include "support/ShellLinks.h"
#include "support/TestFiles.h"
#include "toolkit/GdiHandles.h"
#include "webhost/WebBrowser.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

constexpr int kSecondStartLimitMs = 5000;

HWND StartAndWaitVisible(VelmoraProcess& velmora) {
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    if (window) {
        WaitUntil([&] { return IsWindowVisible(window) != FALSE; });
    }
    return window;
}

// Every file of a folder tree with its size and last write time.
using FileState = std::map<std::string, std::tuple<DWORD, DWORD, DWORD>>;
FileState FilesOf(const std::string& folder) {
    FileState state;
    for (const auto& [name, data] : testsupport::FilesBelow(folder)) {
        state[name] = {data.nFileSizeLow, data.ftLastWriteTime.dwLowDateTime,
                       data.ftLastWriteTime.dwHighDateTime};
    }
    return state;
}

// Every value (name and data) of a registry key under HKEY_CURRENT_USER.
std::map<std::string, std::string> ValuesOf(const char* key) {
    std::map<std::string, std::string> values;
    base::UniqueRegKey handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, handle.Put()) != ERROR_SUCCESS) {
        return values;
    }
    for (DWORD i = 0;; ++i) {
        char name[512] = {};
        BYTE data[2048] = {};
        DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
        if (RegEnumValueA(handle.Get(), i, name, &nameSize, nullptr, &type, data, &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        values[name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    return values;
}

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct ShortcutCleanup {
    ~ShortcutCleanup() { testsupport::RemoveProgramShortcuts(); }
};

}  // namespace

TEST(SingleInstance, SecondStartBringsTheVisibleFirstCopyForwardAndEnds) {
    VelmoraProcess velmora;
    HWND window = StartAndWaitVisible(velmora);
    ASSERT_NE(window, nullptr);
    // Another program's window in front of it.
    const tk::UniqueWindow frontWindow = testsupport::WindowInFrontOf(window);
    ASSERT_NE(frontWindow.Get(), nullptr);
    const HWND front = frontWindow.Get();
    const auto second = velmora.RunAgain(kSecondStartLimitMs);
    EXPECT_TRUE(second.ended) << "the second start still ran after 5 s";
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return testsupport::IsAbove(window, front); }));
    EXPECT_TRUE(velmora.Running());
    EXPECT_EQ(blackbox::FindMainWindow(velmora.ProcessId()), window);
}

TEST(SingleInstance, SecondStartShowsTheFirstCopyHiddenToTheTray) {
    VelmoraProcess velmora;
    HWND window = StartAndWaitVisible(velmora);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    const auto second = velmora.RunAgain(kSecondStartLimitMs);
    EXPECT_TRUE(second.ended) << "the second start still ran after 5 s";
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_TRUE(velmora.Running());
}

TEST(SingleInstance, PathsDifferingOnlyInLetterCaseAreOneCopy) {
    VelmoraProcess velmora;
    HWND window = StartAndWaitVisible(velmora);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) == FALSE; }));
    std::string upper = velmora.Folder() + "VELMORA.EXE";
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    const auto second = velmora.RunAgain(kSecondStartLimitMs, upper);
    EXPECT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
}

TEST(SingleInstance, SecondStartChangesNoFileShortcutOrRegistryValue) {
    ShortcutCleanup cleanup;
    VelmoraProcess velmora;
    // Settings under which a full start would write: the autostart shortcut at every start.
    velmora.WriteUserConfig("SkinPath=Skin\\Blue\\\r\nHotKey=3,90,49242\r\nAutoRegNextTime=1\r\n");
    velmora.WriteSysConfig("DirectUrl=about:blank\r\n");
    HWND window = StartAndWaitVisible(velmora);
    ASSERT_NE(window, nullptr);
    // The first copy's own start-up writes are over once its window shows: the autostart shortcut and
    // the browser's user-agent value come before it.
    ASSERT_TRUE(WaitUntil([] { return testsupport::PathExists(testsupport::StartupLink()); }));
    ASSERT_TRUE(
        WaitUntil([] { return ValuesOf(webhost::UserAgentKey).count(webhost::UserAgentToken) == 1; }));
    DeleteFileW(testsupport::StartupLink().c_str());
    const FileState filesBefore = FilesOf(velmora.Folder());
    const auto agentBefore = ValuesOf(webhost::UserAgentKey);
    const auto runBefore = ValuesOf(kRunKey);

    const auto second = velmora.RunAgain(kSecondStartLimitMs);
    EXPECT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0u);
    // No wait needed: the second copy has ended, and the first had answered its message before that.
    EXPECT_EQ(FilesOf(velmora.Folder()), filesBefore);
    EXPECT_EQ(ValuesOf(webhost::UserAgentKey), agentBefore);
    EXPECT_EQ(ValuesOf(kRunKey), runBefore);
    EXPECT_FALSE(testsupport::PathExists(testsupport::StartupLink()));
    EXPECT_FALSE(testsupport::PathExists(testsupport::DesktopLink()));
    EXPECT_FALSE(testsupport::PathExists(testsupport::ProgramGroup()));
    EXPECT_TRUE(velmora.Running());
}

TEST(SingleInstance, CopiesFromTwoFoldersRunSideBySide) {
    VelmoraProcess first;
    VelmoraProcess second;
    HWND firstWindow = StartAndWaitVisible(first);
    ASSERT_NE(firstWindow, nullptr);
    HWND secondWindow = StartAndWaitVisible(second);
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_NE(firstWindow, secondWindow);
    // A copy that gives way ends before it makes any window, so two visible windows are two copies.
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(second.Running());
    EXPECT_TRUE(IsWindowVisible(firstWindow));
    EXPECT_TRUE(IsWindowVisible(secondWindow));
}
