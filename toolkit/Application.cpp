#include "toolkit/Application.h"

#include "base/Log.h"
#include "toolkit/WindowClass.h"

#include <ole2.h>

#include <algorithm>
#include <commctrl.h>

#include "base/Error.h"
#include "base/Module.h"
#include "base/Text.h"

namespace tk {
namespace {

// Posted to the application window with a form to free (LPARAM).
const UINT kReleaseMessage = WM_APP + 0x3F01;

std::wstring ExeBaseName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        name.erase(0, slash + 1);
    }
    size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

}  // namespace

Application& Application::Instance() {
    static Application instance;
    return instance;
}

void Application::Initialize() {
    if (handle_) {
        return;
    }
    comInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&icc);

    const std::wstring className = ClassName(L"Application");
    RegisterWindowClass({className, &Application::WindowProc});
    if (title_.empty()) {
        title_ = ExeBaseName();
    }
    // A zero-sized, tool-window owner for every form: visible while a form is, never on the task bar.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateToolkitWindow(WS_EX_TOOLWINDOW, className, title_.c_str(), WS_POPUP | WS_CLIPSIBLINGS, x,
                                  y, 0, 0, nullptr, nullptr, "the application window");
}

void Application::Finalize() {
    DestroyMainForm();
    while (!pendingRelease_.empty()) {
        Form* form = pendingRelease_.back();
        pendingRelease_.pop_back();
        FormDeleter{}(form);
    }
    if (handle_) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    if (comInitialized_) {
        OleUninitialize();
        comInitialized_ = false;
    }
}

void Application::DestroyMainForm() {
    if (Form* form = mainForm_.get()) {
        form->Destroy();  // still the main form while its destruction event runs
        mainForm_.reset();
    }
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = Instance();
    switch (message) {
        case WM_ACTIVATEAPP:
            app.SetActive(wParam != FALSE);
            break;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                // The session is ending: there is no one left to tell.
                try {
                    app.EndSession();
                } catch (const std::exception&) {
                    base::LogCaughtException("WM_ENDSESSION");
                }
            }
            return 0;
        case WM_CLOSE:
            app.Terminate();
            return 0;
        default:
            if (message == kReleaseMessage) {
                auto* form = reinterpret_cast<Form*>(lParam);
                auto& pending = app.pendingRelease_;
                auto it = std::find(pending.begin(), pending.end(), form);
                if (it != pending.end()) {
                    pending.erase(it);
                    try {
                        FormDeleter{}(form);
                    } catch (...) {
                        app.HandleException();
                    }
                }
                return 0;
            }
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Application::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    for (size_t i = 0; i < filters_.size(); ++i) {
        MessageFilter filter = filters_[i].second;  // a filter may remove itself
        if (filter(msg)) {
            return true;
        }
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        auto* form = dynamic_cast<Form*>(WinControl::FromHandle(root));
        if (form && form->DialogNavigation() && IsDialogMessageW(root, &msg)) {
            return true;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Application::HandleMessage() {
    if (!ProcessMessage()) {
        WaitMessage();
    }
}

void Application::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void Application::Run() {
    if (Form* main = MainForm()) {
        main->Show();
    }
    while (!terminated_) {
        HandleMessage();
    }
}

void Application::Terminate() {
    PostQuitMessage(0);
}

void Application::EndSession() {
    terminated_ = true;
    if (Form* form = MainForm()) {
        form->Destroy();
    }
    // The message may have been handled inside a wait for the next message: wake the loop up.
    PostQuitMessage(0);
}

void Application::Restore() {
    if (handle_ && IsIconic(handle_)) {
        ShowWindow(handle_, SW_RESTORE);
    }
}

void Application::UpdateVisible() {
    if (!handle_) {
        return;
    }
    bool anyVisible = false;
    for (Form* f : forms_) {
        if (f && f->Visible()) {
            anyVisible = true;
            break;
        }
    }
    if ((IsWindowVisible(handle_) != FALSE) != anyVisible) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (anyVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
}

void Application::HandleException() {
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
}

void Application::ShowException(const std::string& message) {
    base::LogF("Error box: %s", message.c_str());
    HWND owner = GetActiveWindow();
    if (!owner) {
        owner = MainForm() && MainForm()->Visible() ? MainForm()->Handle() : handle_;
    }
    MessageBoxW(owner, base::MessageToWide(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
}

int Application::AddMessageFilter(MessageFilter filter) {
    int id = nextFilterId_++;
    filters_.emplace_back(id, std::move(filter));
    return id;
}

void Application::RemoveMessageFilter(int id) {
    std::erase_if(filters_, [id](const auto& f) { return f.first == id; });
}

void Application::AddForm(Form* form) {
    forms_.push_back(form);
}

void Application::RemoveForm(Form* form) {
    std::erase(forms_, form);
}

}  // namespace tk

namespace tk {

void Application::ReleaseForm(Form* form) {
    if (std::find(pendingRelease_.begin(), pendingRelease_.end(), form) != pendingRelease_.end()) {
        return;
    }
    pendingRelease_.push_back(form);
    if (handle_) {
        PostMessageW(handle_, kReleaseMessage, 0, reinterpret_cast<LPARAM>(form));
    }
}

void Application::ForgetRelease(Form* form) {
    std::erase(pendingRelease_, form);
}

}  // namespace tk
