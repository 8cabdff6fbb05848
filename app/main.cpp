// The program entry. The command line is not read.
#include <windows.h>

#include "app/MainFrm.h"
#include "app/SingleInstance.h"
#include "config/AppConfigClass.h"
#include "config/MMSaveClass.h"
#include "skin/SkinSet.h"
#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"
#include "base/CrashReport.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/SystemInfo.h"
#include "base/Text.h"

namespace {

// What shapes this run, for reading a log: the skin folder, the close policy, the screen and its
// scale (the system's and the main window's DPI).
void LogSettingsInUse(HWND mainWindow) {
    try {
        const config::TAppConfigClass* store = config::TAppConfigClass::GetInstance();
        const std::wstring skin = skin::SkinFolder(base::ExeFolder(), base::AnsiToWide(store->SkinPath()));
        base::LogF(
            "Skin folder %s; NeverRequire=%s, CloseAction=%s; screen %d x %d, system DPI %d, window DPI %d",
            base::WideToUtf8(skin).c_str(), base::AnsiToUtf8(store->NeverRequire()).c_str(),
            base::AnsiToUtf8(store->CloseAction()).c_str(), GetSystemMetrics(SM_CXSCREEN),
            GetSystemMetrics(SM_CYSCREEN), tk::SystemDpi(), tk::WindowDpi(mainWindow));
    } catch (const std::exception&) {
        base::LogCaughtException("Logging the settings in use");
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First of all: a crash from here on leaves a dump and a log line, not the system's crash box.
    // Installing touches no file, so a second copy still ends having touched none.
    base::InstallCrashHandler();
    // Then, before anything else: a second copy from the same folder shows the first one's window and ends.
    if (!app::ClaimSingleInstance()) {
        return 0;
    }
    base::LogF("Velmora %s starting: %s on %s", base::ModuleVersion(nullptr).c_str(),
               base::WideToUtf8(base::ExePath()).c_str(), base::WindowsVersion().c_str());
    // After the start line, so that the log reads in order; only the copy that goes on reports it.
    base::ReportPreviousCrash();
    // The hourly working-set trim runs from before the main window exists until the very end.
    config::StartTrimTimer();
    tk::SetClassPrefix(L"Velmora");
    tk::Application& application = tk::Application::Instance();
    try {
        application.Initialize();
        app::TMainForm* mainForm = application.CreateMainForm<app::TMainForm>();
        mainForm->SetCaption(base::Utf8ToWide(config::TAppConfigClass::GetInstance()->GetTitle()));
        LogSettingsInUse(mainForm->Handle());
        application.Run();
    } catch (...) {
        application.HandleException();
    }
    application.Finalize();
    config::StopTrimTimer();
    base::Log("Velmora exiting");
    return 0;
}
