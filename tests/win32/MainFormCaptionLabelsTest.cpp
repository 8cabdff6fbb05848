// The main window's two caption labels (the hot-key hint and the link that changes it): sized to their
// text, clear of the title and the caption buttons, shown only in the full layout; and the caption
// buttons following each layout switch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "MainFormFixture.h"
#include "support/Pixels.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "base/Keyboard.h"
#include "base/Text.h"

using testsupport::MainFormTest;

namespace {

// Shift+Ctrl+Alt+Scroll Lock: the longest hint text a key can give.
constexpr const char* kLongestHotKey = "HotKey=7,145,57489\r\n";

bool Overlap(const RECT& a, const RECT& b) {
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

// The first and last columns where two pictures of the same size differ (-1 when they do not).
std::pair<int, int> DifferingColumns(const testsupport::Surface& a, const testsupport::Surface& b) {
    std::pair<int, int> columns{-1, -1};
    for (int x = 0; x < a.Width(); ++x) {
        for (int y = 0; y < a.Height(); ++y) {
            if (a.At(x, y) != b.At(x, y)) {
                columns = {columns.first < 0 ? x : columns.first, x};
                break;
            }
        }
    }
    return columns;
}

// The window's client rectangle as the screen shows it, once the window has painted what it owes.
testsupport::Surface Shot(HWND window, const RECT& area) {
    UpdateWindow(window);
    testsupport::Surface shot(area.right - area.left, area.bottom - area.top);
    BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), tk::WindowDc(window).Get(), area.left, area.top,
           SRCCOPY);
    return shot;
}

// The label's text drawn in its font where nothing clips it, from column 40 of a wide picture.
testsupport::Surface Unclipped(const tk::Label& label) {
    testsupport::Surface drawn(640, label.Height());
    tk::SelectGuard font(drawn.Dc(), label.GetFont().Handle());
    SetTextColor(drawn.Dc(), label.GetFont().Color());
    SetBkMode(drawn.Dc(), TRANSPARENT);
    RECT at{40, 0, drawn.Width(), drawn.Height()};
    DrawTextW(drawn.Dc(), label.Caption().c_str(), static_cast<int>(label.Caption().size()), &at,
              DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return drawn;
}

class CaptionLabelsTest : public MainFormTest {
  protected:
    app::TMainForm* ShowCompact() { return ShowMainForm(); }
    // What the browser's navigation events do when the page leaves, or comes back to, the start page.
    void SwitchLayout(app::TMainForm* form, bool full) {
        form->SetFullLayout(full);
        if (full) {
            form->SetResizable(true);
        }
        form->LoadLastPosInfo();
        tk::Application::Instance().ProcessMessages();
    }
    bool ButtonShown(app::TMainForm* form, int index) { return form->HotImage(index)->Visible(); }
    // No shown label overlaps the title, a shown caption button or the other label.
    void ExpectLabelsClear(app::TMainForm* form) {
        std::vector<RECT> taken{form->GetCaptionLabel()->BoundsRect()};
        for (int i = 0; i < 3; ++i) {
            if (ButtonShown(form, i)) {
                taken.push_back(form->HotImage(i)->BoundsRect());
            }
        }
        for (tk::Label* label : {&form->HintLabel(), &form->ModifyLabel()}) {
            if (!label->Visible()) {
                continue;
            }
            const std::string which = label == &form->HintLabel() ? "hot-key hint" : "change link";
            for (const RECT& other : taken) {
                EXPECT_FALSE(Overlap(label->BoundsRect(), other)) << which;
            }
            taken.push_back(label->BoundsRect());
        }
    }
};

// The same at each display scale (run once per scale by at_dpi.sh).
class AtDpiCaptionLabels : public CaptionLabelsTest {
  protected:
    void SetUp() override {
        if (!std::getenv("VELMORA_TEST_DPI")) {
            GTEST_SKIP() << "run once per display scale by at_dpi.sh";
        }
        CaptionLabelsTest::SetUp();
    }
};

}  // namespace

