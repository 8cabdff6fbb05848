// The private messages other programs send the main window.
#include "app/MainFrm.h"

#include "app/PrivateMessages.h"
#include "base/Error.h"
#include "base/Log.h"
#include "toolkit/Application.h"
#include "base/Handles.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/SafeMemory.h"
#include "webhost/FrameRegistration.h"
#include "webhost/PageScript.h"

namespace app {
namespace {

// A page that is gone or a script that fails: the sender gets no answer either way, the log gets the
// code (not the message, which may quote the page's own script text).
void LogPageScriptFailure(const char* message, const base::Error& error) {
    const auto* com = dynamic_cast<const base::ComError*>(&error);
    base::LogF("%s: the page's script could not be run (%s)", message,
               com ? base::HResultText(com->Result()).c_str() : "no HRESULT");
}

}  // namespace

bool TMainForm::HandlePrivateMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INVOKEFRAMEMETHOD:
            WMInvokeFrameMethod();
            return true;
        case WM_EXECPANELHANDLER:
            WMExecPanelHandler(lParam);
            return true;
        case WM_SHOWMAINWINDOW:
            WMShowMainWindow();
            return true;
        case WM_RUNRESTART:
            WMRunRestart();
            return true;
        default:
            return false;
    }
}

void TMainForm::WMInvokeFrameMethod() {
    try {
        webhost::InvokeFrameMethod(webhost::FrameRegistration());
    } catch (const base::Error& e) {
        LogPageScriptFailure("WM_INVOKEFRAMEMETHOD", e);
    }
}

void TMainForm::WMExecPanelHandler(LPARAM lParam) {
    // Any program can send this message, so the address is not trusted: unreadable means no text.
    const std::string text = base::ReadTextAt(static_cast<uintptr_t>(lParam)).value_or(std::string());
    if (text.empty()) {
        return;
    }
    try {
        webhost::ExecPanelHandler(webhost::FrameRegistration(), text);
    } catch (const base::Error& e) {
        LogPageScriptFailure("WM_EXECPANELHANDLER", e);
    }
}

void TMainForm::WMShowMainWindow() {
    if (IsWindowVisible(Handle())) {
        if (GetForegroundWindow() != Handle()) {
            // To the top of the z-order without staying topmost.
            ::SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            ::SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        return;
    }
    // Only the main window: other windows a hide left hidden stay hidden.
    tk::Application::Instance().Restore();
    Show();
}

void TMainForm::WMRunRestart() {
    // Only the program's own Restart.exe: a bare name would be searched for in the current directory
    // and along PATH, where anyone could have put one.
    const std::wstring path = base::ExeFolder() + L"Restart.exe";
    if (!base::FileExists(path)) {
        return;
    }
    // Started hidden, by its full path; the shell neither waits for it nor looks at the outcome.
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        base::LogF("Restart.exe could not be started (%s)", base::ErrorText(GetLastError()).c_str());
        return;
    }
    base::UniqueHandle process(started.hProcess);
    base::UniqueHandle thread(started.hThread);
}

}  // namespace app
