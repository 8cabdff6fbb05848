#include "toolkit/TrayIcon.h"

#include <shellapi.h>

#include "base/Error.h"
#include "base/Log.h"
#include "base/Slot.h"
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
        CreateHandle(WindowParams::Hidden(ClassName(L"TrayIcon"), "the tray icon's window"));
    } catch (const base::Error& e) {
        base::LogF("No tray icon: %s", e.what());
    }
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

TrayIcon::~TrayIcon() {
    if (visible_) {
        Notify(NIM_DELETE);
    }
}

LRESULT TrayIcon::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCallbackMessage) {
        HandleCallback(lParam);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (visible_) {
            Notify(NIM_ADD);
        }
        return 0;
    }
    return Window::WndProc(message, wParam, lParam);
}

void TrayIcon::HandleCallback(LPARAM mouseMessage) {
    POINT at{};
    GetCursorPos(&at);
    switch (LOWORD(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            base::Fire(OnDblClick);
            break;
        case WM_LBUTTONUP:
            base::Fire(OnMouseUp, MouseButton::Left, static_cast<int>(at.x), static_cast<int>(at.y));
            break;
        case WM_RBUTTONUP:
            base::Fire(OnMouseUp, MouseButton::Right, static_cast<int>(at.x), static_cast<int>(at.y));
            break;
        default:
            break;
    }
}

bool TrayIcon::Notify(DWORD action, const std::wstring* balloonTitle, const std::wstring* balloonText) {
    if (!Handle()) {
        return false;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
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
            base::LogF("The tray icon could not be %s (%s)", action == NIM_ADD ? "added" : "given a balloon",
                       base::ErrorText(GetLastError()).c_str());
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
