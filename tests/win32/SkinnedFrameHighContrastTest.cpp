// With high contrast on, the skinned frame draws in the system's colours instead of the skin's
// pictures, keeping its layout, and switches back and forth while it runs.
#include <gtest/gtest.h>

#include "SkinnedFrameFixture.h"
#include "support/HighContrastScheme.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "toolkit/HighContrast.h"

using namespace testsupport;

TEST_F(SkinnedFrameTest, HighContrastDrawsTheFrameInTheSystemsColoursAndSwitchesLive) {
    HighContrastScheme contrast(true);
    TestFrame* form = Create();
    form->SetCaption(L"Velmora");
    form->Show();
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    tk::Application::Instance().ProcessMessages();
    const HWND window = form->Handle();
    const int caption = form->FrameCaptionHeight();
    const skin::THotImg* close = form->HotImage(skin::kCloseButton);
    const POINT glyph = CentreOf(close);
    auto sys = &HighContrastScheme::Sys;

    EXPECT_EQ(PaintedPixel(window, 200, caption / 2), sys(COLOR_ACTIVECAPTION));
    EXPECT_EQ(PaintedPixel(window, 1, caption + 100), sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(PaintedPixel(window, glyph.x, glyph.y), sys(COLOR_CAPTIONTEXT));  // the cross's middle
    EXPECT_EQ(PaintedPixel(window, close->Left() + 1, close->Top() + 1), sys(COLOR_ACTIVECAPTION));
    EXPECT_EQ(form->GetCaptionLabel()->GetFont().Color(), GetSysColor(COLOR_CAPTIONTEXT));
    HoldForScreenshot();
    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(PaintedPixel(window, 200, caption / 2), sys(COLOR_INACTIVECAPTION));

    // Switched off while the window runs: the skin's pictures again.
    tk::OverrideHighContrast(false);
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    SendMessageW(window, WM_NCACTIVATE, TRUE, 0);
    const tk::Bitmap* top = form->SkinImageAt(skin::kTopActivate);
    EXPECT_EQ(PaintedPixel(window, 200, caption / 2), top->Pixel(200 % top->Width(), caption / 2) & 0xFFFFFF);
    EXPECT_EQ(form->GetCaptionLabel()->GetFont().Color(), skin::kCaptionColor);
    EXPECT_NE(PaintedPixel(window, glyph.x, glyph.y), sys(COLOR_CAPTIONTEXT));
}
