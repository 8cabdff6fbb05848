// The two layouts of the real main window and the placement it remembers in "WindowPos" and
// "WindowDpi".
#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "support/Wait.h"
#include "toolkit/DpiScale.h"

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

namespace {

// Pixels taken at fromDpi as the window's DPI gives them, from the primary work area's corner.
class PlacementDpiTest : public PlacementTest {
  protected:
    static RECT WorkArea() {
        RECT area{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }
    static int At(int pixels, int fromDpi, int toDpi) { return tk::DpiScale(toDpi).FromDpi(pixels, fromDpi); }
};

}  // namespace

TEST_F(PlacementDpiTest, ExitWritesTheWindowsDpiAndTheNextRunRestoresTheSamePlace) {
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    const RECT area = WorkArea();
    form->SetBounds(area.left + 120, area.top + 70, 1000, 650);
    const int dpi = form->Dpi();
    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(UserValue("WindowDpi"), std::to_string(dpi));
    EXPECT_EQ(UserValue("WindowPos"), "0," + std::to_string(area.left + 120) + "," +
                                          std::to_string(area.top + 70) + ",1000,650,200,100,800,600");

    config::TAppConfigClass::ReleaseInstance();
    form = ShowCompact();
    SwitchToFull(form);
    EXPECT_TRUE(WindowComesTo(form->Handle(), area.left + 120, area.top + 70, 1000, 650));
}

TEST_F(PlacementDpiTest, APlacementTakenAtAnotherDpiKeepsItsLogicalSize) {
    // Taken at 200 %: on a display at 100 % the window comes back at half the pixels.
    const RECT area = WorkArea();
    WriteUserConfig("WindowPos=0," + std::to_string(area.left + 200) + "," + std::to_string(area.top + 100) +
                    ",2048,1400,400,200,1600,1200\r\nWindowDpi=192\r\n");
    app::TMainForm* form = ShowCompact();
    SwitchToFull(form);
    const int dpi = form->Dpi();
    EXPECT_TRUE(WindowComesTo(form->Handle(), area.left + At(200, 192, dpi), area.top + At(100, 192, dpi),
                              At(2048, 192, dpi), At(1400, 192, dpi)));
    if (dpi == 96) {
        EXPECT_TRUE(WindowComesTo(form->Handle(), area.left + 100, area.top + 50, 1024, 700));
    }
    // Saved again at the DPI it now has.
    tk::Application::Instance().DestroyMainForm();
    EXPECT_EQ(UserValue("WindowDpi"), std::to_string(dpi));
}

TEST_F(PlacementDpiTest, AMalformedDpiCountsAs96AndKeepsThePlacement) {
    const RECT area = WorkArea();
    const std::string pos = "WindowPos=0," + std::to_string(area.left + 100) + "," +
                            std::to_string(area.top + 50) + ",1024,700,200,100,800,600\r\n";
    for (const char* value : {"", "abc", "100000"}) {
        SCOPED_TRACE(value);
        WriteUserConfig(pos + "WindowDpi=" + value + "\r\n");
        app::TMainForm* form = ShowCompact();
        SwitchToFull(form);
        const int dpi = form->Dpi();
        EXPECT_TRUE(WindowComesTo(form->Handle(), area.left + At(100, 96, dpi), area.top + At(50, 96, dpi),
                                  At(1024, 96, dpi), At(700, 96, dpi)));
        tk::Application::Instance().DestroyMainForm();
        config::TAppConfigClass::ReleaseInstance();
    }
}
