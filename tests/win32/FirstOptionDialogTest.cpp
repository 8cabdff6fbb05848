// The first-run dialog on real windows: its prepared state, the shortcuts and the reminder value it
// writes on OK and on the close cross, a failing write, and the drag strip.
#include <gtest/gtest.h>

#include <functional>

#include "DialogFixture.h"
#include "dialogs/FirstOptionFrm.h"
#include "support/MessageBoxes.h"
#include "base/Text.h"

using dialogs::TFirstOptionForm;
using testsupport::ClickAt;
using testsupport::ClientPixel;
using testsupport::HitTest;
using testsupport::PathExists;

namespace {

class FirstOptionDialogTest : public testsupport::DialogTest {
  protected:
    TFirstOptionForm* Open() {
        TFirstOptionForm* form = dialogs::ShowFirstOptionDialog(main_);
        tk::Application::Instance().ProcessMessages();
        return form;
    }
    static void Toggle(tk::CheckBox& box) { SendMessageW(box.Handle(), BM_CLICK, 0, 0); }
    static void ClickOk(TFirstOptionForm* form) { ClickAt(form->Handle(), 250, 178); }
    static void ClickCloseCross(TFirstOptionForm* form) { ClickAt(form->Handle(), 338, 16); }
    static bool Closed() {
        return testsupport::WaitUntil([] { return dialogs::TFirstOptionForm::Current() == nullptr; }) &&
               testsupport::WaitUntil([] { return FindWindowW(L"TFirstOptionForm", nullptr) == nullptr; });
    }
    void ExpectBothShortcuts() {
        testsupport::LinkContent desktop = testsupport::ReadLink(testsupport::DesktopLink());
        ASSERT_TRUE(desktop.loaded);
        EXPECT_EQ(desktop.target, base::ExePath());
        EXPECT_EQ(desktop.workDir, base::ExeFolder());
        testsupport::LinkContent group = testsupport::ReadLink(testsupport::ProgramGroupLink());
        ASSERT_TRUE(group.loaded);
        EXPECT_EQ(group.target, base::ExePath());
        EXPECT_EQ(group.workDir, base::ExeFolder());
    }
};

}  // namespace

TEST_F(FirstOptionDialogTest, OpensCheckedOnTopAndCentredOnTheMainWindow) {
    TFirstOptionForm* form = Open();
    ASSERT_EQ(dialogs::TFirstOptionForm::Current(), form);
    EXPECT_EQ(dialogs::ShowFirstOptionDialog(main_), form);  // one at a time
    EXPECT_EQ(form->Caption(), base::Utf8ToWide("启动选择"));
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_NE(GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), main_->Handle());
    const RECT window = testsupport::WindowRect(form->Handle());
    const RECT mainRect = testsupport::WindowRect(main_->Handle());
    EXPECT_EQ(window.right - window.left, 354);
    EXPECT_EQ(window.bottom - window.top, 211);
    EXPECT_EQ(window.left, mainRect.left + (800 - 354) / 2);
    EXPECT_EQ(window.top, mainRect.top + (600 - 211) / 2);
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 3, 3));
    EXPECT_TRUE(form->DesktopShortcutBox().Checked());
    EXPECT_TRUE(form->ProgramShortcutBox().Checked());
    EXPECT_TRUE(form->DontRemindBox().Checked());
    // Each box paints its own background colour (read back from the screen).
    tk::CheckBox& desktop = form->DesktopShortcutBox();
    tk::CheckBox& remind = form->DontRemindBox();
    EXPECT_EQ(ClientPixel(desktop.Handle(), desktop.Width() - 2, 1), RGB(228, 235, 250));
    EXPECT_EQ(ClientPixel(remind.Handle(), remind.Width() - 2, 1), RGB(221, 230, 248));
}

TEST_F(FirstOptionDialogTest, ConfirmingTheDefaultsMakesBothShortcutsAndStopsTheReminder) {
    ClickOk(Open());
    ExpectBothShortcuts();
    EXPECT_EQ(UserValue("ShotCutRemind"), "0");
    EXPECT_TRUE(Closed());
}

TEST_F(FirstOptionDialogTest, TheCloseCrossDoesWhatOkDoes) {
    ClickCloseCross(Open());
    ExpectBothShortcuts();
    EXPECT_EQ(UserValue("ShotCutRemind"), "0");
    EXPECT_TRUE(Closed());
}

