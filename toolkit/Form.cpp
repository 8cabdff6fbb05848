#include "toolkit/Form.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"
#include "toolkit/GdiHandles.h"
#include "base/Error.h"
#include "base/Slot.h"

namespace tk {
namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM param) {
    auto* list = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    if (window != list->first && IsWindowVisible(window) && IsWindowEnabled(window)) {
        list->second.push_back(window);
    }
    return TRUE;
}

RECT WorkAreaOf(HWND window) {
    RECT work{};
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && GetMonitorInfoW(monitor, &mi)) {
        work = mi.rcWork;
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    }
    return work;
}

}  // namespace

void FormDeleter::operator()(Form* form) const {
    if (form) {
        form->Destroy();
        delete form;
    }
}

void AdoptForm(FormPtr<Form> form) {
    if (!form) {
        return;
    }
    if (Form* owner = form->owner_) {
        owner->ownedForms_.push_back(std::move(form));
    } else {
        Application::Instance().Hold(std::move(form));
    }
}

Form::Form(const FormDesign& design)
    : WinControl(nullptr), owner_(design.owner), style_(design.style), position_(design.position) {
    visible_ = false;
    WinControl::SetColor(design.color);
    Application& app = Application::Instance();
    WindowParams p;
    p.className = design.className.empty() ? ClassName(L"Form") : design.className;
    p.text = design.caption;
    p.style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (design.minimizeBox) {
        p.style |= WS_MINIMIZEBOX;
    }
    if (design.maximizeBox) {
        p.style |= WS_MAXIMIZEBOX;
    }
    if (design.systemMenu) {
        p.style |= WS_SYSMENU;
    }
    p.exStyle = design.style == FormStyle::StayOnTop ? WS_EX_TOPMOST : 0;
    p.parentOrOwner = owner_ && owner_->Handle() ? owner_->Handle() : app.Handle();
    p.left = design.left;
    p.top = design.top;
    p.width = design.clientWidth;
    p.height = design.clientHeight;
    p.icon = design.icon;
    p.what = "a form's window";
    CreateHandle(p);
    // The design is at 96 DPI; a window made on a display of another scale takes its size there.
    if (Dpi() != DpiScale::kDesignDpi) {
        const DpiScale scale = Scale();
        SetBounds(Left(), Top(), scale.ToPixels(design.clientWidth), scale.ToPixels(design.clientHeight));
    }
    app.AddForm(this);
}

Form::~Form() {
    // Normally Destroy has run (FormDeleter). Deleted without it (an error while it was being made):
    // tidy up without running hooks or events.
    Unbind();
    accessible_.reset();
    destroyed_ = true;
    while (!ownedForms_.empty()) {
        FormPtr<Form> child = std::move(ownedForms_.back());
        ownedForms_.pop_back();
        child->owner_ = nullptr;
    }
    Application::Instance().RemoveForm(this);
}

void Form::DoCreate() {
    try {
        FormCreate();
        base::Fire(OnCreate);
    } catch (...) {
        Application::Instance().HandleException();
    }
}

void Form::Destroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    Application& app = Application::Instance();
    try {
        FormDestroy();
        base::Fire(OnDestroy);
    } catch (...) {
        app.HandleException();
    }
    FreeOwnedForms();
    visible_ = false;
    DestroyHandle();
    app.RemoveForm(this);
    app.UpdateVisible();
}

void Form::FreeOwnedForms() {
    while (!ownedForms_.empty()) {
        FormPtr<Form> child = std::move(ownedForms_.back());
        ownedForms_.pop_back();
        child->owner_ = nullptr;
        if (child->IsModal()) {
            // Its modal loop is still running further up the stack: end that loop and let the
            // application free the form once the loop has been left.
            child->modalResult_ = kModalCancel;
            child->releasePending_ = true;
            child->Destroy();
            Application::Instance().Hold(std::move(child));
        }
        // Otherwise the child goes here, with its own owned forms.
    }
}

void Form::Show() {
    SetVisible(true);
    BringToFront();
}

void Form::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    Application& app = Application::Instance();
    if (visible) {
        try {
            FormShow();
            base::Fire(OnShow);
        } catch (...) {
            app.HandleException();
        }
        ApplyPosition();
        ShowWindow(Handle(), ShowCommand());
        if (style_ == FormStyle::StayOnTop) {
            SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
    app.UpdateVisible();
}

int Form::ShowCommand() const {
    switch (windowState_) {
        case WindowState::Maximized:
            return SW_SHOWMAXIMIZED;
        case WindowState::Minimized:
            return SW_SHOWMINIMIZED;
        default:
            return SW_SHOWNORMAL;
    }
}

namespace {

// Disables the thread's visible, enabled windows but one while it lives, and re-enables exactly those
// (that still exist) when it goes, however the modal loop ends.
class DisabledWindows {
  public:
    explicit DisabledWindows(HWND except) {
        std::pair<HWND, std::vector<HWND>> collected{except, {}};
        EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&collected));
        windows_ = std::move(collected.second);
        for (HWND w : windows_) {
            EnableWindow(w, FALSE);
        }
    }
    ~DisabledWindows() {
        for (HWND w : windows_) {
            if (IsWindow(w)) {
                EnableWindow(w, TRUE);
            }
        }
    }
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;

  private:
    std::vector<HWND> windows_;
};

}  // namespace

