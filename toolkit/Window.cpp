#include "toolkit/Window.h"

#include <unordered_set>

#include "base/Log.h"
#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"

namespace tk {
namespace {

// The objects that exist now. A window's GWLP_USERDATA is only taken for one of them when the value is
// here: another program's or a system control's window may carry any value there. The set lives as
// long as the process, so windows that go in static destructors still find it.
std::unordered_set<const Window*>& LiveWindows() {
    static auto* live = new std::unordered_set<const Window*>();
    return *live;
}

// Reports a failure that reached the boundary; never raises itself, since nothing is above it.
void ReportAtBoundary() noexcept {
    try {
        Application::Instance().HandleException();
    } catch (...) {
        try {
            base::Log("An error could not be reported");
        } catch (...) {
        }
    }
}

unsigned long long lastSerial = 0;

// Whether the object is still the one that was there (not freed, nor replaced at the same address).
bool StillThere(const Window* window, unsigned long long serial) {
    return LiveWindows().contains(window) && window->Serial() == serial;
}

}  // namespace

WindowParams WindowParams::Child(HWND parent, std::wstring className, bool systemClass, DWORD style, int left,
                                 int top, int width, int height) {
    WindowParams p;
    p.className = std::move(className);
    p.systemClass = systemClass;
    p.style = WS_CHILD | WS_VISIBLE | style;
    p.parentOrOwner = parent;
    p.left = left;
    p.top = top;
    p.width = width;
    p.height = height;
    return p;
}

WindowParams WindowParams::Hidden(std::wstring className, const char* what) {
    WindowParams p;
    p.className = std::move(className);
    p.style = WS_POPUP;
    p.exStyle = WS_EX_TOOLWINDOW;
    p.classStyle = 0;
    p.what = what;
    return p;
}

Window::Window() : serial_(++lastSerial) {
    LiveWindows().insert(this);
}

Window::~Window() {
    Unbind();
    if (handle_) {
        DestroyWindow(handle_);
        handle_ = nullptr;
    }
    LiveWindows().erase(this);
}

Window* Window::FromHandle(HWND window) {
    if (!window) {
        return nullptr;
    }
    auto* bound = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!bound || !LiveWindows().contains(bound)) {
        return nullptr;
    }
    return bound->handle_ == window ? bound : nullptr;
}

void Window::CreateHandle(const WindowParams& p) {
    if (p.systemClass) {
        HWND window = CreateToolkitWindow(p.exStyle, p.className, p.text.c_str(), p.style, p.left, p.top,
                                          p.width, p.height, p.parentOrOwner, nullptr, p.what);
        Bind(window);
        defaultProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
        return;
    }
    RegisterWindowClass(
        {p.className, &Window::Procedure, p.classStyle, p.icon, LoadCursorW(nullptr, IDC_ARROW)});
    defaultProc_ = DefWindowProcW;
    // WM_NCCREATE binds the window.
    CreateToolkitWindow(p.exStyle, p.className, p.text.c_str(), p.style, p.left, p.top, p.width, p.height,
                        p.parentOrOwner, this, p.what);
}

void Window::Bind(HWND window) {
    handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() {
    if (!handle_ || FromHandle(handle_) != this) {
        return;
    }
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    if (!OwnClass()) {
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
    }
}

void Window::DestroyHandle() {
    if (handle_) {
        DestroyWindow(handle_);  // WM_NCDESTROY clears handle_
        handle_ = nullptr;
    }
}

LRESULT Window::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultHandler(message, wParam, lParam);
}

LRESULT Window::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(defaultProc_, handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Window* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self && LiveWindows().contains(self)) {
            self->Bind(window);
        } else {
            self = nullptr;
        }
    }
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const unsigned long long serial = self->serial_;
    LRESULT result = 0;
    ++self->depth_;
    try {
        result = self->WndProc(message, wParam, lParam);
    } catch (...) {
        ReportAtBoundary();
    }
    // The handler may have freed the object (a control deleted by its own click).
    if (StillThere(self, serial) && --self->depth_ == 0) {
        try {
            self->HandlerReturned();
        } catch (...) {
            ReportAtBoundary();
        }
    }
    if (message == WM_NCDESTROY) {
        // The handler may have freed the object: it is only touched if it is still bound.
        if (Window* still = FromHandle(window)) {
            still->Unbind();
            still->handle_ = nullptr;
        }
    }
    return result;
}

}  // namespace tk
