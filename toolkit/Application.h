// Application: the hidden top-level owner window (tool-window style, so the program has no task-bar
// button), the message loop, the list of forms, the main form, and the standard error box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Form.h"

namespace tk {

class Application {
  public:
    static Application& Instance();

    // Initialises COM/OLE and the common controls and creates the hidden application window.
    void Initialize();
    // Destroys the main form (if any) and the application window; uninitialises COM.
    void Finalize();

    HWND Handle() const { return handle_; }

    // The main form, owned by the application. Closing it ends the program.
    template <typename T, typename... Args>
    T* CreateMainForm(Args&&... args) {
        FormPtr<T> form(new T(std::forward<Args>(args)...));
        T* raw = form.get();
        mainForm_ = std::move(form);
        raw->DoCreate();
        return raw;
    }
    Form* MainForm() const { return mainForm_.get(); }
    // Runs the main form's destruction and frees it.
    void DestroyMainForm();

    // Every existing form, in creation order.
    const std::vector<Form*>& Forms() const { return forms_; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    // Handles one waiting message, or waits for one.
    void HandleMessage();
    // Handles every waiting message and returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Lets a later Run start afresh (a second run in the same process, as tests do).
    void ResetTerminated() { terminated_ = false; }

    // Undoes an application-level minimise.
    void Restore();
    // Whether one of the program's windows is the active window (from WM_ACTIVATEAPP).
    bool Active() const { return active_; }
    // Shows the application window while any form is visible and hides it otherwise.
    void UpdateVisible();

    // The standard error box: the message and one OK button. Call HandleException inside a catch.
    void HandleException();
    void ShowException(const std::string& message);

    const std::wstring& Title() const { return title_; }

    // A filter sees each message before it is dispatched and may consume it (returns true).
    using MessageFilter = std::function<bool(MSG&)>;
    int AddMessageFilter(MessageFilter filter);
    void RemoveMessageFilter(int id);

    // Windows is ending the session and may end the process at any moment: the main form's destruction
    // runs now (it saves what it must). The object itself is freed by Finalize, once the stack that
    // led here has unwound.
    void EndSession();

    // Frees a form from the message loop, after the current message (see Form::Release).
    void ReleaseForm(Form* form);
    // A form going away by other means is taken off the pending list.
    void ForgetRelease(Form* form);

    // Called by forms.
    void AddForm(Form* form);
    void RemoveForm(Form* form);
    void SetActive(bool active) { active_ = active; }

  private:
    Application() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool ProcessMessage();

    HWND handle_ = nullptr;
    bool comInitialized_ = false;
    FormPtr<Form> mainForm_;
    std::vector<Form*> forms_;
    bool terminated_ = false;
    bool active_ = false;
    std::wstring title_;
    std::vector<std::pair<int, MessageFilter>> filters_;
    std::vector<Form*> pendingRelease_;
    int nextFilterId_ = 1;
};

}  // namespace tk
