// TrayIcon: one notification-area icon with a hint, shown or hidden, reporting double-clicks and
// released mouse buttons (with the cursor position on the screen). It re-adds itself when the shell
// restarts (the "TaskbarCreated" broadcast), so a restarted task bar does not lose it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/GdiHandles.h"

namespace tk {

class TrayIcon {
  public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void SetIcon(HICON icon);  // copied; the caller keeps its own
    void SetHint(const std::wstring& hint);
    const std::wstring& Hint() const { return hint_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }

    // The hidden window that receives the icon's messages.
    HWND Handle() const { return window_.Get(); }

    std::function<void()> OnDblClick;
    std::function<void(MouseButton, int x, int y)> OnMouseUp;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCallback(LPARAM mouseMessage);
    bool Notify(DWORD action);

    UniqueWindow window_;
    UniqueIcon icon_;
    std::wstring hint_;
    bool visible_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace tk
