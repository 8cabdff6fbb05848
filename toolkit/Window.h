// Window: one window handle bound to one object. Every window the toolkit makes (forms, windowed
// controls, the tray icon's, the popup menu's and the application's windows) is a Window:
// - the handle is tied to its object one way, GWLP_USERDATA, set at WM_NCCREATE (for a subclassed
//   system control, right after creation);
// - every message reaches the object's WndProc through one noexcept procedure, which is the event
//   boundary: a failure is logged and reported in the standard error box, and the program goes on;
// - the object unbinds itself before its window is destroyed in its destructor, so a message never
//   reaches an object that is being destroyed; no virtual call is made from a destructor.
#pragma once

#include <windows.h>

#include <string>

namespace tk {

// How to make a window.
struct WindowParams {
    std::wstring className;    // one of our own classes (registered on first use), or a system class
    bool systemClass = false;  // subclassed after creation
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parentOrOwner = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    UINT classStyle = CS_DBLCLKS;
    HICON icon = nullptr;
    const char* what = "a window";  // names the window in the error raised when none is made

    // A visible child window of `parent` at the given place.
    static WindowParams Child(HWND parent, std::wstring className, bool systemClass, DWORD style, int left,
                              int top, int width, int height);
    // A hidden tool window that only receives messages (and broadcasts, which message-only windows miss).
    static WindowParams Hidden(std::wstring className, const char* what);
};

class Window {
  public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }

    // The live object bound to a window the toolkit made, or nullptr for any other window.
    static Window* FromHandle(HWND window);

    // Whether one of this window's messages is being handled (further up the stack).
    bool InHandler() const { return depth_ > 0; }
    unsigned long long Serial() const { return serial_; }

  protected:
    Window();
    // Unbinds, then destroys the window if it still exists.
    virtual ~Window();

    // Makes and binds the window; raises base::Error when the system gives none.
    void CreateHandle(const WindowParams& params);
    // Destroys the window while it is bound: the object's WndProc sees WM_DESTROY and WM_NCDESTROY.
    void DestroyHandle();
    // Cuts the tie between the window and this object (a subclassed control gets its own procedure
    // back); the window lives on until it is destroyed. Destructors call it before anything else.
    void Unbind();

    // The message handler. Overrides handle what they need and pass everything else to their base;
    // the default is the window class's own procedure.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's own procedure (DefWindowProc, or the subclassed system class's).
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    bool OwnClass() const { return defaultProc_ == DefWindowProcW; }
    // Called when the outermost handler of one of this window's messages has returned.
    virtual void HandlerReturned() {}

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Bind(HWND window);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = DefWindowProcW;
    // How many of this window's messages are being handled, nested.
    int depth_ = 0;
    // Tells this object from a later one at the same address.
    const unsigned long long serial_;
};

}  // namespace tk
