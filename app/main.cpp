// The program entry. The command line is not read.
#include <windows.h>

#include "app/MainFrm.h"
#include "config/AppConfigClass.h"
#include "toolkit/Application.h"
#include "toolkit/Text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tk::Application& application = tk::Application::Instance();
    try {
        application.Initialize();
        app::TMainForm* mainForm = application.CreateMainForm<app::TMainForm>();
        mainForm->SetCaption(tk::Utf8ToWide(config::TAppConfigClass::GetInstance()->GetTitle()));
        application.Run();
    } catch (...) {
        application.HandleException();
    }
    application.Finalize();
    return 0;
}
