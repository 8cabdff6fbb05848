// The skinned window's frame as laid out and painted from the default skin: parts, buttons and
// caption text, maximized bounds, the rounded shape, and what reaches the screen.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "SkinnedFrameFixture.h"
#include "support/Pixels.h"
#include "support/Wait.h"

using namespace testsupport;

namespace {

// Waits until the screen shows a colour at a point.
bool ScreenShows(int x, int y, COLORREF colour) {
    return WaitUntil([&] {
        tk::WindowDc screen(nullptr);
        return GetPixel(screen.Get(), x, y) == colour;
    });
}

}  // namespace

TEST_F(SkinnedFrameTest, DefaultSkinIsLoadedAndTheFrameLaidOutInTheDesignWindow) {
    TestFrame* form = Create();
    ASSERT_TRUE(form->SkinLoaded());
    EXPECT_EQ(form->GetSkinPath(), "Skin\\Blue\\");
    for (int i = 0; i < skin::kSkinImageCount; ++i) {
        SCOPED_TRACE(std::string(skin::kSkinImageNames[static_cast<size_t>(i)]));
        ASSERT_FALSE(form->SkinImageAt(i)->Empty());
        EXPECT_EQ(form->SkinImageAt(i)->TransparentColor(), std::optional<COLORREF>(kMagenta));
    }
    EXPECT_EQ(skin::TPictureForm::CaptionHeight(), 32);
    EXPECT_EQ(form->TopStrip().Height(), 32);
    EXPECT_EQ(form->TopStrip().Width(), kW);
    const RECT panel = form->MainPanel().BoundsRect();
    EXPECT_EQ(panel.left, 4);
    EXPECT_EQ(panel.top, 32);
    EXPECT_EQ(panel.right, kW - 4);
    EXPECT_EQ(panel.bottom, kH - 4);

    const wchar_t* hints[] = {L"隐藏", L"最大化", L"关闭"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const skin::THotImg* button = form->HotImage(i);
        EXPECT_EQ(button->Left(), kMinimizeLeft + kButtonW * i);
        EXPECT_EQ(button->Top(), 6);
        EXPECT_EQ(button->Width(), kButtonW);
        EXPECT_TRUE(button->Visible());
        EXPECT_TRUE(button->ShowHint());
        EXPECT_EQ(button->Hint(), hints[i]);
        EXPECT_EQ(button->normalImage, form->SkinImageAt(11 + 3 * i));
        EXPECT_EQ(button->overImage, form->SkinImageAt(12 + 3 * i));
        EXPECT_EQ(button->downImage, form->SkinImageAt(13 + 3 * i));
    }
    EXPECT_EQ(form->HotImage(skin::kBottomRightCorner)->Left(), kW - 8);
    EXPECT_EQ(form->HotImage(skin::kBottomRightCorner)->Top(), kH - 8);

    // The caption text: after the system-menu image as designed (left 0, 32 wide), in the caption
    // colour, bold 9 points.
    const tk::Label* label = form->GetCaptionLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Left(), 32);
    EXPECT_EQ(label->Top(), 32 / 2 - 5);
    EXPECT_EQ(label->GetFont().Face(), L"宋体");
    EXPECT_EQ(label->GetFont().Points(), 9);
    EXPECT_TRUE(label->GetFont().Bold());
    EXPECT_EQ(label->GetFont().Color(), RGB(97, 120, 178));
    EXPECT_TRUE(label->Transparent());
    EXPECT_EQ(form->SystemMenuImage().Left(), 8);
}