int Form::ShowModal() {
    if (visible_ || modal_) {
        throw base::Error("Cannot make a visible window modal");
    }
    if (GetCapture()) {
        ReleaseCapture();
    }
    HWND previouslyActive = GetActiveWindow();
    {
        DisabledWindows disabled(Handle());
        modal_ = true;
        modalResult_ = kModalNone;
        try {
            RunModalLoop();
        } catch (...) {
            // The loop is over either way: the form goes as after any modal result, and the other windows
            // are enabled again on the way out.
            modal_ = false;
            SetVisible(false);
            throw;
        }
    }
    const int result = modalResult_;
    SetVisible(false);
    modal_ = false;
    if (previouslyActive && IsWindow(previouslyActive)) {
        SetActiveWindow(previouslyActive);
    }
    if (releasePending_) {
        Release();
    }
    return result;
}

void Form::RunModalLoop() {
    Application& app = Application::Instance();
    Show();
    while (modalResult_ == kModalNone) {
        app.HandleMessage();
        if (app.Terminated()) {
            modalResult_ = kModalCancel;
        } else if (modalResult_ != kModalNone) {
            // The close query may veto; the close event decides whether the form is freed.
            bool canClose = CloseQuery();
            CloseAction action = canClose ? CloseAction::Hide : CloseAction::None;
            if (canClose) {
                FormClose(action);
                base::Fire(OnClose, action);
            }
            if (action == CloseAction::None) {
                modalResult_ = kModalNone;
            } else if (action == CloseAction::Free) {
                Release();
            }
        }
    }
}

bool Form::CloseQuery() {
    bool canClose = true;
    FormCloseQuery(canClose);
    base::Fire(OnCloseQuery, canClose);
    return canClose;
}

void Form::Close() {
    if (modal_) {
        modalResult_ = kModalCancel;
        return;
    }
    if (!CloseQuery()) {
        return;
    }
    CloseAction action = CloseAction::Hide;
    FormClose(action);
    base::Fire(OnClose, action);
    if (action == CloseAction::None) {
        return;
    }
    Application& app = Application::Instance();
    if (app.MainForm() == this) {
        app.Terminate();
        return;
    }
    switch (action) {
        case CloseAction::Hide:
            SetVisible(false);
            break;
        case CloseAction::Free:
            Release();
            break;
        default:
            break;
    }
}

void Form::Release() {
    if (InHandler() || modal_) {
        releasePending_ = true;  // HandlerReturned or the end of the modal loop asks again
        return;
    }
    releasePending_ = false;
    Application::Instance().ReleaseForm(*this);
}

void Form::HandlerReturned() {
    WinControl::HandlerReturned();
    if (releasePending_ && !modal_) {
        Release();
    }
}

std::wstring Form::Caption() const {
    if (!Handle()) {
        return {};
    }
    int n = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(Handle(), text.data(), n + 1);
    text.resize(static_cast<size_t>(std::max(0, n)));
    return text;
}

void Form::SetCaption(const std::wstring& caption) {
    if (Handle()) {
        SetWindowTextW(Handle(), caption.c_str());
    }
}

void Form::SetWindowState(WindowState state) {
    if (windowState_ == state) {
        return;
    }
    windowState_ = state;
    if (visible_ && Handle()) {
        ShowWindow(Handle(), state == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                             : state == WindowState::Minimized ? SW_MINIMIZE
                                                               : SW_SHOWNORMAL);
    }
}

