// The system's own move and size loops, driven by real mouse input, follow the skinned window's
// answers to the mouse.
#include <gtest/gtest.h>

#include "SkinnedFrameFixture.h"

using namespace testsupport;

TEST_F(SkinnedFrameTest, SystemMoveAndSizeLoopsFollowTheFramesAnswersToTheMouse) {
    TestFrame* form = Create();
    form->SetBounds(100, 80, kW, kH);
    form->Show();
    const HWND window = form->Handle();

    DragWithMouseHere({100 + 100, 80 + 15}, 120, 60);  // by the caption
    ASSERT_TRUE(WindowComesTo(window, 220, 140, kW, kH));

    DragWithMouseHere({220 + kW - 2, 140 + 300}, 100, 0);  // the right border
    ASSERT_TRUE(WindowComesTo(window, 220, 140, kW + 100, kH));
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), kW + 100 - kButtonW - 8);

    DragWithMouseHere({220 + kW + 100 - 2, 140 + kH - 2}, -400, -300);  // the bottom-right corner, far inward
    ASSERT_TRUE(WindowComesTo(window, 220, 140, 800, 600));

    DragWithMouseHere({220 + 3, 140 + 3}, -50, -30);  // the top-left corner
    EXPECT_TRUE(WindowComesTo(window, 170, 110, 850, 630));
}
