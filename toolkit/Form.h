// Form: one top-level window with its events, visibility, modal loop, close handling and
// self-release. Every form of the program is borderless; its design (class name, caption, position,
// client size, colour) is given at construction, the way a form resource would give it.
//
// Hooks and slots: what a derived form adds to creation, showing, resizing, the close query, closing
// and destruction is an override of the matching virtual hook (FormCreate ...), which calls its base
// explicitly; the On... slots are for whoever made the form, and run after the hooks.
//
// Ownership: CreateForm hands a new form to its holder, the owner form of its design or else the
// application; the holder frees it when the form's deferred release comes (Release, or the Free close
// action), never while one of the form's own handlers runs, and frees what it still holds when it goes.
#pragma once

#include <cstdint>
#include <memory>

#include "toolkit/AccessibleButtons.h"
#include "toolkit/Control.h"

namespace tk {

enum class WindowState { Normal, Minimized, Maximized };
enum class FormStyle { Normal, StayOnTop };
enum class CloseAction { None, Hide, Free };
enum class Position { Designed, OwnerFormCenter, MainFormCenter };

enum ModalResult : int { kModalNone = 0, kModalOk = 1, kModalCancel = 2 };

class Form;

// Frees a form the proper way: its destruction (hooks, events, owned forms, window) first, then the
// object. The holders of forms keep them through it.
struct FormDeleter {
    void operator()(Form* form) const;
};
template <typename T>
using FormPtr = std::unique_ptr<T, FormDeleter>;

struct FormDesign {
    std::wstring className;  // outside programs find windows by it; empty: the toolkit's "<prefix>Form"
    std::wstring caption;
    int left = 0;
    int top = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    COLORREF color = GetSysColor(COLOR_BTNFACE);
    Position position = Position::Designed;
    FormStyle style = FormStyle::Normal;
    bool minimizeBox = false;
    bool maximizeBox = false;
    // A window menu (Alt+Space), without any caption drawn by the system.
    bool systemMenu = false;
    Form* owner = nullptr;  // owning form (freed with it); nullptr: owned by the application
    HICON icon = nullptr;
};

class Form : public WinControl {
  public:
    explicit Form(const FormDesign& design);
    ~Form() override;

    // Runs the creation hook and event inside the creation error guard: an error is reported in the
    // standard error box and creation goes on.
    void DoCreate();
    // Runs the destruction hook and event, frees the forms this one owns and destroys the window. The
    // object itself is deleted by its holder.
    void Destroy();
    bool Destroyed() const { return destroyed_; }

    // Hooks of derived forms; an override calls its base.
    virtual void FormCreate() {}
    // Before the window appears, every time it becomes visible.
    virtual void FormShow() {}
    virtual void FormResize() {}
    virtual void FormCloseQuery(bool& /*canClose*/) {}
    virtual void FormClose(CloseAction& /*action*/) {}
    virtual void FormDestroy() {}
    // The window moved to a display of another scale (WM_DPICHANGED): the controls already follow the
    // new DPI (Dpi(), fonts); the form re-makes what it scales itself. One relayout (FormResize) and
    // one repaint follow.
    virtual void FormDpiChanged() {}

    // Events for the form's maker, run after the hooks.
    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void()> OnResize;
    std::function<void()> OnDestroy;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(CloseAction& action)> OnClose;

    // Shows the form (firing OnShow first) and brings it to the front.
    void Show();
    void SetVisible(bool visible) override;

    // Shows the form modally: the other windows of the program are disabled until a modal result
    // is set; the form is hidden again before this returns the result.
    int ShowModal();
    bool IsModal() const { return modal_; }
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Asks to close: the close query, then the close event's action.
    void Close();
    bool CloseQuery();
    // Frees the form later, from the message loop, once the caller's stack is left and none of the
    // form's handlers runs (a modal form: once its loop has ended).
    void Release();

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);

    WindowState GetWindowState() const { return windowState_; }
    void SetWindowState(WindowState state);
    FormStyle GetFormStyle() const { return style_; }
    void SetFormStyle(FormStyle style);
    void SetPosition(Position position) { position_ = position; }
    // Tab and arrow keys move between the form's controls.
    void SetDialogNavigation(bool on) { dialogNavigation_ = on; }
    bool DialogNavigation() const { return dialogNavigation_; }

    // Shapes the window as a rounded rectangle from (0, 0) to (width + 1, height + 1) with corner
    // ellipses of the given size; the system owns the region from then on. An unchanged shape is not
    // set again, since that would only repaint the whole window.
    void SetRoundedShape(int ellipse);

    Form* Owner() const { return owner_; }
    // Centres the form on another form's window (or on the primary work area when null).
    void CenterOn(const Form* other);

    // Takes a new DPI as WM_DPICHANGED gives it: the DPI, then the window to the suggested rectangle
    // (none: the current one, scaled about its top-left corner).
    void ChangeDpi(int dpi, const RECT* suggested);

    // The windowless push buttons that screen readers see on the form's client object, in order,
    // listed afresh for every question they ask. A form that lists none keeps the system's own
    // client object.
    virtual std::vector<AccessibleButton> AccessibleButtons() { return {}; }
    // Tells screen readers that the name of the listed button with that key changed.
    void AccessibleButtonRenamed(int key);

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The window size at another DPI (WM_GETDPISCALEDSIZE): the same size at 96 DPI.
    virtual SIZE ScaledSize(int dpi) const;
    void HandlerReturned() override;
    // The caption text changed (after the window has the new text).
    virtual void TextChanged() {}
    // The show command for the current window state.
    int ShowCommand() const;

  private:
    friend class Application;
    friend void AdoptForm(FormPtr<Form> form);

    // Handles messages until a modal result is set and the close query and close event accept it.
    void RunModalLoop();
    void ApplyPosition();
    void FreeOwnedForms();

    Form* owner_;
    // The forms this one holds (made by CreateForm with this form as their owner).
    std::vector<FormPtr<Form>> ownedForms_;
    // A release that came while a handler of the form ran or its modal loop was on the stack.
    bool releasePending_ = false;
    WindowState windowState_ = WindowState::Normal;
    FormStyle style_;
    Position position_;
    bool modal_ = false;
    int modalResult_ = kModalNone;
    bool destroyed_ = false;
    bool dialogNavigation_ = false;
    // While a DPI change moves the window: its WM_SIZE does not relayout, the change does so once.
    bool changingDpi_ = false;
    // The client object of the buttons, once a screen reader has asked for it; cut off from the form
    // when the window goes.
    std::unique_ptr<AccessibleButtonsClient> accessible_;
};

// Gives a new form to its holder: its owner form, or else the application.
void AdoptForm(FormPtr<Form> form);

// Makes a form (T(args...)), hands it to its holder and runs its creation. The holder frees it.
template <typename T, typename... Args>
T& CreateForm(Args&&... args) {
    FormPtr<T> made(new T(std::forward<Args>(args)...));
    T& form = *made;
    AdoptForm(FormPtr<Form>(std::move(made)));
    form.DoCreate();
    return form;
}

}  // namespace tk
