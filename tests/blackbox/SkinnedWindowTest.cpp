// Velmora.exe's skinned window driven with the mouse from outside, as a user would: the system's own
// move and size loops must follow the window's hit-test answers.
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

TEST(SkinnedWindow, DragsByTheCaptionAndResizesByItsBordersDownToTheMinimumSize) {
    VelmoraProcess velmora;
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    Sleep(300);
    const RECT start = WindowRect(window);
    const int width = start.right - start.left;

    Drag(start.left + 100, start.top + 15, 120, 60);
    RECT r = WindowRect(window);
    EXPECT_EQ(r.left, start.left + 120);
    EXPECT_EQ(r.top, start.top + 60);
    EXPECT_EQ(r.right - r.left, width);

    // The right border is the outer 5 pixels.
    Drag(r.right - 2, r.top + 300, 100, 0);
    const RECT wider = WindowRect(window);
    EXPECT_EQ(wider.right - wider.left, width + 100);
    EXPECT_EQ(wider.left, r.left);

    // Dragged far inward, the bottom-right corner stops at 800 x 600.
    Drag(wider.right - 2, wider.bottom - 2, -400, -300);
    r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 600);
    EXPECT_EQ(r.left, wider.left);
    EXPECT_EQ(r.top, wider.top);
}
