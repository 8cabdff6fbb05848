// Both dialogs at the display's scale: at every scale (the AtDpiDialogs suite, run once per scale by
// at_dpi.sh) each text is shown whole, the window and its controls are where the 96 DPI design puts
// them scaled, and the pictures are drawn for the scale without a trace of their key colour; and a
// DPI change that reaches an open dialog re-places and re-draws it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "AccessibleReading.h"
#include "DialogFixture.h"
#include "dialogs/FirstOptionFrm.h"
#include "dialogs/UserConfigFrm.h"
#include "base/Text.h"
#include "support/Pixels.h"
#include "toolkit/WindowDpi.h"

using namespace testsupport;
using dialogs::DesignRect;
using dialogs::TFirstOptionForm;
using dialogs::TUserConfigForm;

namespace {

// What a test looks at in one dialog: its design client size, controls with their design places,
// and the texts it shows.
struct DialogView {
    const char* name = "";
    tk::Form* form = nullptr;
    DesignRect client;
    std::vector<std::pair<tk::Control*, DesignRect>> places;
    std::vector<tk::ButtonControl*> boxes;  // check boxes and radio buttons
    std::vector<tk::Label*> labels;
    tk::HotKeyEdit* hotKey = nullptr;
    std::vector<tk::ImageButton*> imageButtons;
};

DialogView ViewOf(TUserConfigForm* form) {
    return DialogView{
        "settings",
        form,
        {0, 0, 423, 452},
        {{&form->OkButton(), {102, 417, 79, 22}},
         {&form->CloseButton(), {398, 4, 18, 18}},
         {&form->HotKeyControl(), {130, 349, 127, 21}},
         {&form->StartPanel(), {19, 61, 385, 87}},
         {&form->ClearAutoRunButton(), {222, 33, 86, 15}}},
        {&form->AutoRunButton(), &form->ClearAutoRunButton(), &form->MinSizeButton(), &form->ExitButton()},
        {&form->HotKeyLabel()},
        &form->HotKeyControl(),
        {&form->OkButton(), &form->CancelButton(), &form->CloseButton()}};
}

DialogView ViewOf(TFirstOptionForm* form) {
    return DialogView{"first-run",
                      form,
                      {0, 0, 354, 211},
                      {{&form->OkButton(), {240, 168, 79, 22}},
                       {&form->CloseButton(), {329, 7, 18, 18}},
                       {&form->DontRemindBox(), {30, 168, 185, 17}}},
                      {&form->DesktopShortcutBox(), &form->ProgramShortcutBox(), &form->DontRemindBox()},
                      {&form->CaptionLabel()},
                      nullptr,
                      {&form->OkButton(), &form->CloseButton()}};
}

RECT ScaledRect(const DesignRect& design, const tk::DpiScale& scale) {
    const dialogs::PixelRect r = dialogs::Scaled(design, scale);
    return RECT{r.left, r.top, r.left + r.width, r.top + r.height};
}

// The size of a text in a font, as the system lays it out.
SIZE TextSize(const std::wstring& text, HFONT font) {
    tk::WindowDc screen(nullptr);
    tk::SelectGuard select(screen.Get(), font);
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// The bounding box of what a control draws (every pixel unlike its background) when it paints
// itself into a surface at width x height; the window is put back at its own size afterwards.
SIZE InkSize(HWND control, int width, int height) {
    RECT own{};
    GetClientRect(control, &own);
    const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    SetWindowPos(control, nullptr, 0, 0, width, height, flags);
    testsupport::Surface surface(width, height);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowPos(control, nullptr, 0, 0, own.right, own.bottom, flags);
    const COLORREF background = surface.At(width - 1, height - 1);
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (surface.At(x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? SIZE{0, 0} : SIZE{right - left + 1, bottom - top + 1};
}

bool NearMagenta(COLORREF c) {
    return GetRValue(c) > 160 && GetBValue(c) > 160 && GetGValue(c) < 120;
}

// The checks at one scale, for one open dialog.
void ExpectLaidOutAndWhole(const DialogView& view) {
    SCOPED_TRACE(view.name);
    tk::Form& form = *view.form;
    const tk::DpiScale scale = form.Scale();
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, scale.ToPixels(view.client.width));
    EXPECT_EQ(client.bottom, scale.ToPixels(view.client.height));
    for (const auto& [control, design] : view.places) {
        const RECT expected = ScaledRect(design, scale);
        const RECT actual = control->BoundsRect();
        EXPECT_TRUE(EqualRect(&expected, &actual))
            << "a control at " << design.left << "," << design.top << " is at " << control->Left() << ","
            << control->Top() << " " << control->Width() << "x" << control->Height();
    }
    // Check boxes and radio buttons: what they draw at their size is what they draw with room to
    // spare, so no part of the text is cut off.
    for (tk::ButtonControl* box : view.boxes) {
        SCOPED_TRACE(base::WideToUtf8(box->Caption()));
        const SIZE shown = InkSize(box->Handle(), box->Width(), box->Height());
        const SIZE roomy = InkSize(box->Handle(), box->Width() * 2, box->Height() * 2);
        EXPECT_GT(shown.cx, TextSize(box->Caption(), box->GetFont().Handle()).cx);
        EXPECT_EQ(shown.cx, roomy.cx);
        EXPECT_EQ(shown.cy, roomy.cy);
    }
    for (tk::Label* label : view.labels) {
        SCOPED_TRACE(base::WideToUtf8(label->Caption()));
        label->GetFont().SetDpi(label->Dpi());  // as painting makes it
        const SIZE text = TextSize(label->Caption(), label->GetFont().Handle());
        EXPECT_LE(text.cx, label->Width());
        EXPECT_LE(text.cy, label->Height());
    }
    if (view.hotKey) {
        ASSERT_EQ(view.hotKey->HotKey(), 0x0078);
        RECT box{};
        GetClientRect(view.hotKey->Handle(), &box);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(view.hotKey->Handle(), WM_GETFONT, 0, 0));
        const SIZE text = TextSize(L"F9", font);
        EXPECT_LT(text.cx, box.right);
        EXPECT_LE(text.cy, box.bottom);
    }
    // Each button's face is drawn for this scale, at the button's size, see-through at its corners,
    // and the screen shows no key colour around its rounded edge.
    for (tk::ImageButton* button : view.imageButtons) {
        const tk::Bitmap& face = button->Picture();
        EXPECT_EQ(face.Width(), button->Width());
        EXPECT_EQ(face.Height(), button->Height());
        EXPECT_TRUE(face.HasAlpha());
        // Premultiplied, a see-through pixel is black; scaled to a size between the drawn ones, the
        // corner takes a trace of the frame beside it.
        const COLORREF corner = face.Pixel(0, 0);
        EXPECT_LT(std::max({GetRValue(corner), GetGValue(corner), GetBValue(corner)}), 32)
            << std::hex << corner;
        const std::vector<COLORREF> shown = testsupport::ClientPixels(form.Handle(), button->BoundsRect());
        EXPECT_EQ(std::count_if(shown.begin(), shown.end(), NearMagenta), 0);
    }
}

class DialogsAtScaleTest : public testsupport::DialogTest {
  protected:
    TUserConfigForm* OpenSettings() {
        auto* form = &tk::CreateForm<TUserConfigForm>(main_);
        form->Show();
        tk::Application::Instance().ProcessMessages();
        return form;
    }
    TFirstOptionForm* OpenFirstRun() {
        TFirstOptionForm* form = dialogs::ShowFirstOptionDialog(main_);
        tk::Application::Instance().ProcessMessages();
        return form;
    }
};

// Run once per display scale by at_dpi.sh.
class AtDpiDialogs : public DialogsAtScaleTest {
  protected:
    void SetUp() override {
        const char* dpi = std::getenv("VELMORA_TEST_DPI");
        if (!dpi) {
            GTEST_SKIP() << "run once per display scale by at_dpi.sh";
        }
        dpi_ = std::atoi(dpi);
        DialogsAtScaleTest::SetUp();
    }
    int dpi_ = 0;
};

}  // namespace

TEST_F(AtDpiDialogs, TextsAreWholeAndTheLayoutIsTheDesignScaled) {
    ASSERT_EQ(tk::SystemDpi(), dpi_) << "the prefix's LogPixels did not reach this process";
    TUserConfigForm* settings = OpenSettings();
    ASSERT_EQ(settings->Dpi(), dpi_);
    ExpectLaidOutAndWhole(ViewOf(settings));
    testsupport::HoldForScreenshot();
    // The settings dialog's background is drawn for the scale: the design's size there.
    EXPECT_EQ(settings->Background().Picture().Width(), settings->Scale().ToPixels(423));
    EXPECT_EQ(settings->Background().Picture().Height(), settings->Scale().ToPixels(456));
    // The drag strip covers the design's rows 0 to 28 and columns up to the close cross at this scale.
    const tk::DpiScale scale = settings->Scale();
    EXPECT_EQ(testsupport::HitTest(settings->Handle(), scale.ToPixels(399) - 1, scale.ToPixels(29) - 1),
              HTCAPTION);
    EXPECT_EQ(testsupport::HitTest(settings->Handle(), scale.ToPixels(200), scale.ToPixels(29)), HTCLIENT);
    EXPECT_EQ(testsupport::HitTest(settings->Handle(), scale.ToPixels(399), scale.ToPixels(10)), HTCLIENT);
    settings->Release();
    tk::Application::Instance().ProcessMessages();

    ExpectLaidOutAndWhole(ViewOf(OpenFirstRun()));
    testsupport::HoldForScreenshot();
}

// The system sends WM_DPICHANGED when the window moves to a display of another scale (Wine does not);
// sent here as the system sends it, it puts the open dialog in its layout for the new scale.
TEST_F(DialogsAtScaleTest, ADpiChangeReplacesTheOpenDialogsControlsAndPictures) {
    const std::function<DialogView()> opens[] = {[this] { return ViewOf(OpenSettings()); },
                                                 [this] { return ViewOf(OpenFirstRun()); }};
    for (const auto& open : opens) {
        const DialogView view = open();
        SCOPED_TRACE(view.name);
        tk::Form& form = *view.form;
        const int start = form.Dpi();
        for (const int dpi : {start * 2, start * 5 / 4, start}) {
            SCOPED_TRACE(dpi);
            const tk::DpiScale scale(dpi);
            const RECT now = testsupport::WindowRect(form.Handle());
            RECT suggested{now.left, now.top, now.left + scale.ToPixels(view.client.width),
                           now.top + scale.ToPixels(view.client.height)};
            SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&suggested));
            ASSERT_EQ(form.Dpi(), dpi);
            ExpectLaidOutAndWhole(view);
            // The rounded shape follows the new size: the corner is cut, the middle of the bottom
            // edge is inside.
            tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
            ASSERT_NE(GetWindowRgn(form.Handle(), region.Get()), ERROR);
            const int width = scale.ToPixels(view.client.width), height = scale.ToPixels(view.client.height);
            EXPECT_FALSE(PtInRegion(region.Get(), width - 1, height - 1));
            EXPECT_TRUE(PtInRegion(region.Get(), width / 2, height - 2));
        }
        form.Release();
        tk::Application::Instance().ProcessMessages();
    }
}

