// A main window created in this process with configuration files written beside the test program,
// where the store looks for them; everything is removed again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainFrm.h"
#include "config/AppConfigClass.h"
#include "support/TestFiles.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "toolkit/Application.h"
#include "base/Module.h"
#include "base/Text.h"

namespace testsupport {

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = base::ExeFolder();
        RemoveConfigFiles();
        config::TAppConfigClass::ReleaseInstance();
        // An empty current directory: no "SysMenu.ico" unless a test puts one there.
        currentDirectory_ = std::make_unique<CurrentDirectory>(workDir_.Path());
    }

    void TearDown() override {
        tk::Application& application = tk::Application::Instance();
        application.DestroyMainForm();
        application.ProcessMessages();
        application.ResetTerminated();
        config::TAppConfigClass::ReleaseInstance();
        currentDirectory_.reset();
        RemoveConfigFiles();
    }

    void WriteUserConfig(const std::string& lines) {
        WriteFileBytes(folder_ + L"UserConfig.ini", "[UserCustom]\r\n" + lines);
    }
    void WriteSysConfig(const std::string& lines) {
        WriteFileBytes(folder_ + L"SysConfig.ini", "[Orvane]\r\n" + lines);
    }
    std::string UserValue(const char* key) {
        return config::ReadIniValue(folder_ + L"UserConfig.ini", "UserCustom", key);
    }
    // Puts a "SysMenu.ico" into the current directory (below it when sub is given).
    void PlaceSysMenuIcon(const std::string& sub = "") {
        if (!sub.empty()) {
            CreateDirectoryA((workDir_.Path() + sub).c_str(), nullptr);
        }
        CopyFileW((folder_ + L"testdata\\SysMenu.ico").c_str(),
                  (workDir_.WidePath() + base::AnsiToWide(sub) + L"SysMenu.ico").c_str(), FALSE);
    }

    // The tray icon shows: it is added in a step the window posts to itself during creation.
    static bool TrayIconShows(app::TMainForm* form) {
        return testsupport::WaitUntil([form] { return form->TrayIcon().Visible(); });
    }

    app::TMainForm* CreateMainForm() { return tk::Application::Instance().CreateMainForm<app::TMainForm>(); }
    // Created and shown, with what the show posted handled.
    app::TMainForm* ShowMainForm() {
        app::TMainForm* form = CreateMainForm();
        form->Show();
        tk::Application::Instance().ProcessMessages();
        return form;
    }

    std::wstring folder_;
    TempFolder workDir_;

  private:
    void RemoveConfigFiles() {
        for (const wchar_t* name : {L"SysConfig.ini", L"UserConfig.ini", L"Version.dat"}) {
            RemovePath(folder_ + name);
        }
    }
    std::unique_ptr<CurrentDirectory> currentDirectory_;
};

}  // namespace testsupport