TEST_F(SkinnedFrameTest, MaximizeFillsTheWorkAreaLessOnePixelAndTheFrameFollows) {
    TestFrame* form = Create();
    const RECT work = WorkArea();
    MINMAXINFO info{};
    info.ptMaxSize = POINT{1, 1};
    info.ptMaxPosition = POINT{-7, -7};
    EXPECT_EQ(SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
    EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top - 1);
    EXPECT_EQ(info.ptMaxPosition.x, work.left);
    EXPECT_EQ(info.ptMaxPosition.y, work.top);

    form->Show();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    const int w = work.right - work.left;
    ASSERT_TRUE(WindowComesTo(form->Handle(), work.left, work.top, w, work.bottom - work.top - 1));
    EXPECT_EQ(form->HotImage(skin::kCloseButton)->Left(), w - kButtonW - 8);
    EXPECT_EQ(form->MainPanel().Width(), w - 8);
    // The maximize button shows the restore faces.
    const skin::THotImg* maximize = form->HotImage(skin::kMaximizeButton);
    EXPECT_EQ(maximize->normalImage, form->SkinImageAt(skin::kBtnOrigNormal));
    EXPECT_EQ(maximize->Hint(), L"恢复");
}

TEST_F(SkinnedFrameTest, WindowShapeIsARoundedRectangle) {
    TestFrame* form = Create();
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 1, 0));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 1));
    EXPECT_FALSE(PtInRegion(region.Get(), kW - 1, kH - 1));
    EXPECT_FALSE(PtInRegion(region.Get(), 0, kH - 1));
    EXPECT_TRUE(PtInRegion(region.Get(), 4, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 4));
    EXPECT_TRUE(PtInRegion(region.Get(), kW / 2, kH / 2));
    EXPECT_TRUE(PtInRegion(region.Get(), kW - 5, kH - 1));
    // It follows the size.
    form->SetBounds(0, 0, 900, 700);
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(region.Get(), 850, 650));
    EXPECT_FALSE(PtInRegion(region.Get(), 899, 699));
}

TEST_F(SkinnedFrameTest, CaptionTextFollowsTheWindowCaption) {
    TestFrame* form = Create();
    form->SetCaption(L"Velmora 考试");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"Velmora 考试");
    SetWindowTextW(form->Handle(), L"another");
    EXPECT_EQ(form->GetCaptionLabel()->Caption(), L"another");
}

TEST_F(SkinnedFrameTest, ScreenShowsTheCaptionTilesAndNeverTheCornersMagenta) {
    TestFrame* form = Create();
    form->SetBounds(200, 150, kW, kH);
    form->Show();
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    const RECT r = WindowRect(form->Handle());
    const tk::Bitmap& active = *form->SkinImageAt(skin::kTopActivate);
    const tk::Bitmap& inactive = *form->SkinImageAt(skin::kTopdeActivate);
    ASSERT_NE(active.Pixel(0, 15), inactive.Pixel(0, 15));
    ASSERT_TRUE(ScreenShows(r.left + 200, r.top + 15, active.Pixel(200 % active.Width(), 15)));
    {
        const Surface shot = Surface::FromScreen(r);
        for (int x : {100, 200, 333, 500}) {
            for (int y : {1, 10, 20}) {
                EXPECT_EQ(shot.At(x, y), active.Pixel(x % active.Width(), y)) << x << "," << y;
            }
        }
        // Through the normal face's magenta the caption shows; the corner pieces' magenta is left
        // out and the window's rounded shape cuts the outside away.
        const skin::THotImg* close = form->HotImage(skin::kCloseButton);
        EXPECT_EQ(shot.At(close->Left() + 1, close->Top() + 1),
                  active.Pixel((close->Left() + 1) % active.Width(), close->Top() + 1));
        EXPECT_EQ(shot.Count(kMagenta), 0);
        EXPECT_EQ(shot.At(4, 4), form->SkinImageAt(skin::kTopLeftActivate)->Pixel(4, 4));
        EXPECT_EQ(shot.At(kW - 1, kH - 8), form->SkinImageAt(skin::kBottomRight)->Pixel(7, 0));
    }
    SendMessageW(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    ASSERT_TRUE(ScreenShows(r.left + 200, r.top + 15, inactive.Pixel(200 % inactive.Width(), 15)));
    {
        const Surface shot = Surface::FromScreen(r);
        EXPECT_EQ(shot.At(200, 15), inactive.Pixel(200 % inactive.Width(), 15));
        EXPECT_EQ(shot.At(4, 15), form->SkinImageAt(skin::kTopLeftdeActivate)->Pixel(4, 15));
        EXPECT_EQ(shot.Count(kMagenta), 0);
    }
}