// At every scale the labels, in fonts made for the DPI, keep clear of each other, the title and the
// buttons in the full layout, and the link's right edge keeps its scaled distance from the window's.
TEST_F(AtDpiCaptionLabels, LabelsKeepClearAtTheDisplaysScale) {
    WriteUserConfig(kLongestHotKey);
    app::TMainForm* form = ShowCompact();
    SwitchLayout(form, true);
    RECT client{};
    ASSERT_TRUE(testsupport::WaitUntil([&] {
        GetClientRect(form->Handle(), &client);
        return client.right >= 800;
    }));
    tk::Label& link = form->ModifyLabel();
    ASSERT_TRUE(link.Visible());
    EXPECT_EQ(link.BoundsRect().right, client.right - form->Scale().ToPixels(78));
    ExpectLabelsClear(form);
}

TEST_F(CaptionLabelsTest, TheLongestHintFitsBetweenTheTitleAndTheButtonsAt800By600) {
    WriteUserConfig(kLongestHotKey);
    app::TMainForm* form = ShowCompact();
    SwitchLayout(form, true);
    ASSERT_TRUE(testsupport::WindowSizeComesTo(form->Handle(), 800, 600));
    tk::Label& hint = form->HintLabel();
    EXPECT_EQ(hint.Caption(), base::Utf8ToWide(config::HotKeyHintText(57489, form->HotKeyRegistered(),
                                                                      &base::SystemKeyName)));
    ASSERT_TRUE(hint.Visible());
    ASSERT_TRUE(form->ModifyLabel().Visible());
    // The right edges where the design puts them: 160 and 78 pixels from the window's right edge.
    EXPECT_EQ(hint.BoundsRect().right, 800 - 160);
    EXPECT_EQ(form->ModifyLabel().BoundsRect().right, 800 - 78);
    ExpectLabelsClear(form);

    // On the screen the whole text is there: the columns the hint adds (shown against hidden, from 40
    // pixels left of it) are those the text covers when nothing clips it.
    const RECT band{hint.Left() - 40, hint.Top(), hint.BoundsRect().right, hint.BoundsRect().bottom};
    const testsupport::Surface with = Shot(form->Handle(), band);
    hint.SetVisible(false);
    const testsupport::Surface without = Shot(form->Handle(), band);
    const testsupport::Surface unclipped = Unclipped(hint);
    const std::pair<int, int> expected =
        DifferingColumns(unclipped, testsupport::Surface(unclipped.Width(), unclipped.Height()));
    ASSERT_GE(expected.first, 40);
    EXPECT_EQ(DifferingColumns(with, without), expected);
}

TEST_F(CaptionLabelsTest, LabelsAndCaptionButtonsFollowEachLayoutSwitchAtOnce) {
    WriteUserConfig(kLongestHotKey);
    app::TMainForm* form = ShowCompact();
    EXPECT_FALSE(form->HintLabel().Visible());
    EXPECT_FALSE(form->ModifyLabel().Visible());
    SwitchLayout(form, true);
    EXPECT_TRUE(form->HintLabel().Visible());
    EXPECT_TRUE(ButtonShown(form, 0) && ButtonShown(form, 1));
    ExpectLabelsClear(form);

    // Back on the start page: compact, no labels, only the close button.
    SwitchLayout(form, false);
    EXPECT_FALSE(form->HintLabel().Visible());
    EXPECT_FALSE(form->ModifyLabel().Visible());
    EXPECT_FALSE(ButtonShown(form, 0) || ButtonShown(form, 1));
    EXPECT_TRUE(ButtonShown(form, 2));

    // Leaving it again keeps the compact size: the buttons come back at once, the link too, while the
    // hint has no room beside the title until the window grows.
    SwitchLayout(form, true);
    ASSERT_EQ(form->Width(), 400);
    EXPECT_TRUE(ButtonShown(form, 0) && ButtonShown(form, 1));
    EXPECT_TRUE(form->ModifyLabel().Visible());
    EXPECT_FALSE(form->HintLabel().Visible());
    ExpectLabelsClear(form);
    form->SetBounds(form->Left(), form->Top(), 800, 600);  // as the user resizes it
    EXPECT_TRUE(testsupport::WaitUntil([&] { return form->HintLabel().Visible(); }));
    ExpectLabelsClear(form);
}
