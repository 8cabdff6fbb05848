#include "toolkit/Application.h"

#include "base/Log.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"

#include <ole2.h>

#include <algorithm>
#include <commctrl.h>

#include "base/Error.h"
#include "base/Module.h"
#include "base/Text.h"

namespace tk {
namespace {

// Posted to the application window with the serial of a form to free (WPARAM).
const UINT kReleaseMessage = WM_APP + 0x3F01;

}  // namespace

Application& Application::Instance() {
    static Application instance;
    return instance;
}

void Application::Initialize() {
    if (Handle()) {
        return;
    }
    comInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&icc);

    if (title_.empty()) {
        title_ = base::ExeBaseName();
    }
    // A zero-sized, tool-window owner for every form: visible while a form is, never on the task bar.
    WindowParams p = WindowParams::Hidden(ClassName(L"Application"), "the application window");
    p.text = title_;
    p.style = WS_POPUP | WS_CLIPSIBLINGS;
    p.left = GetSystemMetrics(SM_CXSCREEN) / 2;
    p.top = GetSystemMetrics(SM_CYSCREEN) / 2;
    CreateHandle(p);
}

void Application::Finalize() {
    DestroyMainForm();
    while (!held_.empty()) {
        FormPtr<Form> form = std::move(held_.back());
        held_.pop_back();
    }
    DestroyHandle();
    if (comInitialized_) {
        OleUninitialize();
        comInitialized_ = false;
    }
}

void Application::DestroyMainForm() {
    if (Form* form = mainForm_.get()) {
        form->Destroy();  // still the main form while its destruction runs
        mainForm_.reset();
    }
}

bool Application::IsLiveMainForm(const Form* form) const {
    return form && mainForm_.get() == form && !form->Destroyed() && form->Handle() != nullptr;
}

LRESULT Application::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATEAPP:
            SetActive(wParam != FALSE);
            break;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                // The session is ending: there is no one left to tell.
                try {
                    EndSession();
                } catch (const std::exception&) {
                    base::LogCaughtException("WM_ENDSESSION");
                }
            }
            return 0;
        case WM_CLOSE:
            Terminate();
            return 0;
        default:
            if (message == kReleaseMessage) {
                HandleRelease(static_cast<unsigned long long>(wParam));
                return 0;
            }
            break;
    }
    return Window::WndProc(message, wParam, lParam);
}

void Application::ReleaseForm(const Form& form) {
    if (Handle()) {
        PostMessageW(Handle(), kReleaseMessage, static_cast<WPARAM>(form.Serial()), 0);
    }
}

void Application::HandleRelease(unsigned long long serial) {
    auto it =
        std::find_if(forms_.begin(), forms_.end(), [serial](const Form* f) { return f->Serial() == serial; });
    Form* form = it != forms_.end() ? *it : nullptr;
    if (!form) {
        // Destroyed meanwhile: a destroyed form awaiting its release is held here or by its owner.
        for (auto& held : held_) {
            if (held->Serial() == serial) {
                form = held.get();
                break;
            }
        }
    }
    if (!form) {
        return;  // freed already
    }
    if (form->InHandler() || form->IsModal()) {
        form->releasePending_ = true;  // asked again once that is over
        return;
    }
    FormPtr<Form> freed = TakeFromHolder(*form);
    if (!freed) {
        base::Log("A released form has no holder; it stays");
        return;
    }
    freed.reset();
}

FormPtr<Form> Application::TakeFromHolder(Form& form) {
    std::vector<FormPtr<Form>>& holder = form.owner_ ? form.owner_->ownedForms_ : held_;
    auto it = std::find_if(holder.begin(), holder.end(), [&form](const auto& f) { return f.get() == &form; });
    if (it == holder.end()) {
        return {};
    }
    FormPtr<Form> taken = std::move(*it);
    holder.erase(it);
    return taken;
}

void Application::Hold(FormPtr<Form> form) {
    if (form) {
        held_.push_back(std::move(form));
    }
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
    if (msg.message == WM_DPICHANGED || msg.message == kWmGetDpiScaledSize) {
        return true;  // the system sends these; a posted one is a stray with a pointer in it
    }
    for (size_t i = 0; i < filters_.size(); ++i) {
        MessageFilter filter = filters_[i].second;  // a filter may remove itself
        if (filter(msg)) {
            return true;
        }
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        auto* form = dynamic_cast<Form*>(Window::FromHandle(root));
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
    if (Handle() && IsIconic(Handle())) {
        ShowWindow(Handle(), SW_RESTORE);
    }
}

void Application::UpdateVisible() {
    if (!Handle()) {
        return;
    }
    bool anyVisible = false;
    for (Form* f : forms_) {
        if (f && f->Visible()) {
            anyVisible = true;
            break;
        }
    }
    if ((IsWindowVisible(Handle()) != FALSE) != anyVisible) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
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
    if (errorBoxOpen_) {
        // The box's own message loop runs the failing handler again: one box is enough.
        base::LogF("Error (a box is open already): %s", message.c_str());
        return;
    }
    base::LogF("Error box: %s", message.c_str());
    HWND owner = GetActiveWindow();
    if (!owner) {
        owner = MainForm() && MainForm()->Visible() ? MainForm()->Handle() : Handle();
    }
    errorBoxOpen_ = true;
    MessageBoxW(owner, base::MessageToWide(message).c_str(), title_.c_str(), MB_OK | MB_ICONERROR);
    errorBoxOpen_ = false;
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
