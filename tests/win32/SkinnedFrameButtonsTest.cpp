// The caption buttons: their faces under the mouse and the commands they send through the window's
// own handling, on a plain skinned window and on the main window.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <vector>

#include "MainFormFixture.h"
#include "SkinnedFrameFixture.h"
#include "support/Wait.h"

using namespace testsupport;

TEST_F(SkinnedFrameTest, CloseButtonClickEndsInTheClosePathWhileItStillShowsItsPressedFace) {
    TestFrame* form = Create();
    form->Show();
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    COLORREF faceDuringClose = CLR_INVALID;
    form->onCloseQuery = [&] { faceDuringClose = close->Picture().Pixel(14, 3); };
    const POINT p = CentreOf(close);
    ClickAt(form->Handle(), p.x, p.y);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_CLOSE});
    EXPECT_EQ(form->closeQueries, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));  // a plain window's close hides it
    // The click ran before the normal face came back; afterwards the normal face shows.
    EXPECT_EQ(faceDuringClose, form->SkinImageAt(19)->Pixel(14, 3));
    EXPECT_EQ(close->Picture().Pixel(14, 3), form->SkinImageAt(17)->Pixel(14, 3));
}

TEST_F(SkinnedFrameTest, ButtonsShowHoverAndPressedFacesAndSendTheirCommandsToTheWindowItself) {
    TestFrame* form = Create();
    form->Show();
    tk::Application::Instance().ProcessMessages();
    form->swallowSysCommands = true;  // as a descendant that handles the commands itself
    const skin::THotImg* minimize = form->HotImage(skin::kMinimizeButton);
    const POINT p = CentreOf(minimize);
    auto face = [&] { return minimize->Picture().Pixel(2, 11); };
    const COLORREF normal = form->SkinImageAt(11)->Pixel(2, 11);
    const COLORREF over = form->SkinImageAt(12)->Pixel(2, 11);
    const COLORREF down = form->SkinImageAt(13)->Pixel(2, 11);
    ASSERT_NE(normal, over);
    ASSERT_NE(over, down);

    RECT r = WindowRect(form->Handle());
    SetCursorPos(r.left + p.x, r.top + p.y);
    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), over);
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), down);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), normal);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_MINIMIZE});
    EXPECT_FALSE(IsIconic(form->Handle()));  // the window's own handler kept it

    SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y + 40));
    EXPECT_EQ(face(), normal);

    // The maximize button, and a press that leaves the button before coming up does not click.
    const POINT m = CentreOf(form->HotImage(skin::kMaximizeButton));
    ClickAt(form->Handle(), m.x, m.y);
    EXPECT_EQ(form->sysCommands, (std::vector<WPARAM>{SC_MINIMIZE, SC_MAXIMIZE}));
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y + 40));
    EXPECT_EQ(form->sysCommands.size(), 2u);
    // Corners are not buttons.
    ClickAt(form->Handle(), 2, kH - 2);
    EXPECT_EQ(form->sysCommands.size(), 2u);
}

TEST_F(SkinnedFrameTest, MinimizeButtonMinimizesAPlainWindow) {
    TestFrame* form = Create();
    form->Show();
    const POINT p = CentreOf(form->HotImage(skin::kMinimizeButton));
    ClickAt(form->Handle(), p.x, p.y);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(form->Handle()) != FALSE; }));
}

