// Colour reflection: the colour messages (and the commands) that a system control sends its parent
// are answered by the child control itself, which is how check boxes and radio buttons get their
// own text colour and background.
#include <gtest/gtest.h>

#include <vector>

#include "ToolkitTesting.h"
#include "toolkit/Button.h"
#include "toolkit/Panel.h"

using testsupport::Surface;

namespace {

constexpr COLORREF kPanel = RGB(230, 240, 250);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH info{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(info), &info);
    return info.lbColor;
}

// A windowed control of a system class that records what its parent reflects to it.
class ReflectionProbe : public tk::WinControl {
  public:
    explicit ReflectionProbe(tk::WinControl* parent) : tk::WinControl(parent) {
        tk::WindowParams p;
        p.className = L"STATIC";
        p.systemClass = true;
        p.style = WS_CHILD | WS_VISIBLE;
        p.parentOrOwner = parent->Handle();
        p.width = 20;
        p.height = 20;
        CreateHandle(p);
    }
    bool ReflectedMessage(UINT message, WPARAM, LPARAM, LRESULT* result) override {
        messages.push_back(message);
        *result = 0x5150;
        return true;
    }
    std::vector<UINT> messages;
};

// A red-lettered check box on a light panel of a form.
class ToolkitColourReflection : public ::testing::Test {
  protected:
    ToolkitColourReflection() {
        box_.GetFont().SetColor(kRed);
        box_.FontChanged();
    }

    tk::FormPtr<tk::Form> form_ = testsupport::PlainForm();
    tk::Panel panel_{form_.get(), 0, 0, 200, 100, kPanel};
    tk::CheckBox box_{&panel_, 10, 10, 150, 20, L"IIIIIIII"};
};

}  // namespace

TEST_F(ToolkitColourReflection, EveryColourMessageNamingAToolkitChildReachesThatChild) {
    ReflectionProbe onForm(form_.get());
    ReflectionProbe onPanel(&panel_);
    Surface surface(4, 4);
    const WPARAM dc = reinterpret_cast<WPARAM>(surface.Dc());
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT}) {
        EXPECT_EQ(SendMessageW(form_->Handle(), message, dc, reinterpret_cast<LPARAM>(onForm.Handle())),
                  0x5150);
        EXPECT_EQ(SendMessageW(panel_.Handle(), message, dc, reinterpret_cast<LPARAM>(onPanel.Handle())),
                  0x5150);
    }
    const std::vector<UINT> expected{WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT};
    EXPECT_EQ(onForm.messages, expected);
    EXPECT_EQ(onPanel.messages, expected);

    // A window that is not one of the toolkit's gets the system's answer, and no child is asked.
    tk::UniqueWindow foreign(CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, panel_.Handle(),
                                             nullptr, GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(foreign);
    EXPECT_NE(SendMessageW(panel_.Handle(), WM_CTLCOLORSTATIC, dc, reinterpret_cast<LPARAM>(foreign.Get())),
              0x5150);
    EXPECT_EQ(onPanel.messages.size(), 3u);
}

TEST_F(ToolkitColourReflection, ACheckBoxAnswersWithItsTextColourAndItsParentsColourUntilItHasItsOwn) {
    Surface surface(4, 4);
    const WPARAM dc = reinterpret_cast<WPARAM>(surface.Dc());
    const LPARAM child = reinterpret_cast<LPARAM>(box_.Handle());

    const LRESULT brush = SendMessageW(panel_.Handle(), WM_CTLCOLORSTATIC, dc, child);
    EXPECT_EQ(BrushColour(brush), kPanel);
    EXPECT_EQ(GetTextColor(surface.Dc()), kRed);
    EXPECT_EQ(GetBkColor(surface.Dc()), kPanel);
    // One brush while the colour stays (none made per paint), a new one for a new colour.
    EXPECT_EQ(SendMessageW(panel_.Handle(), WM_CTLCOLORBTN, dc, child), brush);
    box_.SetBackColor(kGreen);
    EXPECT_EQ(BrushColour(SendMessageW(panel_.Handle(), WM_CTLCOLORBTN, dc, child)), kGreen);
    EXPECT_EQ(GetBkColor(surface.Dc()), kGreen);
}

TEST_F(ToolkitColourReflection, TheSystemCheckBoxPaintsItselfInTheReflectedColours) {
    Surface surface(150, 20, RGB(1, 2, 3));
    SendMessageW(box_.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    EXPECT_EQ(surface.At(148, 1), kPanel);       // right of the text: the panel's colour
    EXPECT_GT(surface.CountNear(kRed, 120), 0);  // the text in the box's colour (smoothed at its edges)
    EXPECT_EQ(surface.Count(RGB(1, 2, 3)), 0);
}

TEST_F(ToolkitColourReflection, AClickOnACheckBoxReachesItsClickEventThroughItsParent) {
    int clicks = 0;
    box_.OnClick = [&] { ++clicks; };
    SendMessageW(box_.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box_.Checked());
}
