// The skinned window's answers to the system: hit-testing, the minimum size while sizing, and the
// caption double-click.
#include <gtest/gtest.h>

#include <vector>

#include "SkinnedFrameFixture.h"
#include "support/Wait.h"

using namespace testsupport;

TEST_F(SkinnedFrameTest, HitTestAnswersResizeDragAndClientZones) {
    TestFrame* form = Create();
    form->SetBounds(50, 40, kW, kH);
    EXPECT_EQ(HitAt(form, 3, 3), HTTOPLEFT);
    EXPECT_EQ(HitAt(form, 7, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 6, 10), HTCLIENT);
    EXPECT_EQ(HitAt(form, kW - 1, kH - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(form, kW - 5, 300), HTRIGHT);
    EXPECT_EQ(HitAt(form, 300, kH - 5), HTBOTTOM);
    EXPECT_EQ(HitAt(form, kMinimizeLeft - 81, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, kMinimizeLeft - 80, 10), HTCLIENT);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 3, 10), HTMINBUTTON);  // on the minimize button

    // Fixed size: no borders, and the drag zone runs to 20 pixels right of the minimize button.
    form->SetResizable(false);
    EXPECT_EQ(HitAt(form, 3, 3), HTCLIENT);
    EXPECT_EQ(HitAt(form, kW - 1, kH - 1), HTCLIENT);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 19, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, kMinimizeLeft + 20, 10), HTCLIENT);
    // The minimize and maximize buttons go at once and stay gone through a relayout; close stays.
    EXPECT_FALSE(form->HotImage(skin::kMinimizeButton)->Visible());
    form->FormResize();
    EXPECT_FALSE(form->HotImage(skin::kMaximizeButton)->Visible());
    EXPECT_TRUE(form->HotImage(skin::kCloseButton)->Visible());
    form->SetResizable(true);

    // Maximized: still draggable by the caption, no resize borders.
    form->Show();
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    EXPECT_EQ(HitAt(form, 7, 10), HTCAPTION);
    EXPECT_EQ(HitAt(form, 3, 3), HTCLIENT);
}

TEST_F(SkinnedFrameTest, SizingIsHeldAtTheMinimumByTheDraggedEdge) {
    TestFrame* form = Create();
    RECT r{300, 100, 1000, 700};  // the left edge dragged to a width of 700
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, r.right - 800);
    EXPECT_EQ(r.right, 1000);
    r = RECT{100, 100, 1000, 600};  // the bottom dragged to a height of 500
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_BOTTOM, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.bottom, r.top + 600);
    r = RECT{100, 300, 500, 700};  // the top-right corner, both too small
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_TOPRIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right, 900);
    EXPECT_EQ(r.top, 100);
    // Whatever the window's resizable flag says.
    form->SetResizable(false);
    r = RECT{100, 100, 500, 700};
    SendMessageW(form->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.right, 900);
}

TEST_F(SkinnedFrameTest, CaptionDoubleClickTogglesMaximizeThroughTheWindowsOwnCommands) {
    TestFrame* form = Create();
    form->SetBounds(40, 30, kW, kH);
    form->Show();
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
    EXPECT_EQ(form->GetWindowState(), tk::WindowState::Maximized);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_MAXIMIZE});

    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 10));
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(form->Handle()) == FALSE; }));
    EXPECT_EQ(form->GetWindowState(), tk::WindowState::Normal);
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_MAXIMIZE, SC_RESTORE}));
    const RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, kW);

    // At x 6 or y 6 nothing happens, nor right of the minimize button's left.
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 6, 10));
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, 20, 6));
    SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(form, kMinimizeLeft, 10));
    // The handler acts before it returns (it sends its commands, it posts nothing), so there is
    // nothing to wait for.
    EXPECT_FALSE(IsZoomed(form->Handle()));
    EXPECT_EQ(form->sysCommands.size(), 2u);
}
