// TrayIcon: one notification-area icon with a hint, shown or hidden, reporting double-clicks and
// released mouse buttons (with the cursor position on the screen), and able to show a balloon
// message once. It re-adds itself when the shell restarts (the "TaskbarCreated" broadcast), so a
// restarted task bar does not lose it.
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
    // Asks the shell to show a balloon with a title and a text beside the visible icon; answers
    // whether the shell took the request (false for a hidden icon).
    bool ShowBalloon(const std::wstring& title, const std::wstring& text);

    // The hidden window that receives the icon's messages.
    HWND Handle() const { return window_.Get(); }

    std::function<void()> OnDblClick;
    std::function<void(MouseButton, int x, int y)> OnMouseUp;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCallback(LPARAM mouseMessage);
    // Adds, modifies or deletes the icon; a balloon, when given, goes with a modification.
    bool Notify(DWORD action, const std::wstring* balloonTitle = nullptr,
                const std::wstring* balloonText = nullptr);

    UniqueWindow window_;
    UniqueIcon icon_;
    std::wstring hint_;
    bool visible_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace tk
