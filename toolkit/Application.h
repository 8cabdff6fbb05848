// Application: the hidden top-level owner window (tool-window style, so the program has no task-bar
// button), the message loop, the list of forms, the main form and the forms no other form owns, the
// deferred release of forms, and the standard error box.
//
// Threading: one UI thread, which initialises COM as a single-threaded apartment (OLE); every window,
// COM object and form lives on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/Window.h"

namespace tk {

class Application : public Window {
  public:
    static Application& Instance();

    // Initialises COM/OLE and the common controls and creates the hidden application window.
    void Initialize();
    // Frees the main form and every form the application holds, destroys the application window and
    // uninitialises COM.
    void Finalize();

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
    // Whether form is the main form and its window is still there: false once the session has ended
    // or the window was destroyed, also while a nested message loop of the form's runs.
    bool IsLiveMainForm(const Form* form) const;
    // Runs the main form's destruction and frees it.
    void DestroyMainForm();

    // Every form that exists and is not destroyed, in creation order.
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
    // While one box is open, a further error (a handler that fails at every message) is only logged.
    void HandleException();
    void ShowException(const std::string& message);
    bool ErrorBoxOpen() const { return errorBoxOpen_; }

    const std::wstring& Title() const { return title_; }

    // A filter sees each message before it is dispatched and may consume it (returns true).
    using MessageFilter = std::function<bool(MSG&)>;
    int AddMessageFilter(MessageFilter filter);
    void RemoveMessageFilter(int id);

    // Windows is ending the session and may end the process at any moment: the main form's destruction
    // runs now (it saves what it must). The object itself is freed by Finalize, once the stack that
    // led here has unwound.
    void EndSession();

    // Called by forms: the deferred release (Form::Release) and the forms no other form owns.
    void ReleaseForm(const Form& form);
    void Hold(FormPtr<Form> form);
    void AddForm(Form* form);
    void RemoveForm(Form* form);
    void SetActive(bool active) { active_ = active; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Application() = default;
    ~Application() override = default;
    bool ProcessMessage();
    void HandleRelease(unsigned long long serial);
    // Takes a form out of its holder (its owner form or this); empty when neither holds it.
    FormPtr<Form> TakeFromHolder(Form& form);

    bool comInitialized_ = false;
    FormPtr<Form> mainForm_;
    // The forms made by CreateForm without an owner form, and owned forms whose owner went first.
    std::vector<FormPtr<Form>> held_;
    std::vector<Form*> forms_;
    bool errorBoxOpen_ = false;
    bool terminated_ = false;
    bool active_ = false;
    std::wstring title_;
    std::vector<std::pair<int, MessageFilter>> filters_;
    int nextFilterId_ = 1;
};

}  // namespace tk