void Form::SetFormStyle(FormStyle style) {
    style_ = style;
    if (Handle()) {
        SetWindowPos(Handle(), style == FormStyle::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Form::CenterOn(const Form* other) {
    RECT area;
    if (other && other->Handle()) {
        GetWindowRect(other->Handle(), &area);
    } else {
        area = WorkAreaOf(Handle());
    }
    int left = area.left + ((area.right - area.left) - Width()) / 2;
    int top = area.top + ((area.bottom - area.top) - Height()) / 2;
    // Keep the whole window on the work area of the monitor it lands on.
    RECT work = WorkAreaOf(other && other->Handle() ? other->Handle() : Handle());
    left = std::max<int>(work.left, std::min<int>(left, work.right - Width()));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - Height()));
    SetBounds(left, top, Width(), Height());
}

void Form::SetRoundedShape(int ellipse) {
    if (!Handle()) {
        return;
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    UniqueRegion region(
        CreateRoundRectRgn(0, 0, r.right - r.left + 1, r.bottom - r.top + 1, ellipse, ellipse));
    if (!region) {
        return;
    }
    // Compared by their difference: the system may keep the same shape as other rectangles.
    UniqueRegion current(CreateRectRgn(0, 0, 0, 0));
    if (current && GetWindowRgn(Handle(), current.Get()) != ERROR &&
        CombineRgn(current.Get(), current.Get(), region.Get(), RGN_XOR) == NULLREGION) {
        return;
    }
    if (SetWindowRgn(Handle(), region.Get(), TRUE)) {
        region.Release();
    }
}

void Form::ChangeDpi(int dpi, const RECT* suggested) {
    if (!DpiScale::Plausible(dpi)) {
        return;  // not a display's scale: a stray message
    }
    const int old = Dpi();
    SetDpi(dpi);
    RECT target = suggested ? *suggested
                            : RECT{Left(), Top(), Left() + Scale().FromDpi(Width(), old),
                                   Top() + Scale().FromDpi(Height(), old)};
    {
        changingDpi_ = true;
        DpiChanged();
        FormDpiChanged();
        if (Handle()) {
            SetWindowPos(Handle(), nullptr, target.left, target.top, target.right - target.left,
                         target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
        changingDpi_ = false;
    }
    Realign();
    FormResize();
    base::Fire(OnResize);
    if (Handle()) {
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void Form::AccessibleButtonRenamed(int key) {
    if (Handle()) {
        NotifyButtonNameChanged(Handle(), AccessibleButtons(), key);
    }
}

SIZE Form::ScaledSize(int dpi) const {
    const DpiScale to(dpi);
    return SIZE{to.FromDpi(Width(), Dpi()), to.FromDpi(Height(), Dpi())};
}

void Form::ApplyPosition() {
    switch (position_) {
        case Position::OwnerFormCenter:
            CenterOn(owner_ ? owner_ : Application::Instance().MainForm());
            break;
        case Position::MainFormCenter:
            CenterOn(Application::Instance().MainForm());
            break;
        default:
            break;
    }
}

LRESULT Form::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = Application::Instance();
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case WM_QUERYENDSESSION:
            return CloseQuery() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam && app.MainForm() == this) {
                app.EndSession();  // destroys this form's window; the object lives until Finalize
                return 0;
            }
            break;
        case WM_ACTIVATEAPP:
            app.SetActive(wParam != FALSE);
            break;
        case WM_WINDOWPOSCHANGED: {
            // Keep the visible flag true to the window, also when someone else shows or hides it.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) {
                visible_ = (pos->flags & SWP_SHOWWINDOW) != 0;
                app.UpdateVisible();
            }
            break;
        }
        case WM_SIZE: {
            LRESULT r = WinControl::WndProc(message, wParam, lParam);
            if (wParam == SIZE_MAXIMIZED) {
                windowState_ = WindowState::Maximized;
            } else if (wParam == SIZE_MINIMIZED) {
                windowState_ = WindowState::Minimized;
            } else if (wParam == SIZE_RESTORED) {
                windowState_ = WindowState::Normal;
            }
            if (!changingDpi_) {
                FormResize();
                base::Fire(OnResize);
            }
            return r;
        }
        // The system sends these from the window's own thread while it moves the window; a pointer
        // that another thread or program sent is not read.
        case WM_DPICHANGED:
            ChangeDpi(LOWORD(wParam), InSendMessage() ? nullptr : reinterpret_cast<const RECT*>(lParam));
            return 0;
        case kWmGetDpiScaledSize:
            if (InSendMessage() || !lParam || !DpiScale::Plausible(static_cast<int>(wParam))) {
                return FALSE;  // the system scales the size itself
            }
            *reinterpret_cast<SIZE*>(lParam) = ScaledSize(static_cast<int>(wParam));
            return TRUE;
        case WM_SETTEXT: {
            LRESULT r = WinControl::WndProc(message, wParam, lParam);
            TextChanged();
            // The client object is named by the caption.
            if (accessible_) {
                NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
            }
            return r;
        }
        case WM_GETOBJECT:
            // The object id is a 32-bit value, however the message's sender widened it.
            if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT &&
                (accessible_ || !AccessibleButtons().empty())) {
                if (!accessible_) {
                    accessible_ = std::make_unique<AccessibleButtonsClient>(
                        Handle(), [this] { return AccessibleButtons(); });
                }
                return accessible_->Answer(wParam);
            }
            break;
        case kWmAccessiblePress:
            PressShownButton(AccessibleButtons(), wParam);
            return 0;
        case WM_NCDESTROY:
            accessible_.reset();  // a client still holding the object finds it disconnected
            break;
        default:
            break;
    }
    return WinControl::WndProc(message, wParam, lParam);
}

}  // namespace tk
