// With high contrast on, both dialogs draw their pictures anew in the system's colours (caption band,
// texts, outlines, button faces, the close cross) and give their controls those colours; the caption
// band follows the activation, and turning high contrast off brings the pictures back while open.
#include <gtest/gtest.h>

#include <algorithm>

#include "DialogFixture.h"
#include "dialogs/DialogResources.h"
#include "dialogs/FirstOptionFrm.h"
#include "dialogs/UserConfigFrm.h"
#include "support/HighContrastScheme.h"
#include "support/WindowProbes.h"

using testsupport::HighContrastScheme;
using testsupport::PaintedPixel;

namespace {

auto sys = &HighContrastScheme::Sys;

// How many pixels of a client rectangle the screen shows in a colour.
int CountIn(HWND window, const RECT& area, COLORREF colour) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<COLORREF> pixels = testsupport::ClientPixels(window, area);
    return static_cast<int>(std::ranges::count(pixels, colour & 0xFFFFFF));
}

// A switch of high contrast as the system announces it.
void Switch(HWND window, bool on) {
    tk::OverrideHighContrast(on);
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
}

class DialogHighContrastTest : public testsupport::DialogTest {
  protected:
    template <typename Dialog>
    Dialog& Open() {
        Dialog& form = tk::CreateForm<Dialog>(main_);
        form.Show();
        SendMessageW(form.Handle(), WM_NCACTIVATE, TRUE, 0);
        tk::Application::Instance().ProcessMessages();
        return form;
    }
    HighContrastScheme contrast_{true};
};

}  // namespace

TEST_F(DialogHighContrastTest, TheSettingsDialogDrawsInTheSystemsColoursAndSwitchesLive) {
    auto& form = Open<dialogs::TUserConfigForm>();
    const HWND window = form.Handle();
    EXPECT_EQ(PaintedPixel(window, 200, 15), sys(COLOR_ACTIVECAPTION));
    EXPECT_GT(CountIn(window, {8, 5, 105, 29}, sys(COLOR_CAPTIONTEXT)), 20);  // the title
    EXPECT_EQ(PaintedPixel(window, 0, 226), sys(COLOR_WINDOWFRAME));
    EXPECT_EQ(PaintedPixel(window, 12, 100), sys(COLOR_BTNTEXT));              // a group's outline
    EXPECT_GT(CountIn(window, {29, 39, 229, 61}, sys(COLOR_BTNTEXT)), 20);     // its heading
    EXPECT_EQ(PaintedPixel(window, 100, 120), sys(COLOR_BTNFACE));             // the start-up panel
    EXPECT_EQ(PaintedPixel(window, 102, 430), sys(COLOR_BTNTEXT));             // OK's edge ...
    EXPECT_GT(CountIn(window, {112, 419, 170, 437}, sys(COLOR_BTNTEXT)), 20);  // ... and text
    EXPECT_EQ(PaintedPixel(window, 407, 13), sys(COLOR_CAPTIONTEXT));          // the cross's middle
    EXPECT_EQ(form.StartPanel().Color(), sys(COLOR_BTNFACE));
    EXPECT_EQ(form.AutoRunButton().GetFont().Color(), sys(COLOR_BTNTEXT));
    EXPECT_EQ(form.HotKeyLabel().GetFont().Color(), sys(COLOR_BTNTEXT));
    testsupport::HoldForScreenshot();

    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(PaintedPixel(window, 200, 15), sys(COLOR_INACTIVECAPTION));
    EXPECT_EQ(PaintedPixel(window, 407, 13), sys(COLOR_INACTIVECAPTIONTEXT));

    Switch(window, false);
    const tk::Bitmap drawn = dialogs::LoadDialogPicture(dialogs::kSettingsBackground, 96);
    EXPECT_EQ(PaintedPixel(window, 200, 15), drawn.Pixel(200, 15) & 0xFFFFFF);
    EXPECT_EQ(form.StartPanel().Color(), RGB(240, 245, 250));
    EXPECT_EQ(form.AutoRunButton().GetFont().Color(), RGB(38, 68, 144));
}

TEST_F(DialogHighContrastTest, TheFirstRunDialogDrawsInTheSystemsColoursAndSwitchesLive) {
    auto& form = Open<dialogs::TFirstOptionForm>();
    const HWND window = form.Handle();
    EXPECT_EQ(PaintedPixel(window, 300, 30), sys(COLOR_ACTIVECAPTION));
    EXPECT_EQ(form.CaptionLabel().GetFont().Color(), sys(COLOR_CAPTIONTEXT));
    EXPECT_GT(CountIn(window, {24, 11, 265, 27}, sys(COLOR_CAPTIONTEXT)), 20);  // the question
    EXPECT_EQ(PaintedPixel(window, 300, 155), sys(COLOR_BTNTEXT));              // the reminder strip's rule
    EXPECT_EQ(PaintedPixel(window, 300, 100), sys(COLOR_BTNFACE));
    EXPECT_EQ(form.DontRemindBox().BackColor(), sys(COLOR_BTNFACE));
    EXPECT_EQ(form.DontRemindBox().GetFont().Color(), sys(COLOR_BTNTEXT));
    EXPECT_EQ(PaintedPixel(window, 338, 16), sys(COLOR_CAPTIONTEXT));  // the cross's middle
    testsupport::HoldForScreenshot();

    SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(PaintedPixel(window, 300, 30), sys(COLOR_INACTIVECAPTION));
    EXPECT_EQ(form.CaptionLabel().GetFont().Color(), sys(COLOR_INACTIVECAPTIONTEXT));

    Switch(window, false);
    const tk::Bitmap drawn = dialogs::LoadDialogPicture(dialogs::kFirstRunBackground, 96);
    EXPECT_EQ(PaintedPixel(window, 300, 30), drawn.Pixel(300, 30) & 0xFFFFFF);
    EXPECT_EQ(form.DontRemindBox().BackColor(), RGB(221, 230, 248));
    EXPECT_EQ(form.CaptionLabel().GetFont().Color(), RGB(0, 0, 0));
}