TEST_F(MainFormTest, MainWindowIsSkinnedAndItsMinimizeButtonHidesItToTheTray) {
    WriteUserConfig("ShotCutRemind=0\r\n");
    app::TMainForm* form = CreateMainForm();
    ASSERT_TRUE(form->SkinLoaded());
    // The main window's system-menu image sits at left 2, 16 wide, hidden.
    EXPECT_FALSE(form->SystemMenuImage().Visible());
    EXPECT_EQ(form->GetCaptionLabel()->Left(), 18);
    form->SetCaption(L"Velmora");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"Velmora");
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    EXPECT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);

    // Compact (login) layout: not resizable, so only the close button shows.
    form->Show();
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(form->Width(), 400);
    EXPECT_FALSE(form->HotImage(skin::kMinimizeButton)->Visible());
    EXPECT_FALSE(form->HotImage(skin::kMaximizeButton)->Visible());
    EXPECT_TRUE(form->HotImage(skin::kCloseButton)->Visible());
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), 400 - kButtonW - 8);

    // Full layout: all three; the minimize button goes through the window's own command handling,
    // which hides it to the tray instead of minimizing it.
    form->SetFullLayout(true);
    form->SetResizable(true);
    form->LoadLastPosInfo();
    tk::Application::Instance().ProcessMessages();
    const skin::THotImg* minimize = form->HotImage(skin::kMinimizeButton);
    ASSERT_TRUE(minimize->Visible());
    ASSERT_TRUE(form->HotImage(skin::kMaximizeButton)->Visible());
    const POINT p{minimize->Left() + minimize->Width() / 2, minimize->Top() + minimize->Height() / 2};
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) == FALSE; }));
    EXPECT_FALSE(IsIconic(form->Handle()));
}

// To Windows the shown caption buttons are caption buttons (it offers snap layouts over the maximize
// button), hidden ones are caption; the mouse over them then arrives as non-client messages, with
// the same faces and commands as before.
TEST_F(SkinnedFrameTest, CaptionButtonsAnswerTheSystemsButtonCodesAndWorkThroughNonClientMessages) {
    TestFrame* form = Create();
    form->Show();
    tk::Application::Instance().ProcessMessages();
    form->swallowSysCommands = true;
    const LRESULT codes[] = {HTMINBUTTON, HTMAXBUTTON, HTCLOSE};
    auto centre = [&](int i) { return CentreOf(form->HotImage(i)); };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(HitAt(form, centre(i).x, centre(i).y), codes[i]) << i;
    }
    const skin::THotImg* minimize = form->HotImage(skin::kMinimizeButton);
    auto face = [&] { return minimize->Picture().Pixel(2, 11); };
    const COLORREF normal = form->SkinImageAt(11)->Pixel(2, 11);
    const POINT p = centre(skin::kMinimizeButton);
    const LPARAM at = ScreenPoint(form, p.x, p.y);
    SetCursorPos(GET_X_LPARAM(at), GET_Y_LPARAM(at));
    SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTMINBUTTON, at);
    EXPECT_EQ(face(), form->SkinImageAt(12)->Pixel(2, 11));
    EXPECT_EQ(SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTMINBUTTON, at), 0);
    EXPECT_EQ(face(), form->SkinImageAt(13)->Pixel(2, 11));
    EXPECT_EQ(GetCapture(), form->Handle());
    // The press captured the mouse: the release comes in client coordinates.
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(face(), normal);
    EXPECT_EQ(form->sysCommands, std::vector<WPARAM>{SC_MINIMIZE});
    SendMessageW(form->Handle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_EQ(face(), normal);

    // Pressed on one button and released over another: nothing runs.
    SendMessageW(form->Handle(), WM_NCLBUTTONDOWN, HTMINBUTTON, at);
    const POINT m = centre(skin::kMaximizeButton);
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(m.x, m.y));
    EXPECT_EQ(form->sysCommands.size(), 1u);
    EXPECT_EQ(face(), normal);

    // Maximized, the codes stay; a fixed-size window's hidden buttons answer what their place in the
    // frame answers (the drag zone ends 20 pixels right of the minimize button's left).
    form->SetWindowState(tk::WindowState::Maximized);
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(HitAt(form, centre(skin::kCloseButton).x, centre(skin::kCloseButton).y), HTCLOSE);
    form->SetWindowState(tk::WindowState::Normal);
    form->SetResizable(false);
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(HitAt(form, p.x, p.y), HTCAPTION);
    EXPECT_EQ(HitAt(form, m.x, m.y), HTCLIENT);
    EXPECT_EQ(HitAt(form, centre(skin::kCloseButton).x, centre(skin::kCloseButton).y), HTCLOSE);
}
