#include "toolkit/TrayIcon.h"

#include <shellapi.h>

#include "base/Error.h"
#include "base/Log.h"
#include "toolkit/Application.h"
#include "toolkit/WindowClass.h"

namespace tk {
namespace {

const UINT kCallbackMessage = WM_APP + 0x3F10;
const UINT kIconId = 1;

}  // namespace

TrayIcon::TrayIcon() {
    // A hidden top-level window (not message-only, which would miss the TaskbarCreated broadcast). Without
    // it there is no icon; the program goes on, and the log says why.
    try {
        const std::wstring className = ClassName(L"TrayIcon");
        RegisterWindowClass({className, &TrayIcon::WindowProc});
        window_.Reset(CreateToolkitWindow(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          this, "the tray icon's window"));
    } catch (const base::Error& e) {
        base::LogF("No tray icon: %s", e.what());
    }
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    if (visible_) {
        Notify(NIM_DELETE);
    }
    if (window_) {
        SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        try {
            if (message == kCallbackMessage) {
                self->HandleCallback(lParam);
                return 0;
            }
            if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
                if (self->visible_) {
                    self->Notify(NIM_ADD);
                }
                return 0;
            }
        } catch (...) {
            Application::Instance().HandleException();
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TrayIcon::HandleCallback(LPARAM mouseMessage) {
    POINT at{};
    GetCursorPos(&at);
    switch (LOWORD(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            if (OnDblClick) {
                OnDblClick();
            }
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (OnMouseUp) {
                const MouseButton button = LOWORD(mouseMessage) == WM_LBUTTONUP   ? MouseButton::Left
                                           : LOWORD(mouseMessage) == WM_RBUTTONUP ? MouseButton::Right
                                                                                  : MouseButton::Middle;
                OnMouseUp(button, at.x, at.y);
            }
            break;
        default:
            break;
    }
}

bool TrayIcon::Notify(DWORD action, const std::wstring* balloonTitle, const std::wstring* balloonText) {
    if (!window_) {
        return false;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_.Get();
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_.Get();
    lstrcpynW(data.szTip, hint_.c_str(), ARRAYSIZE(data.szTip));
    if (balloonTitle && balloonText) {
        data.uFlags |= NIF_INFO;
        data.dwInfoFlags = NIIF_INFO;
        lstrcpynW(data.szInfoTitle, balloonTitle->c_str(), ARRAYSIZE(data.szInfoTitle));
        lstrcpynW(data.szInfo, balloonText->c_str(), ARRAYSIZE(data.szInfo));
    }
    if (!Shell_NotifyIconW(action, &data)) {
        // Modifying or deleting an icon the shell no longer has is expected after a shell restart; a failed
        // add means the user has no icon, a failed balloon that the user was not told.
        if (action == NIM_ADD || balloonTitle) {
            base::LogF("The tray icon could not be %s (error %lu)",
                       action == NIM_ADD ? "added" : "given a balloon", GetLastError());
        }
        return false;
    }
    return true;
}

bool TrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    return visible_ && Notify(NIM_MODIFY, &title, &text);
}

void TrayIcon::SetIcon(HICON icon) {
    icon_.Reset(icon ? CopyIcon(icon) : nullptr);
    if (visible_) {
        Notify(NIM_MODIFY);
    }
}

void TrayIcon::SetHint(const std::wstring& hint) {
    hint_ = hint;
    if (visible_) {
        Notify(NIM_MODIFY);
    }
}

void TrayIcon::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    Notify(visible ? NIM_ADD : NIM_DELETE);
}

}  // namespace tk
