// The two layouts of the real main window and the placement it remembers in "WindowPos".
#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "support/Wait.h"

using testsupport::MainFormTest;
using testsupport::WindowComesTo;
using testsupport::WindowRect;
using testsupport::WindowSizeComesTo;

namespace {

class PlacementTest : public MainFormTest {
  protected:
    app::TMainForm* ShowCompact() { return ShowMainForm(); }
    // What a completed navigation away from the start page does.
    void SwitchToFull(app::TMainForm* form) {
        form->SetFullLayout(true);
        form->SetResizable(true);
        form->LoadLastPosInfo();
        tk::Application::Instance().ProcessMessages();
    }
};

}  // namespace

TEST_F(PlacementTest, StartsCompactAtTheDesignedPosition) {
    app::TMainForm* form = ShowCompact();
    EXPECT_TRUE(WindowComesTo(form->Handle(), 502, 237, 400, 250));
    EXPECT_FALSE(form->GetResizable());
    EXPECT_FALSE(form->GetPlaced());
}

TEST_F(PlacementTest, FirstFullLayoutWithoutSavedPlacementIsNormalAtOriginWithMinimumSize) {
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    EXPECT_TRUE(WindowComesTo(form->Handle(), 0, 0, 800, 600));
    EXPECT_TRUE(form->GetResizable());
    EXPECT_TRUE(form->GetPlaced());
    EXPECT_TRUE(form->HintLabel().Visible());
    EXPECT_TRUE(form->ModifyLabel().Visible());

    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(UserValue("WindowPos"), "0,0,0,800,600,200,100,800,600");
}

TEST_F(PlacementTest, SavedNormalPlacementIsAppliedOncePerRun) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\n");
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    EXPECT_TRUE(WindowComesTo(form->Handle(), 100, 50, 1024, 700));
    // The user moves it; later completed navigations leave it where it is.
    form->SetBounds(300, 200, 900, 650);
    form->LoadLastPosInfo();
    EXPECT_TRUE(WindowComesTo(form->Handle(), 300, 200, 900, 650));

    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(UserValue("WindowPos"), "0,300,200,900,650,200,100,800,600");
}

TEST_F(PlacementTest, SmallSavedSizesAreRaisedTo800By600) {
    WriteUserConfig("WindowPos=0,10,10,640,480,200,100,800,600\r\n");
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    EXPECT_TRUE(WindowComesTo(form->Handle(), 10, 10, 800, 600));
}

TEST_F(PlacementTest, MaximizedPlacementRestoresToItsRestoreRectangle) {
    WriteUserConfig("WindowPos=2,0,0,1280,770,150,80,1000,700\r\n");
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    EXPECT_TRUE(IsZoomed(form->Handle()));
    ShowWindow(form->Handle(), SW_RESTORE);
    EXPECT_TRUE(WindowComesTo(form->Handle(), 150, 80, 1000, 700));
}

TEST_F(PlacementTest, MaximizedAtExitWritesStateTwoAndTheRestoreRectangle) {
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    form->SetBounds(150, 80, 1000, 700);
    ShowWindow(form->Handle(), SW_MAXIMIZE);
    ASSERT_TRUE(testsupport::WaitUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
    const RECT maximized = WindowRect(form->Handle());
    tk::Application::Instance().DestroyMainForm();
    const std::string expected = "2," + std::to_string(maximized.left) + "," + std::to_string(maximized.top) +
                                 "," + std::to_string(maximized.right - maximized.left) + "," +
                                 std::to_string(maximized.bottom - maximized.top) + ",150,80,1000,700";
    EXPECT_EQ(UserValue("WindowPos"), expected);
}

TEST_F(PlacementTest, MalformedSavedPlacementCountsAsMissing) {
    for (const char* value :
         {"0,100,50", "0,a,50,1024,700,200,100,800,600", "5,100,50,1024,700,200,100,800,600"}) {
        SCOPED_TRACE(value);
        WriteUserConfig(std::string("WindowPos=") + value + "\r\n");
        app::TMainForm* form = ShowCompact();
        SwitchToFull(form);
        const RECT r = WindowRect(form->Handle());
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.right - r.left, 800);
        EXPECT_FALSE(IsZoomed(form->Handle()));
        tk::Application::Instance().DestroyMainForm();
        config::TAppConfigClass::ReleaseInstance();
    }
}

TEST_F(PlacementTest, APlacementWhoseRectangleOverflowsCountsAsMissing) {
    for (const char* value :
         {"0,2147483000,100,1024,700,200,100,800,600", "0,100,2147483000,1024,700,200,100,800,600",
          "0,2147483000,0,10,10,200,100,800,600", "2,0,0,1280,770,2147483000,80,1000,700",
          "2,0,0,1280,770,150,80,1000,2147483647"}) {
        SCOPED_TRACE(value);
        WriteUserConfig(std::string("WindowPos=") + value + "\r\n");
        app::TMainForm* form = ShowCompact();
        SwitchToFull(form);
        EXPECT_TRUE(WindowComesTo(form->Handle(), 0, 0, 800, 600));
        EXPECT_FALSE(IsZoomed(form->Handle()));
        tk::Application::Instance().DestroyMainForm();
        config::TAppConfigClass::ReleaseInstance();
    }
}

TEST_F(PlacementTest, ExitWhileCompactLeavesTheSavedValueAlone) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\n");
    ShowCompact();
    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(UserValue("WindowPos"), "0,100,50,1024,700,200,100,800,600");
}

TEST_F(PlacementTest, ShowingAgainWhileCompactResetsTheCompactSize) {
    app::TMainForm* form = ShowCompact();
    SetWindowPos(form->Handle(), nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    form->Hide();
    form->Show();
    EXPECT_TRUE(WindowSizeComesTo(form->Handle(), 400, 250));
    // In the full layout the size is kept through a hide and show.
    SwitchToFull(form);
    form->SetBounds(50, 60, 900, 700);
    form->Hide();
    form->Show();
    EXPECT_TRUE(WindowSizeComesTo(form->Handle(), 900, 700));
}

TEST_F(PlacementTest, BackToTheStartPageCompactsAndLeavingAgainKeepsTheCompactSize) {
    WriteUserConfig("WindowPos=0,100,50,1024,700,200,100,800,600\r\n");
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    form->SetFullLayout(false);
    form->LoadLastPosInfo();
    RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_FALSE(form->GetResizable());
    SwitchToFull(form);
    r = WindowRect(form->Handle());
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 250);
    EXPECT_TRUE(form->GetResizable());
}
