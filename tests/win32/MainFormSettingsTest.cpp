// The settings dialog as the main window opens it: from the hint label or the tray menu, one at a
// time, and what an OK changes in the main window.
#include <gtest/gtest.h>

#include "DialogFixture.h"
#include "MainFormFixture.h"
#include "support/Wait.h"
#include "dialogs/UserConfigFrm.h"
#include "support/HotKeyHolder.h"
#include "support/MessageBoxes.h"
#include "base/Text.h"

using testsupport::MainFormTest;

namespace {

// What happens inside the modal loop, driven by a timer as a user's clicks would be.
struct Inside {
    app::TMainForm* form = nullptr;
    dialogs::TUserConfigForm* dialog = nullptr;
    int dialogsSeen = 0;
    bool pressOk = true;
    WORD newHotKey = 0;  // hot-key control value (modifiers in the high byte) to enter before OK
} inside;

void CALLBACK ActInsideDialog(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    inside.dialog = dialogs::TUserConfigForm::Current();
    // Asking again while it is open changes nothing.
    inside.form->mniSettingClick();
    inside.form->lblModifyCfgClick();
    for (tk::Form* f : tk::Application::Instance().Forms()) {
        inside.dialogsSeen += dynamic_cast<dialogs::TUserConfigForm*>(f) != nullptr;
    }
    if (!inside.dialog) {
        return;
    }
    if (inside.pressOk) {
        inside.dialog->HotKeyControl().SetHotKey(inside.newHotKey);
        inside.dialog->IbtnOKClick();
    } else {
        inside.dialog->IbtnCancelClick();
    }
}

class SettingsTest : public MainFormTest {
  protected:
    app::TMainForm* Open(bool ok, WORD hotKey) {
        app::TMainForm* form = CreateMainForm();
        form->Show();
        inside = Inside{form, nullptr, 0, ok, hotKey};
        SetTimer(nullptr, 0, 150, &ActInsideDialog);
        form->mniSettingClick();  // returns when the dialog has ended
        // It frees itself from the message loop once it has ended.
        testsupport::WaitUntil([] { return dialogs::TUserConfigForm::Current() == nullptr; });
        return form;
    }
};

}  // namespace

TEST_F(SettingsTest, OnlyOneDialogAtATimeAndOkRefreshesTheHintsFromTheNewHotKey) {
    WriteUserConfig("HotKey=0,120,120\r\n");
    app::TMainForm* form = Open(true, MAKEWORD('K', HOTKEYF_CONTROL));
    EXPECT_NE(inside.dialog, nullptr);
    EXPECT_EQ(inside.dialogsSeen, 1);
    EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);  // closed and released
    EXPECT_EQ(UserValue("HotKey"), "2,75,16459");
    EXPECT_EQ(form->TrayIcon().Hint(), base::Utf8ToWide("Velmora\r\n按Ctrl+K键隐藏或显示界面"));
    EXPECT_EQ(form->HintLabel().Caption(), base::Utf8ToWide("按 Ctrl+K 键隐藏或显示界面"));
    EXPECT_FALSE(form->HintLabel().Visible());  // the compact layout has no room for it
    EXPECT_TRUE(testsupport::HotKeyIsHeld(MOD_CONTROL, 'K'));
    EXPECT_FALSE(testsupport::HotKeyIsHeld(0, VK_F9));
}

TEST_F(SettingsTest, CancelChangesNothing) {
    WriteUserConfig("HotKey=0,120,120\r\n");
    app::TMainForm* form = Open(false, 0);
    EXPECT_NE(inside.dialog, nullptr);
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    EXPECT_FALSE(form->HintLabel().Visible());
    EXPECT_TRUE(testsupport::HotKeyIsHeld(0, VK_F9));
}

TEST_F(SettingsTest, RefusedKeysKeepTheDialogOpenChangeNothingAndLeaveTheOldKeyRegistered) {
    testsupport::HotKeyHolder holder(MOD_CONTROL | MOD_ALT, 'Z');
    WriteUserConfig("HotKey=0,120,120\r\n");
    const std::string before = testsupport::ReadFileBytes(folder_ + L"UserConfig.ini");
    app::TMainForm* form = CreateMainForm();
    form->Show();
    ASSERT_TRUE(form->HotKeyRegistered());
    testsupport::MessageBoxWatcher boxes;
    int openAfterRefusals = 0;
    testsupport::LaterAction::Schedule([&] {
        dialogs::TUserConfigForm* dialog = dialogs::TUserConfigForm::Current();
        ASSERT_NE(dialog, nullptr);
        // A plain letter, then a combination another program holds; each box is closed by the watcher.
        for (WORD key : {WORD{'A'}, MAKEWORD('Z', HOTKEYF_CONTROL | HOTKEYF_ALT)}) {
            dialog->HotKeyControl().SetHotKey(key);
            testsupport::ClickAt(dialog->Handle(), 110, 425);
            openAfterRefusals += dialogs::TUserConfigForm::Current() == dialog &&
                                 IsWindowVisible(dialog->Handle()) &&
                                 dialog->GetModalResult() == tk::kModalNone;
        }
        dialog->IbtnCancelClick();
    });
    form->mniSettingClick();  // returns when the dialog has ended
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, base::Utf8ToWide("请使用Ctrl或Alt组合键，或F1–F24、Pause、Scroll Lock"));
    EXPECT_EQ(boxes.Boxes()[1].text, base::Utf8ToWide("快捷键Ctrl+Alt+Z已被其他程序占用，请换一个。"));
    EXPECT_EQ(openAfterRefusals, 2);
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + L"UserConfig.ini"), before);
    // F9 is the main window's again, and its texts still say so.
    EXPECT_TRUE(form->HotKeyRegistered());
    EXPECT_TRUE(UnregisterHotKey(form->Handle(), form->GetHotKeyId()));
    EXPECT_EQ(form->TrayIcon().Hint(), base::Utf8ToWide("Velmora\r\n按F9键隐藏或显示界面"));
}

TEST_F(SettingsTest, OkWithAFreeKeyAfterAStartWhoseKeyWasTakenSaysTheNewKeyWorks) {
    auto holder = std::make_unique<testsupport::HotKeyHolder>(MOD_CONTROL | MOD_ALT, 'Z');
    WriteUserConfig("HotKey=3,90,49242\r\n");
    app::TMainForm* form = Open(true, MAKEWORD(VK_F9, 0));
    EXPECT_TRUE(form->HotKeyRegistered());
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    EXPECT_EQ(form->TrayIcon().Hint(), base::Utf8ToWide("Velmora\r\n按F9键隐藏或显示界面"));
    EXPECT_EQ(form->HintLabel().Caption(), base::Utf8ToWide("按 F9 键隐藏或显示界面"));
}
