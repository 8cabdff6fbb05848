// The dialogs under test need what the program gives them: an application main window (which owns
// the global hot key) and the configuration files beside the executable. This fixture makes both,
// and afterwards removes every dialog, file, shortcut and hot key it left.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainFormFixture.h"
#include "support/ShellLinks.h"
#include "config/AppConfigClass.h"
#include "support/TestFiles.h"
#include "support/Wait.h"
#include "toolkit/Application.h"
#include "base/Module.h"

namespace testsupport {

// What the screen shows of a client rectangle, once the window has painted what it owes.
inline std::vector<COLORREF> ClientPixels(HWND window, const RECT& area) {
    UpdateWindow(window);
    tk::WindowDc dc(window);
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            pixels.push_back(GetPixel(dc.Get(), x, y));
        }
    }
    return pixels;
}

// A key pressed and let go, sent as the keyboard sends it: to the window with the focus, through
// the message loop.
inline void PressKey(UINT key) {
    HWND target = GetFocus();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = base::ExeFolder();
        RemoveConfigFiles();
        RemoveProgramShortcuts();
        config::TAppConfigClass::ReleaseInstance();
        tk::FormDesign design;
        design.className = L"VelmoraDialogTestHost";
        design.caption = L"Velmora";
        design.left = 200;
        design.top = 150;
        design.clientWidth = 800;
        design.clientHeight = 600;
        main_ = tk::Application::Instance().CreateMainForm<tk::Form>(design);
        main_->Show();
        atom_.Reset(GlobalAddAtomA("HOTKEY"));
        hotKeyId_ = atom_.Get() - 0xC000;
    }

    void TearDown() override {
        tk::Application& application = tk::Application::Instance();
        if (main_) {
            UnregisterHotKey(main_->Handle(), hotKeyId_);
        }
        application.DestroyMainForm();  // frees the dialogs it owns
        application.ProcessMessages();
        application.ResetTerminated();
        atom_.Reset();
        config::TAppConfigClass::ReleaseInstance();
        RemoveConfigFiles();
        RemoveProgramShortcuts();
    }

    void WriteUserConfig(const std::string& lines) {
        WriteFileBytes(folder_ + L"UserConfig.ini", "[UserCustom]\r\n" + lines);
    }
    std::string UserValue(const char* key) {
        return config::ReadIniValue(folder_ + L"UserConfig.ini", "UserCustom", key);
    }
    bool UserConfigExists() { return PathExists(folder_ + L"UserConfig.ini"); }
    // Makes every write of the user configuration fail: a folder stands where the file should be.
    void BlockUserConfig() { CreateDirectoryW((folder_ + L"UserConfig.ini").c_str(), nullptr); }
    // Whether the main window holds exactly this registration under the program's identifier.
    bool MainHolds(UINT modifiers, UINT key) {
        if (!HotKeyIsHeld(modifiers, key) || !UnregisterHotKey(main_->Handle(), hotKeyId_)) {
            return false;
        }
        const bool freed = !HotKeyIsHeld(modifiers, key);
        RegisterHotKey(main_->Handle(), hotKeyId_, modifiers, key);
        return freed;
    }

    std::wstring folder_;
    tk::Form* main_ = nullptr;
    base::UniqueGlobalAtom atom_;
    int hotKeyId_ = 0;

  private:
    void RemoveConfigFiles() {
        for (const wchar_t* name : {L"SysConfig.ini", L"UserConfig.ini", L"Version.dat"}) {
            RemovePath(folder_ + name);
        }
    }
};

}  // namespace testsupport
