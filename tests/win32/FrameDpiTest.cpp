// The skinned main window at the display's scale: at start on a scaled display (the AtDpiFrame
// suite, run once per scale by at_dpi.sh) and when a DPI change arrives while it runs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>
#include <string>

#include "MainFormFixture.h"
#include "support/Wait.h"
#include "app/TrayMenuLayout.h"
#include "toolkit/GdiHandles.h"

using testsupport::MainFormTest;

namespace {

class FrameDpiTest : public MainFormTest {
  protected:
    // The frame's parts where the design puts them at the window's scale: the caption 32 deep, the
    // buttons 20 x 22 in a row ending 8 from the right edge, the shape's corners 9 across, and the
    // images made for that scale (drawn sets at 150 % and 200 %, scaled between them).
    void ExpectFrameAtScale(app::TMainForm* form) {
        const tk::DpiScale scale = form->Scale();
        auto S = [&](int design) { return scale.ToPixels(design); };
        const int caption = S(32);
        EXPECT_EQ(form->FrameCaptionHeight(), caption);
        EXPECT_EQ(form->TopStrip().Height(), caption);
        const tk::Bitmap* top = form->SkinImageAt(skin::kTopActivate);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(top->HasAlpha(), scale.Dpi() != 96 && scale.Dpi() != 144 && scale.Dpi() != 192)
            << "a drawn set is loaded as it is, any other scale is made from one";
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        const int width = window.right - window.left;
        for (int i = 0; i < 3; ++i) {
            const RECT at = form->HotImage(i)->BoundsRect();
            const int left = width - S(20) * (3 - i) - S(8);
            const int y = (caption - S(22)) / 2 + S(1);
            EXPECT_EQ(at.left, left) << i;
            EXPECT_EQ(at.top, y) << i;
            EXPECT_EQ(at.right - at.left, S(20)) << i;
            EXPECT_EQ(at.bottom - at.top, S(22)) << i;
        }
        tk::UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(form->Handle(), shape.Get()), ERROR);
        tk::UniqueRegion expected(
            CreateRoundRectRgn(0, 0, width + 1, window.bottom - window.top + 1, S(9), S(9)));
        tk::UniqueRegion diff(CreateRectRgn(0, 0, 0, 0));
        RECT box{};
        const int kind = CombineRgn(diff.Get(), shape.Get(), expected.Get(), RGN_XOR);
        GetRgnBox(diff.Get(), &box);
        EXPECT_EQ(kind, NULLREGION) << box.left << "," << box.top << "-" << box.right << "," << box.bottom;
        // The title is not cut: its label holds its text and stays inside the caption.
        const tk::Label* title = form->GetCaptionLabel();
        tk::WindowDc screen(nullptr);
        tk::SelectGuard font(screen.Get(), title->GetFont().Handle());
        SIZE text{};
        GetTextExtentPoint32W(screen.Get(), title->Caption().c_str(),
                              static_cast<int>(title->Caption().size()), &text);
        EXPECT_GE(title->Height(), text.cy);
        EXPECT_GE(title->Width(), text.cx);
        EXPECT_LE(title->BoundsRect().bottom, caption);
    }
};

class AtDpiFrame : public FrameDpiTest {
  protected:
    void SetUp() override {
        if (!std::getenv("VELMORA_TEST_DPI")) {
            GTEST_SKIP() << "run once per display scale by at_dpi.sh";
        }
        FrameDpiTest::SetUp();
    }
};

// A screen DC with the system's menu font, as the menu measures its items with.
class MenuFontDc {
  public:
    MenuFontDc() : screen_(nullptr) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        font_.Reset(CreateFontIndirectW(&metrics.lfMenuFont));
        select_.emplace(screen_.Get(), font_.Get());
    }
    HDC Get() const { return screen_.Get(); }
    // The width a row needs: the caption after the scaled indent.
    int Needs(const std::wstring& caption, const tk::DpiScale& scale) const {
        SIZE text{};
        GetTextExtentPoint32W(Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
        return scale.ToPixels(app::kMenuCaptionIndent) + text.cx;
    }

  private:
    tk::WindowDc screen_;
    tk::UniqueFont font_;
    std::optional<tk::SelectGuard> select_;
};

}  // namespace

// Started on a scaled display: the compact window, its frame and the tray menu's rows take the scale.
TEST_F(AtDpiFrame, TheCompactWindowItsFrameAndTheMenuRowsTakeTheDisplaysScale) {
    app::TMainForm* form = ShowMainForm();
    const tk::DpiScale scale = form->Scale();
    ASSERT_EQ(scale.Dpi(), std::atoi(std::getenv("VELMORA_TEST_DPI")));
    ASSERT_TRUE(testsupport::WindowSizeComesTo(form->Handle(), scale.ToPixels(400), scale.ToPixels(250)));
    ExpectFrameAtScale(form);

    const MenuFontDc dc;
    std::vector<const tk::MenuItem*> rows;
    for (const auto& item : form->TrayMenu().Items()) {
        rows.push_back(item.get());
        for (const auto& preset : item->Items()) {
            rows.push_back(preset.get());
        }
    }
    for (const tk::MenuItem* row : rows) {
        int width = 0, height = 0;
        row->OnMeasureItem(dc.Get(), width, height);
        EXPECT_GE(width, dc.Needs(row->caption, scale)) << base::WideToUtf8(row->caption);
        EXPECT_GE(height, scale.ToPixels(20));
    }
}

// A DPI change while the window runs (as when it is dragged to another monitor) moves it to the
// suggested rectangle and re-makes the whole frame for the new scale.
TEST_F(FrameDpiTest, ADpiChangeRemakesTheFrameForTheNewScale) {
    app::TMainForm* form = ShowMainForm();
    const int start = form->Dpi();
    for (int dpi : {start * 2, start * 3 / 2 + 24, start}) {
        const tk::DpiScale scale(dpi);
        RECT suggested{60, 40, 60 + scale.ToPixels(400), 40 + scale.ToPixels(250)};
        SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        ASSERT_EQ(form->Dpi(), dpi);
        RECT now{};
        GetWindowRect(form->Handle(), &now);
        EXPECT_EQ(now.left, 60);
        EXPECT_EQ(now.right - now.left, scale.ToPixels(400));
        EXPECT_EQ(now.bottom - now.top, scale.ToPixels(250));
        ExpectFrameAtScale(form);
    }
}
