// Velmora.exe's skinned window driven with the mouse from outside, as a user would: the system's own
// move and size loops follow the window's hit-test answers.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;

namespace {

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

void Button(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
    Sleep(60);
}

// Presses at (x, y), moves by (dx, dy) in steps and lets go.
void Drag(int x, int y, int dx, int dy) {
    MouseTo(x, y);
    Button(true);
    for (int step = 1; step <= 10; ++step) {
        MouseTo(x + dx * step / 10, y + dy * step / 10);
    }
    Button(false);
    Sleep(200);
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

}  // namespace

TEST(SkinnedWindow, LoginWindowDragsByItsCaptionButItsBordersDoNotResizeIt) {
    VelmoraProcess velmora;
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    Sleep(300);
    const RECT start = WindowRect(window);
    ASSERT_EQ(start.right - start.left, 400);

    Drag(start.left + 100, start.top + 15, 120, 60);
    const RECT moved = WindowRect(window);
    EXPECT_EQ(moved.left, start.left + 120);
    EXPECT_EQ(moved.top, start.top + 60);
    EXPECT_EQ(moved.right - moved.left, 400);

    // The compact window is not resizable: its edges are client area.
    Drag(moved.right - 2, moved.top + 150, 100, 0);
    Drag(moved.right - 2, moved.bottom - 2, 150, 100);
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, moved.left);
    EXPECT_EQ(after.right - after.left, 400);
    EXPECT_EQ(after.bottom - after.top, 250);
}
