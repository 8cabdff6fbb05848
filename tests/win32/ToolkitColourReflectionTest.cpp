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

}  // namespace

TEST(ToolkitColourReflection, EveryColourMessageNamingAToolkitChildReachesThatChild) {
    auto form = testsupport::PlainForm();
    tk::Panel panel(form.get(), 0, 0, 200, 100);
    ReflectionProbe onForm(form.get());
    ReflectionProbe onPanel(&panel);
    Surface surface(4, 4);
    const WPARAM dc = reinterpret_cast<WPARAM>(surface.Dc());
    for (UINT message : {WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT}) {
        EXPECT_EQ(SendMessageW(form->Handle(), message, dc, reinterpret_cast<LPARAM>(onForm.Handle())),
                  0x5150);
        EXPECT_EQ(SendMessageW(panel.Handle(), message, dc, reinterpret_cast<LPARAM>(onPanel.Handle())),
                  0x5150);
    }
    const std::vector<UINT> expected{WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT};
    EXPECT_EQ(onForm.messages, expected);
    EXPECT_EQ(onPanel.messages, expected);

    // A window that is not one of the toolkit's gets the system's answer, and no child is asked.
    HWND foreign = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, panel.Handle(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(foreign, nullptr);
    EXPECT_NE(SendMessageW(panel.Handle(), WM_CTLCOLORSTATIC, dc, reinterpret_cast<LPARAM>(foreign)), 0x5150);
    EXPECT_EQ(onPanel.messages.size(), 3u);
    DestroyWindow(foreign);
}

TEST(ToolkitColourReflection, ACheckBoxAnswersWithItsTextColourAndItsParentsColourUntilItHasItsOwn) {
    auto form = testsupport::PlainForm();
    tk::Panel panel(form.get(), 0, 0, 200, 100, kPanel);
    tk::CheckBox box(&panel, 10, 10, 120, 20, L"choice");
    box.GetFont().SetColor(kRed);
    box.FontChanged();
    Surface surface(4, 4);
    const WPARAM dc = reinterpret_cast<WPARAM>(surface.Dc());
    const LPARAM child = reinterpret_cast<LPARAM>(box.Handle());

    const LRESULT brush = SendMessageW(panel.Handle(), WM_CTLCOLORSTATIC, dc, child);
    EXPECT_EQ(BrushColour(brush), kPanel);
    EXPECT_EQ(GetTextColor(surface.Dc()), kRed);
    EXPECT_EQ(GetBkColor(surface.Dc()), kPanel);
    // One brush while the colour stays (none made per paint), a new one for a new colour.
    EXPECT_EQ(SendMessageW(panel.Handle(), WM_CTLCOLORBTN, dc, child), brush);
    box.SetBackColor(kGreen);
    EXPECT_EQ(BrushColour(SendMessageW(panel.Handle(), WM_CTLCOLORBTN, dc, child)), kGreen);
    EXPECT_EQ(GetBkColor(surface.Dc()), kGreen);
}

TEST(ToolkitColourReflection, TheSystemCheckBoxPaintsItselfInTheReflectedColours) {
    auto form = testsupport::PlainForm();
    tk::Panel panel(form.get(), 0, 0, 200, 100, kPanel);
    tk::CheckBox box(&panel, 10, 10, 150, 20, L"IIIIIIII");
    box.GetFont().SetColor(kRed);
    box.FontChanged();
    Surface surface(150, 20, RGB(1, 2, 3));
    SendMessageW(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    EXPECT_EQ(surface.At(148, 1), kPanel);       // right of the text: the panel's colour
    EXPECT_GT(surface.CountNear(kRed, 120), 0);  // the text in the box's colour (smoothed at its edges)
    EXPECT_EQ(surface.Count(RGB(1, 2, 3)), 0);
}

TEST(ToolkitColourReflection, AClickOnACheckBoxReachesItsClickEventThroughItsParent) {
    auto form = testsupport::PlainForm();
    tk::Panel panel(form.get(), 0, 0, 200, 100);
    tk::CheckBox box(&panel, 10, 10, 120, 20, L"choice");
    int clicks = 0;
    box.OnClick = [&] { ++clicks; };
    SendMessageW(box.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box.Checked());
}