// Screen readers see each dialog's image buttons as push buttons by name, where they are; their
// default action is a click.
TEST_F(DialogsAtScaleTest, ScreenReadersSeeTheImageButtonsByNameAndPressThem) {
    TUserConfigForm* settings = OpenSettings();
    base::ComPtr<IAccessible> object = ClientObjectOf(settings->Handle());
    ASSERT_TRUE(object);
    EXPECT_EQ(AccChildNames(object.Get()), (std::vector<std::wstring>{L"确定", L"取消", L"关闭"}));
    for (long id = 1; id <= 3; ++id) {
        EXPECT_EQ(AccRole(object.Get(), id), ROLE_SYSTEM_PUSHBUTTON);
    }
    RECT cancel = settings->CancelButton().BoundsRect();
    MapWindowPoints(settings->Handle(), nullptr, reinterpret_cast<POINT*>(&cancel), 2);
    EXPECT_EQ(AccLocation(object.Get(), 2), BoxOfRect(cancel));
    // A screen reader can move the keyboard focus to one.
    EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, ChildId(2)), S_OK);
    EXPECT_TRUE(settings->CancelButton().Focused());
    EXPECT_TRUE(AccState(object.Get(), 2) & STATE_SYSTEM_FOCUSED);
    // Cancel ends the dialog as a click does (once the posted press is handled).
    EXPECT_EQ(object->accDoDefaultAction(ChildId(2)), S_OK);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return settings->GetModalResult() == tk::kModalCancel; }));

    TFirstOptionForm* firstRun = OpenFirstRun();
    base::ComPtr<IAccessible> first = ClientObjectOf(firstRun->Handle());
    ASSERT_TRUE(first);
    EXPECT_EQ(AccChildNames(first.Get()), (std::vector<std::wstring>{L"确定", L"关闭"}));
}
