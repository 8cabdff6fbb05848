// Velmora.exe's skinned window driven with the mouse from outside, as a user would: the system's own
// move and size loops follow the window's hit-test answers.
#include <gtest/gtest.h>

#include "VelmoraProcess.h"
#include "support/TestFiles.h"

using blackbox::VelmoraProcess;
using blackbox::WaitUntil;
using testsupport::DragWithMouse;
using testsupport::WindowComesTo;

TEST(SkinnedWindow, LoginWindowDragsByItsCaptionButItsBordersDoNotResizeIt) {
    VelmoraProcess velmora;
    HWND window = velmora.StartShown();
    ASSERT_NE(window, nullptr);
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    const RECT start = testsupport::WindowRect(window);
    ASSERT_EQ(start.right - start.left, 400);

    // By the caption: the system's move loop runs in the program's thread.
    DragWithMouse({start.left + 100, start.top + 15}, 120, 60, windowThread);
    ASSERT_TRUE(WindowComesTo(window, start.left + 120, start.top + 60, 400, 250));

    // The compact window is not resizable: its edges are client area, and no loop starts there.
    const POINT moved{start.left + 120, start.top + 60};
    DragWithMouse({moved.x + 400 - 2, moved.y + 150}, 100, 0);
    DragWithMouse({moved.x + 400 - 2, moved.y + 250 - 2}, 150, 100);
    // Dragged back by the caption: the program handles its input in order, so once this drag has
    // arrived the ones before it have been handled, and the size shows they changed nothing.
    DragWithMouse({moved.x + 100, moved.y + 15}, -120, -60, windowThread);
    EXPECT_TRUE(WindowComesTo(window, start.left, start.top, 400, 250));
}

TEST(SkinnedWindow, DamagedSkinImagesAndTrayIconLeaveTheProgramRunningWithoutThem) {
    VelmoraProcess velmora;
    const std::wstring blue = velmora.WideFolder() + L"Skin\\Blue\\";
    const std::string caption = testsupport::ReadFileBytes(blue + L"TopActivate.bmp");
    ASSERT_EQ(caption.size(), 6198u);
    testsupport::WriteFileBytes(blue + L"TopActivate.bmp", caption.substr(0, caption.size() / 2));
    testsupport::WriteFileBytes(blue + L"Left.bmp",
                                testsupport::ReadFileBytes(blue + L"Left.bmp").substr(0, 54));
    testsupport::WriteFileBytes(velmora.WideFolder() + L"SysMenu.ico",
                                std::string("\0\0\1\0\1\0not an icon", 17));
    velmora.Start();
    HWND window = velmora.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }));
    // Its thread answers: a program that crashed would be held in the system's debugger instead.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_TRUE(velmora.Running());
}
