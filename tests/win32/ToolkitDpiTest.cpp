// The toolkit at the display's scale: forms, labels and fonts follow their window's DPI, at start on
// a scaled display (the AtDpi suite, run once per scale by at_dpi.sh) and when a DPI change arrives.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ToolkitTesting.h"
#include "toolkit/Application.h"
#include "toolkit/Label.h"
#include "toolkit/WindowDpi.h"

using testsupport::PlainDesign;

namespace {

// The DPI the prefix's display was set to for this run; 0 outside the per-scale runs.
int DisplayDpiOfRun() {
    const char* value = std::getenv("VELMORA_TEST_DPI");
    return value ? std::atoi(value) : 0;
}

// The pixel height of a label's font as the system made it.
int FontPixels(const tk::Font& font) {
    LOGFONTW made{};
    GetObjectW(font.Handle(), sizeof(made), &made);
    return made.lfHeight < 0 ? -made.lfHeight : made.lfHeight;
}

class CountingForm final : public tk::Form {
  public:
    using Form::Form;
    void FormDpiChanged() override {
        ++dpiChanges;
        labelHeightSeen = label ? label->Height() : -1;
    }
    void FormResize() override { ++resizes; }
    tk::Label* label = nullptr;
    int dpiChanges = 0;
    int resizes = 0;
    int labelHeightSeen = -1;
};

class AtDpi : public ::testing::Test {
  protected:
    void SetUp() override {
        dpi_ = DisplayDpiOfRun();
        if (dpi_ == 0) {
            GTEST_SKIP() << "run once per display scale by at_dpi.sh";
        }
    }
    int dpi_ = 0;
};

TEST_F(AtDpi, FormsAndFontsTakeTheDisplaysScale) {
    ASSERT_EQ(tk::SystemDpi(), dpi_) << "the prefix's LogPixels did not reach this process";
    auto form = testsupport::PlainForm(300, 200);
    EXPECT_EQ(form->Dpi(), dpi_);
    EXPECT_EQ(form->ClientWidth(), MulDiv(300, dpi_, 96));
    EXPECT_EQ(form->ClientHeight(), MulDiv(200, dpi_, 96));

    tk::Label label(form.get());
    label.GetFont().SetFace(L"宋体");
    label.GetFont().SetPoints(9);
    label.SetCaption(L"开机自动启动");
    // 9 pt is 12 px at 96 DPI, 15 at 120, 18 at 144, 24 at 192.
    EXPECT_EQ(FontPixels(label.GetFont()), MulDiv(9, dpi_, 72));
    EXPECT_GE(label.Height(), MulDiv(9, dpi_, 72));
}

}  // namespace

// A DPI change moves the form to the suggested rectangle, has every label re-measure with a font
// made for the new DPI before the form re-makes its own parts, and lays out once.
TEST(ToolkitDpiChange, MovesToTheSuggestedRectangleAndRescalesOnce) {
    tk::FormPtr<CountingForm> form(new CountingForm(PlainDesign(300, 200)));
    const int start = form->Dpi();
    tk::Label& label = form->Add<tk::Label>();
    label.GetFont().SetFace(L"宋体");
    label.GetFont().SetPoints(9);
    label.SetCaption(L"开机自动启动");
    form->label = &label;
    const int startHeight = label.Height();

    RECT suggested{150, 120, 150 + 600, 120 + 400};
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(start * 2, start * 2),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form->Dpi(), start * 2);
    RECT now{};
    GetWindowRect(form->Handle(), &now);
    EXPECT_EQ(now.left, 150);
    EXPECT_EQ(now.top, 120);
    EXPECT_EQ(now.right - now.left, 600);
    EXPECT_EQ(now.bottom - now.top, 400);
    EXPECT_EQ(form->dpiChanges, 1);
    EXPECT_EQ(form->resizes, 1);
    EXPECT_GT(form->labelHeightSeen, startHeight);
    EXPECT_EQ(FontPixels(label.GetFont()), MulDiv(9, start * 2, 72));

    // Under per-monitor v2 the system asks the size at a new DPI first: the same size at 96 DPI.
    SIZE asked{0, 0};
    EXPECT_TRUE(
        SendMessageW(form->Handle(), tk::kWmGetDpiScaledSize, start, reinterpret_cast<LPARAM>(&asked)));
    EXPECT_EQ(asked.cx, 300);
    EXPECT_EQ(asked.cy, 200);

    // A stray message with no display's DPI in it changes nothing.
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(0, 0), 0);
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(60000, 60000), 0);
    EXPECT_EQ(form->Dpi(), start * 2);
    EXPECT_EQ(form->dpiChanges, 1);
    // One posted with a pointer in it is dropped.
    PostMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(start, start), 1);
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(form->Dpi(), start * 2);
}