TEST_F(FirstOptionDialogTest, UncheckingDontRemindAsksAgainNextTime) {
    TFirstOptionForm* form = Open();
    Toggle(form->DontRemindBox());
    EXPECT_FALSE(form->DontRemindBox().Checked());
    ClickOk(form);
    EXPECT_EQ(UserValue("ShotCutRemind"), "1");
    ExpectBothShortcuts();
    EXPECT_TRUE(Closed());
}

TEST_F(FirstOptionDialogTest, WithoutShortcutBoxesOnlyTheReminderIsWritten) {
    TFirstOptionForm* form = Open();
    Toggle(form->DesktopShortcutBox());
    Toggle(form->ProgramShortcutBox());
    ClickCloseCross(form);
    EXPECT_FALSE(PathExists(testsupport::DesktopLink()));
    EXPECT_FALSE(PathExists(testsupport::ProgramGroup()));
    EXPECT_EQ(UserValue("ShotCutRemind"), "0");
    EXPECT_TRUE(Closed());
}

TEST_F(FirstOptionDialogTest, FailingWriteIsReportedAndKeepsTheDialogOpen) {
    BlockUserConfig();
    TFirstOptionForm* form = Open();
    testsupport::MessageBoxWatcher boxes;
    ClickOk(form);
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, L"Unable to write to " + folder_ + L"UserConfig.ini");
    // The dialog stays: what the click left for later was posted before it returned, and is handled here.
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(dialogs::TFirstOptionForm::Current(), form);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    ExpectBothShortcuts();  // made before the write
}

TEST_F(FirstOptionDialogTest, TheTopStripLeftOfTheCloseCrossDragsTheWindow) {
    TFirstOptionForm* form = Open();
    EXPECT_EQ(HitTest(form->Handle(), 329, 10), HTCAPTION);
    EXPECT_EQ(HitTest(form->Handle(), 0, 28), HTCAPTION);
    EXPECT_EQ(HitTest(form->Handle(), 330, 10), HTCLIENT);
    EXPECT_EQ(HitTest(form->Handle(), 100, 29), HTCLIENT);
    // A press on the cross's leftmost column starts a drag, not a click.
    EXPECT_EQ(HitTest(form->Handle(), 329, 16), HTCAPTION);
}

TEST_F(FirstOptionDialogTest, ADialogFreedWithItsOwnerLeavesNoReference) {
    Open();
    tk::Application::Instance().DestroyMainForm();
    main_ = nullptr;
    EXPECT_EQ(dialogs::TFirstOptionForm::Current(), nullptr);
    EXPECT_EQ(FindWindowW(L"TFirstOptionForm", nullptr), nullptr);
}

TEST_F(FirstOptionDialogTest, EnterConfirmsAndEscClosesAsTheCrossDoes) {
    TFirstOptionForm* form = Open();
    SetFocus(form->Handle());
    testsupport::PressKey(VK_RETURN);
    EXPECT_TRUE(Closed());
    ExpectBothShortcuts();
    EXPECT_EQ(UserValue("ShotCutRemind"), "0");

    // Esc applies the choices as well: here, ask again next time.
    testsupport::RemoveProgramShortcuts();
    form = Open();
    Toggle(form->DontRemindBox());
    SetFocus(form->DesktopShortcutBox().Handle());
    testsupport::PressKey(VK_ESCAPE);
    EXPECT_TRUE(Closed());
    ExpectBothShortcuts();
    EXPECT_EQ(UserValue("ShotCutRemind"), "1");
}

TEST_F(FirstOptionDialogTest, TabReachesOkAndTheCrossAfterTheBoxesAndSpacePressesThem) {
    TFirstOptionForm* form = Open();
    Toggle(form->ProgramShortcutBox());
    SetFocus(form->Handle());
    const std::function<bool()> stops[] = {
        [&] { return GetFocus() == form->DesktopShortcutBox().Handle(); },
        [&] { return GetFocus() == form->ProgramShortcutBox().Handle(); },
        [&] { return GetFocus() == form->DontRemindBox().Handle(); },
        [&] { return form->OkButton().Focused(); },
        [&] { return form->CloseButton().Focused() && !form->OkButton().Focused(); },
    };
    for (size_t i = 0; i < std::size(stops); ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(testsupport::WaitUntil(stops[i])) << "stop " << i;
    }
    testsupport::PressKey(VK_SPACE);  // on the close cross: applies the choices and closes
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(PathExists(testsupport::DesktopLink()));
    EXPECT_FALSE(PathExists(testsupport::ProgramGroup()));
    EXPECT_EQ(UserValue("ShotCutRemind"), "0");
}
