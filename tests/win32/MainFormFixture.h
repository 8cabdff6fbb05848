// A main window created in this process with configuration files written beside the test program,
// where the store looks for them; everything is removed again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/MainFrm.h"
#include "config/AppConfigClass.h"
#include "support/TestFiles.h"
#include "toolkit/Application.h"
#include "base/Module.h"

namespace testsupport {

// Whether some registration already holds the key combination.
inline bool HotKeyIsHeld(UINT modifiers, UINT key) {
    const int probeId = 0xBFF0;
    if (RegisterHotKey(nullptr, probeId, modifiers, key)) {
        UnregisterHotKey(nullptr, probeId);
        return false;
    }
    return true;
}

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = base::ExeFolder();
        RemoveConfigFiles();
        config::TAppConfigClass::ReleaseInstance();
        char cwd[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, cwd);
        savedDirectory_ = cwd;
        // An empty current directory: no "SysMenu.ico" unless a test puts one there.
        SetCurrentDirectoryA(workDir_.Path().c_str());
    }

    void TearDown() override {
        tk::Application& application = tk::Application::Instance();
        application.DestroyMainForm();
        application.ProcessMessages();
        application.ResetTerminated();
        config::TAppConfigClass::ReleaseInstance();
        SetCurrentDirectoryA(savedDirectory_.c_str());
        RemoveConfigFiles();
    }

    void WriteUserConfig(const std::string& lines) {
        WriteFileBytes(folder_ + "UserConfig.ini", "[UserCustom]\r\n" + lines);
    }
    void WriteSysConfig(const std::string& lines) {
        WriteFileBytes(folder_ + "SysConfig.ini", "[Orvane]\r\n" + lines);
    }
    std::string UserValue(const char* key) {
        return config::ReadIniValue(folder_ + "UserConfig.ini", "UserCustom", key);
    }
    // Puts a "SysMenu.ico" into the current directory (below it when sub is given).
    void PlaceSysMenuIcon(const std::string& sub = "") {
        if (!sub.empty()) {
            CreateDirectoryA((workDir_.Path() + sub).c_str(), nullptr);
        }
        CopyFileA((folder_ + "testdata\\SysMenu.ico").c_str(),
                  (workDir_.Path() + sub + "SysMenu.ico").c_str(), FALSE);
    }

    app::TMainForm* CreateMainForm() { return tk::Application::Instance().CreateMainForm<app::TMainForm>(); }

    std::string folder_;
    TempFolder workDir_;

  private:
    void RemoveConfigFiles() {
        for (const char* name : {"SysConfig.ini", "UserConfig.ini", "Version.dat"}) {
            RemovePath(folder_ + name);
        }
    }
    std::string savedDirectory_;
};

}  // namespace testsupport
