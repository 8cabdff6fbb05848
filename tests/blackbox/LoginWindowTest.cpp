// The running program's login window and its browser control, as seen from outside.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "base/Handles.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

bool UserAgentTokenRegistered() {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(
            HKEY_CURRENT_USER,
            L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\User Agent\\Post Platform", 0,
            KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    base::UniqueRegKey key(raw);
    const wchar_t prefix[] = L"Mozilla/4.0(Compatible";
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = 256;
        if (RegEnumValueW(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        if (wcsncmp(name, prefix, ARRAYSIZE(prefix) - 1) == 0) {
            return true;
        }
    }
}

}  // namespace

TEST(LoginWindow, StartsCompactAtItsDesignedPlace) {
    VelmoraProcess velmora;
    velmora.WriteSysConfig("DirectUrl=http://exam.example/login.aspx\r\n");
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(testsupport::WindowComesTo(window, 502, 237, 400, 250));
}

TEST(LoginWindow, UserAgentTokenLivesExactlyAsLongAsTheProgram) {
    ASSERT_FALSE(UserAgentTokenRegistered());
    VelmoraProcess velmora;
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(UserAgentTokenRegistered());
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(velmora.WaitForExit());
    EXPECT_FALSE(UserAgentTokenRegistered());
}
