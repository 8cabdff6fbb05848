// The floor of the start-up benchmark: what any program of Velmora's kind must do before its window
// shows, and nothing of Velmora's own. It carries the same resources (manifest included) and imports
// the same DLLs, initialises OLE and the common controls, creates one window with the WebBrowser
// control in place inside it, and shows it.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <uxtheme.h>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/WindowClass.h"
#include "webhost/WebBrowser.h"

namespace {

// One function of each DLL Velmora.exe imports, so that the loader maps the same set here (scripts/bench
// compares the two import lists).
const void* const kImports[] = {
    reinterpret_cast<const void*>(&RegCloseKey),           // advapi32
    reinterpret_cast<const void*>(&InitCommonControlsEx),  // comctl32
    reinterpret_cast<const void*>(&BitBlt),                // gdi32
    reinterpret_cast<const void*>(&AlphaBlend),            // msimg32
    reinterpret_cast<const void*>(&OleInitialize),         // ole32
    reinterpret_cast<const void*>(&SysAllocString),        // oleaut32
    reinterpret_cast<const void*>(&Shell_NotifyIconW),     // shell32
    reinterpret_cast<const void*>(&SetWindowTheme),        // uxtheme
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const void* const* volatile keep = kImports;
    (void)keep;
    tk::SetClassPrefix(L"Floor");
    tk::Application& application = tk::Application::Instance();
    application.Initialize();
    tk::FormDesign design;
    design.caption = L"Floor";
    design.left = 502;
    design.top = 237;
    design.clientWidth = 400;
    design.clientHeight = 250;
    {
        tk::Form& form = tk::CreateForm<tk::Form>(design);
        form.Add<webhost::TWebBrowser>();
        form.Show();
        application.Run();
    }
    application.Finalize();
    return 0;
}
