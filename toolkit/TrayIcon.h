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
#include "toolkit/Window.h"

namespace tk {

class TrayIcon : public Window {
  public:
    TrayIcon();
    ~TrayIcon() override;

    void SetIcon(HICON icon);  // copied; the caller keeps its own
    HICON Icon() const { return icon_.Get(); }
    void SetHint(const std::wstring& hint);
    const std::wstring& Hint() const { return hint_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    // Asks the shell to show a balloon with a title and a text beside the visible icon; answers
    // whether the shell took the request (false for a hidden icon).
    bool ShowBalloon(const std::wstring& title, const std::wstring& text);

    // Handle(): the hidden window that receives the icon's messages (nullptr when it could not be made).

    std::function<void()> OnDblClick;
    std::function<void(MouseButton, int x, int y)> OnMouseUp;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void HandleCallback(LPARAM mouseMessage);
    // Adds, modifies or deletes the icon; a balloon, when given, goes with a modification.
    bool Notify(DWORD action, const std::wstring* balloonTitle = nullptr,
                const std::wstring* balloonText = nullptr);

    UniqueIcon icon_;
    std::wstring hint_;
    bool visible_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace tk
