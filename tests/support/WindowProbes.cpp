#include "support/WindowProbes.h"

#include <shellapi.h>

#include <functional>

#include "support/Wait.h"

#include "toolkit/GdiHandles.h"

namespace testsupport {
namespace {

struct Search {
    DWORD processId;
    std::wstring className;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->processId || (search->visibleOnly && !IsWindowVisible(window))) {
        return TRUE;
    }
    wchar_t cls[256] = {};
    GetClassNameW(window, cls, 256);
    if (search->className == cls) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " +
           std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

bool CursorIsAt(POINT p) {
    POINT now{};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

bool InMoveSizeLoop(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

}  // namespace

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

testing::AssertionResult WindowComesTo(HWND window, int left, int top, int width, int height, int timeoutMs) {
    auto at = [&] {
        const RECT r = WindowRect(window);
        return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
    };
    if (WaitUntil(at, timeoutMs)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the window is at " << Describe(WindowRect(window)) << ", not at "
                                       << Describe(RECT{left, top, left + width, top + height});
}

testing::AssertionResult WindowSizeComesTo(HWND window, int width, int height, int timeoutMs) {
    auto sized = [&] {
        const RECT r = WindowRect(window);
        return r.right - r.left == width && r.bottom - r.top == height;
    };
    if (WaitUntil(sized, timeoutMs)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "the window is " << Describe(WindowRect(window)) << ", not " << width << " x " << height;
}

std::vector<HWND> WindowsOf(DWORD processId, const std::wstring& className, bool visibleOnly) {
    Search search{processId, className, visibleOnly, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsAbove(HWND a, HWND b) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == a) {
            return true;
        }
        if (w == b) {
            return false;
        }
    }
    return false;
}

tk::UniqueWindow WindowInFrontOf(HWND window) {
    tk::UniqueWindow front(CreateWindowExW(0, L"STATIC", L"other program", WS_POPUP | WS_VISIBLE, 400, 200,
                                           600, 400, nullptr, nullptr, nullptr, nullptr));
    if (!front) {
        return front;
    }
    const bool inFront = WaitUntil([&] {
        SetWindowPos(front.Get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(front.Get());
        Sleep(50);  // lets the window manager settle before the order is read
        return IsAbove(front.Get(), window);
    });
    return inFront ? std::move(front) : tk::UniqueWindow();
}

bool HotKeyIsHeld(UINT modifiers, UINT key) {
    const int probeId = 0xBFF0;
    if (RegisterHotKey(nullptr, probeId, modifiers, key)) {
        UnregisterHotKey(nullptr, probeId);
        return false;
    }
    return true;
}

bool ShellHasIcon(HWND iconWindow, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = iconWindow;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void ClickAt(HWND window, int x, int y) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

LRESULT HitTest(HWND window, int x, int y) {
    POINT p{x, y};
    ClientToScreen(window, &p);
    return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

COLORREF ClientPixel(HWND window, int x, int y) {
    tk::WindowDc dc(window);
    return GetPixel(dc.Get(), x, y);
}

COLORREF PaintedPixel(HWND window, int x, int y) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return ClientPixel(window, x, y) & 0xFFFFFF;
}

MouseDrag::MouseDrag(POINT from, int dx, int dy, DWORD loopThread) : loopThread_(loopThread) {
    events_.push_back({0, from});
    events_.push_back({MOUSEEVENTF_LEFTDOWN, from});
    for (int step = 1; step <= 10; ++step) {
        events_.push_back({0, POINT{from.x + dx * step / 10, from.y + dy * step / 10}});
    }
    events_.push_back({MOUSEEVENTF_LEFTUP, POINT{from.x + dx, from.y + dy}});
}

bool MouseDrag::Arrived() const {
    if (sent_ == 0) {
        return true;
    }
    const auto& [flags, at] = events_[sent_ - 1];
    if (!CursorIsAt(at)) {
        return false;
    }
    if (loopThread_ && flags == MOUSEEVENTF_LEFTDOWN) {
        return InMoveSizeLoop(loopThread_);
    }
    if (loopThread_ && flags == MOUSEEVENTF_LEFTUP) {
        return !InMoveSizeLoop(loopThread_);
    }
    return true;
}

bool MouseDrag::Step() {
    const bool arrived = Arrived() || GetTickCount() - sentAt_ > 2000;
    if (!arrived) {
        return false;
    }
    if (sent_ == events_.size()) {
        return true;
    }
    const auto& [flags, at] = events_[sent_];
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    ++sent_;
    sentAt_ = GetTickCount();
    return false;
}

namespace {

MouseDrag* timerDrag = nullptr;
bool timerDragDone = false;

void CALLBACK StepTimerDrag(HWND, UINT, UINT_PTR, DWORD) {
    if (timerDrag && !timerDragDone) {
        timerDragDone = timerDrag->Step();
    }
}

}  // namespace

void DragWithMouseHere(POINT from, int dx, int dy) {
    MouseDrag drag(from, dx, dy, GetCurrentThreadId());
    timerDrag = &drag;
    timerDragDone = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 5, &StepTimerDrag);
    WaitUntil([] { return timerDragDone; }, 30000);
    KillTimer(nullptr, timer);
    timerDrag = nullptr;
}

void DragWithMouse(POINT from, int dx, int dy, DWORD loopThread) {
    MouseDrag drag(from, dx, dy, loopThread);
    while (!drag.Step()) {
        Sleep(2);
    }
}

}  // namespace testsupport
