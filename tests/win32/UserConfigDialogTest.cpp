// The settings dialog on real windows, with a real main window owning the global hot key: what it
// shows for the stored values, what OK writes and registers, that Cancel and the close cross change
// nothing, the modal run, a failing write, one dialog at a time and the drag strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "DialogFixture.h"
#include "config/AppConfigClass.h"
#include "config/IniFile.h"
#include "dialogs/UserConfigFrm.h"
#include "support/MessageBoxes.h"
#include "base/Text.h"

using dialogs::TUserConfigForm;
using testsupport::ClickAt;
using testsupport::ClientPixel;
using testsupport::HitTest;
using testsupport::HotKeyIsHeld;

namespace {

constexpr uint16_t kF9 = 0x0078;        // the hot-key control's value for F9
constexpr uint16_t kCtrlAltZ = 0x065A;  // ... and for Ctrl+Alt+Z
constexpr COLORREF kPanel = RGB(240, 245, 250);
constexpr COLORREF kAccent = RGB(38, 68, 144);

int CountWindowsOfClass(const wchar_t* className) {
    struct Search {
        const wchar_t* name;
        int count;
    } search{className, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t cls[64] = {};
            GetClassNameW(window, cls, 64);
            if (wcscmp(cls, s->name) == 0) {
                ++s->count;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.count;
}

class UserConfigDialogTest : public testsupport::DialogTest {
  protected:
    // The dialog as the main window makes it, shown without a modal loop so that a test can act on it.
    TUserConfigForm* Open() {
        auto* form = &tk::CreateForm<TUserConfigForm>(main_);
        form->SetHotKeyId(hotKeyId_);
        form->OnApplyHotKey = Applier();
        form->Show();
        tk::Application::Instance().ProcessMessages();
        return form;
    }
    // Frees the dialog as its close action does: released, then freed by its holder.
    void Free(TUserConfigForm* form) {
        form->Release();
        tk::Application::Instance().ProcessMessages();
    }
    // What the main window does with the chosen key.
    dialogs::HotKeyApplier Applier() {
        return [this](const config::HotKeyValue& key) {
            UnregisterHotKey(main_->Handle(), hotKeyId_);
            return RegisterHotKey(main_->Handle(), hotKeyId_, key.modifiers, key.key) != FALSE;
        };
    }
    // Runs the dialog modally while keys acts inside its loop; a dialog still open 5 s later is ended
    // with kGaveUp, so that a key that does nothing fails the test rather than hanging it.
    static constexpr int kGaveUp = 99;
    int RunModal(std::function<void()> keys) {
        testsupport::LaterAction::Schedule(std::move(keys));
        const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) {
            if (TUserConfigForm* open = dialogs::TUserConfigForm::Current()) {
                open->SetModalResult(kGaveUp);
            }
        });
        const int result = dialogs::OpenUserConfigDialog(main_, hotKeyId_, Applier());
        KillTimer(nullptr, watchdog);
        return result;
    }
    void ClickOk(TUserConfigForm* form) { ClickAt(form->Handle(), 110, 425); }
    void ClickCancel(TUserConfigForm* form) { ClickAt(form->Handle(), 250, 425); }
    void ClickCloseCross(TUserConfigForm* form) { ClickAt(form->Handle(), 407, 13); }
    static void Choose(tk::RadioButton& radio) { SendMessageW(radio.Handle(), BM_CLICK, 0, 0); }
};

struct PreparationCase {
    const char* hotKey;
    const char* autoReg;
    const char* closeAction;
    uint16_t control;
    bool autoRun;
    bool minSize;
};

}  // namespace

TEST_F(UserConfigDialogTest, ShowsTheStoredChoices) {
    const PreparationCase cases[] = {
        {"", "", "", kF9, false, false},
        {"3,90,49242", "1", "hide", kCtrlAltZ, true, true},
        {"0,120,120", "0", "exit", kF9, false, false},
        {"", "yes", "Hide", kF9, false, false},  // only the exact "hide" preselects hiding
        {"0,0,0", "01", "HIDE", 0, false, false},
    };
    for (const PreparationCase& c : cases) {
        SCOPED_TRACE(std::string(c.hotKey) + "|" + c.autoReg + "|" + c.closeAction);
        WriteUserConfig(std::string("HotKey=") + c.hotKey + "\r\nAutoRegNextTime=" + c.autoReg +
                        "\r\nCloseAction=" + c.closeAction + "\r\n");
        config::TAppConfigClass::ReleaseInstance();
        TUserConfigForm* form = Open();
        EXPECT_EQ(form->HotKeyControl().HotKey(), c.control);
        EXPECT_EQ(form->AutoRunButton().Checked(), c.autoRun);
        EXPECT_EQ(form->ClearAutoRunButton().Checked(), !c.autoRun);
        EXPECT_EQ(form->MinSizeButton().Checked(), c.minSize);
        EXPECT_EQ(form->ExitButton().Checked(), !c.minSize);
        Free(form);
        EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);
    }
}

TEST_F(UserConfigDialogTest, TheWindowIsShapedColouredAndCentredOnTheMainWindow) {
    TUserConfigForm* form = Open();
    wchar_t cls[64] = {};
    GetClassNameW(form->Handle(), cls, 64);
    EXPECT_STREQ(cls, L"TUserConfigForm");
    EXPECT_EQ(form->Caption(), base::Utf8ToWide("参数设置"));
    EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 423);
    EXPECT_EQ(client.bottom, 452);
    const RECT window = testsupport::WindowRect(form->Handle());
    const RECT mainRect = testsupport::WindowRect(main_->Handle());
    EXPECT_EQ(window.left, mainRect.left + (800 - 423) / 2);
    EXPECT_EQ(window.top, mainRect.top + (600 - 452) / 2);
    // Rounded corners: the corner pixel is outside the region, the edge middle inside.
    tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 0, 226));
    EXPECT_TRUE(PtInRegion(region.Get(), 422, 451 - 4));
    EXPECT_NE(GetWindowLongW(form->HotKeyControl().Handle(), GWL_STYLE) & WS_BORDER, 0);
    EXPECT_EQ(form->StartPanel().Color(), kPanel);
    EXPECT_EQ(form->ClosePanel().Color(), kPanel);
    for (tk::RadioButton* radio :
         {&form->AutoRunButton(), &form->ClearAutoRunButton(), &form->MinSizeButton(), &form->ExitButton()}) {
        EXPECT_EQ(radio->GetFont().Color(), kAccent);
        EXPECT_EQ(radio->BackColor(), kPanel);  // the panel's colour behind the radio buttons
    }
    EXPECT_EQ(form->HotKeyLabel().GetFont().Color(), kAccent);
    // The panel colour really reaches the screen behind a radio button's text (reflected colour).
    tk::RadioButton& radio = form->ClearAutoRunButton();
    EXPECT_TRUE(
        testsupport::WaitUntil([&] { return ClientPixel(radio.Handle(), radio.Width() - 2, 1) == kPanel; }));
}

TEST_F(UserConfigDialogTest, TabMovesThroughTheGroupsThenTheImageButtonsWhichShowTheFocus) {
    TUserConfigForm* form = Open();
    HWND first = GetWindow(form->Handle(), GW_CHILD);
    EXPECT_EQ(first, form->StartPanel().Handle());
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), form->ClosePanel().Handle());
    EXPECT_EQ(GetWindow(form->ClosePanel().Handle(), GW_HWNDNEXT), form->HotKeyControl().Handle());
    // The focus starts at the chosen start-up button; Tab stops once in each group, then at the
    // hot-key control, then at OK, Cancel and the close cross, and comes round again.
    EXPECT_EQ(GetFocus(), form->ClearAutoRunButton().Handle());
    const RECT ok = form->OkButton().BoundsRect();
    const std::vector<COLORREF> okUnfocused = testsupport::ClientPixels(form->Handle(), ok);
    const std::function<bool()> stops[] = {
        [&] { return GetFocus() == form->ExitButton().Handle(); },
        [&] { return GetFocus() == form->HotKeyControl().Handle(); },
        [&] { return form->OkButton().Focused(); },
        [&] { return form->CancelButton().Focused() && !form->OkButton().Focused(); },
        [&] { return form->CloseButton().Focused() && !form->CancelButton().Focused(); },
        [&] { return GetFocus() == form->ClearAutoRunButton().Handle() && !form->CloseButton().Focused(); },
    };
    for (size_t i = 0; i < std::size(stops); ++i) {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        EXPECT_TRUE(testsupport::WaitUntil(stops[i])) << "stop " << i;
        // The focused OK button looks different; the look goes with the focus (painted by now: the
        // focus change invalidated it and ClientPixels lets it paint).
        const bool okFocused = i == 2;
        EXPECT_EQ(testsupport::ClientPixels(form->Handle(), ok) != okUnfocused, okFocused) << "stop " << i;
    }
    // The arrow keys move the choice within a group.
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return form->AutoRunButton().Checked(); }));
    EXPECT_FALSE(form->ClearAutoRunButton().Checked());
}

TEST_F(UserConfigDialogTest, EnterIsOkAndEscIsCancelInTheModalLoop) {
    // Enter with the focus on a choice: OK.
    EXPECT_EQ(RunModal([] { testsupport::PressKey(VK_RETURN); }), tk::kModalOk);
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    // Esc, also from the hot-key control after a new key was entered: Cancel, nothing changes.
    EXPECT_EQ(RunModal([] {
                  TUserConfigForm* form = dialogs::TUserConfigForm::Current();
                  form->HotKeyControl().SetHotKey(kCtrlAltZ);
                  SetFocus(form->HotKeyControl().Handle());
                  testsupport::PressKey(VK_ESCAPE);
              }),
              tk::kModalCancel);
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    EXPECT_FALSE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));
}

TEST_F(UserConfigDialogTest, SpaceOrEnterOnAFocusedImageButtonPressesThatButton) {
    // Enter on the focused Cancel cancels: the focused button, not OK.
    EXPECT_EQ(RunModal([] {
                  dialogs::TUserConfigForm::Current()->CancelButton().SetFocus();
                  testsupport::PressKey(VK_RETURN);
              }),
              tk::kModalCancel);
    EXPECT_FALSE(UserConfigExists());
    // Space on the close cross closes; Space on OK confirms.
    for (bool ok : {false, true}) {
        EXPECT_EQ(RunModal([ok] {
                      TUserConfigForm* form = dialogs::TUserConfigForm::Current();
                      (ok ? form->OkButton() : form->CloseButton()).SetFocus();
                      testsupport::PressKey(VK_SPACE);
                  }),
                  ok ? tk::kModalOk : tk::kModalCancel);
        EXPECT_EQ(UserConfigExists(), ok);
    }
}

// A value the main window cannot use (so no hot key is in force) shows as no key, without a box,
// and the other settings are read as usual.
TEST_F(UserConfigDialogTest, AnUnusableHotKeyShowsAsNoKeyWithoutABoxAndTheRestIsRead) {
    for (const char* value : {"0,120", "0,120,F9", "15,120,120", "2147483648,120,120"}) {
        SCOPED_TRACE(value);
        WriteUserConfig(std::string("HotKey=") + value + "\r\nAutoRegNextTime=1\r\nCloseAction=exit\r\n");
        config::TAppConfigClass::ReleaseInstance();
        testsupport::MessageBoxWatcher boxes;
        TUserConfigForm* form = Open();
        // A box would have held Open until the watcher pressed its OK.
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_TRUE(IsWindowVisible(form->Handle()));
        EXPECT_EQ(form->HotKeyControl().HotKey(), 0);
        EXPECT_TRUE(form->AutoRunButton().Checked());
        EXPECT_TRUE(form->ExitButton().Checked());
        tk::UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(GetWindowRgn(form->Handle(), region.Get()), ERROR);
        Free(form);
    }
}

TEST_F(UserConfigDialogTest, OkWithoutChangesStoresAndRegistersF9UnderTheSameIdentifier) {
    WriteUserConfig("HotKey=3,90,49242\r\n");
    ASSERT_TRUE(RegisterHotKey(main_->Handle(), hotKeyId_, MOD_CONTROL | MOD_ALT, 'Z'));
    config::TAppConfigClass::ReleaseInstance();
    TUserConfigForm* form = Open();
    form->HotKeyControl().SetHotKey(kF9);
    ClickOk(form);
    EXPECT_EQ(form->GetModalResult(), tk::kModalOk);
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    EXPECT_EQ(config::TAppConfigClass::GetInstance()->HotKey(), "0,120,120");
    EXPECT_EQ(UserValue("AutoRegNextTime"), "0");
    EXPECT_EQ(UserValue("CloseAction"), "exit");
    EXPECT_TRUE(MainHolds(0, VK_F9));
    EXPECT_FALSE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));  // the old key was given up
    EXPECT_EQ(form->ChosenHotKey().modifiers, 0u);
    EXPECT_EQ(form->ChosenHotKey().key, 120u);
}

TEST_F(UserConfigDialogTest, OkWritesItsThreeValuesInOneReplaceOfTheFile) {
    WriteUserConfig("HotKey=0,120,120\r\nAutoRegNextTime=1\r\nCloseAction=hide\r\n");
    TUserConfigForm* form = Open();
    form->HotKeyControl().SetHotKey(kCtrlAltZ);
    Choose(form->ClearAutoRunButton());
    Choose(form->ExitButton());
    // What each replace puts in place of the file: a kill between two of them would leave a mix.
    std::vector<std::string> replacements;
    config::SetIniReplaceHookForTests([&](const std::wstring& temporary) {
        replacements.push_back(testsupport::ReadFileBytes(temporary));
    });
    ClickOk(form);
    config::SetIniReplaceHookForTests(nullptr);
    ASSERT_EQ(replacements.size(), 1u);
    EXPECT_EQ(replacements[0],
              "[UserCustom]\r\nHotKey=3,90,49242\r\nAutoRegNextTime=0\r\nCloseAction=exit\r\n");
}

TEST_F(UserConfigDialogTest, OkStoresTheCombinationInTheControlOrZerosWhenCleared) {
    TUserConfigForm* form = Open();
    form->HotKeyControl().SetHotKey(kCtrlAltZ);
    ClickOk(form);
    EXPECT_EQ(UserValue("HotKey"), "3,90,49242");
    EXPECT_TRUE(MainHolds(MOD_CONTROL | MOD_ALT, 'Z'));
    Free(form);  // shown without a modal loop, OK only sets the modal result

    form = Open();
    EXPECT_EQ(form->HotKeyControl().HotKey(), kCtrlAltZ);
    form->HotKeyControl().SetHotKey(0);
    ClickOk(form);
    EXPECT_EQ(UserValue("HotKey"), "0,0,0");
    EXPECT_FALSE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));
}

TEST_F(UserConfigDialogTest, AutostartOnMakesTheStartupShortcutAndOffRemovesIt) {
    TUserConfigForm* form = Open();
    Choose(form->AutoRunButton());
    Choose(form->MinSizeButton());
    EXPECT_FALSE(form->ClearAutoRunButton().Checked());
    EXPECT_FALSE(form->ExitButton().Checked());
    ClickOk(form);
    EXPECT_EQ(UserValue("AutoRegNextTime"), "1");
    EXPECT_EQ(UserValue("CloseAction"), "hide");
    testsupport::LinkContent link = testsupport::ReadLink(testsupport::StartupLink());
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.target, base::ExePath());
    EXPECT_EQ(link.workDir, base::ExeFolder());
    Free(form);

    form = Open();
    EXPECT_TRUE(form->AutoRunButton().Checked());
    EXPECT_TRUE(form->MinSizeButton().Checked());
    Choose(form->ClearAutoRunButton());
    Choose(form->ExitButton());
    ClickOk(form);
    EXPECT_EQ(UserValue("AutoRegNextTime"), "0");
    EXPECT_EQ(UserValue("CloseAction"), "exit");
    EXPECT_FALSE(testsupport::PathExists(testsupport::StartupLink()));
}

TEST_F(UserConfigDialogTest, CloseCrossChangesNothing) {
    WriteUserConfig("HotKey=0,120,120\r\nAutoRegNextTime=0\r\nCloseAction=exit\r\n");
    const std::string before = testsupport::ReadFileBytes(folder_ + L"UserConfig.ini");
    ASSERT_TRUE(RegisterHotKey(main_->Handle(), hotKeyId_, 0, VK_F9));
    TUserConfigForm* form = Open();
    form->HotKeyControl().SetHotKey(kCtrlAltZ);
    Choose(form->AutoRunButton());
    ClickCloseCross(form);
    EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);
    EXPECT_TRUE(testsupport::WaitUntil([] { return CountWindowsOfClass(L"TUserConfigForm") == 0; }));
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + L"UserConfig.ini"), before);
    EXPECT_TRUE(MainHolds(0, VK_F9));
    EXPECT_FALSE(testsupport::PathExists(testsupport::StartupLink()));
}

TEST_F(UserConfigDialogTest, ModalRunEndsWithOkAndAllowsNoSecondDialog) {
    int secondResult = -1;
    int dialogCount = 0;
    bool mainDisabled = false;
    testsupport::LaterAction::Schedule([&] {
        dialogCount = CountWindowsOfClass(L"TUserConfigForm");
        mainDisabled = !IsWindowEnabled(main_->Handle());
        secondResult = dialogs::OpenUserConfigDialog(main_, hotKeyId_, Applier());  // returns at once
        dialogCount = std::max(dialogCount, CountWindowsOfClass(L"TUserConfigForm"));
        ASSERT_NE(dialogs::TUserConfigForm::Current(), nullptr);
        EXPECT_EQ(dialogs::TUserConfigForm::Current()->GetHotKeyId(), hotKeyId_);
        ClickAt(dialogs::TUserConfigForm::Current()->Handle(), 110, 425);
    });
    EXPECT_EQ(dialogs::OpenUserConfigDialog(main_, hotKeyId_, Applier()), tk::kModalOk);
    EXPECT_EQ(secondResult, tk::kModalNone);
    EXPECT_EQ(dialogCount, 1);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(main_->Handle()));
    EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);
    EXPECT_EQ(UserValue("HotKey"), "0,120,120");
    // The dialog frees itself from the message loop.
    EXPECT_TRUE(testsupport::WaitUntil([] { return CountWindowsOfClass(L"TUserConfigForm") == 0; }));
}

TEST_F(UserConfigDialogTest, ModalRunEndsWithCancelOrTheCloseCrossWritingNothing) {
    for (int x : {250, 407}) {
        SCOPED_TRACE(x);
        testsupport::LaterAction::Schedule([x] {
            TUserConfigForm* form = dialogs::TUserConfigForm::Current();
            ASSERT_NE(form, nullptr);
            form->HotKeyControl().SetHotKey(kCtrlAltZ);
            ClickAt(form->Handle(), x, x == 250 ? 425 : 13);
        });
        EXPECT_EQ(dialogs::OpenUserConfigDialog(main_, hotKeyId_, Applier()), tk::kModalCancel);
        EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);
        EXPECT_FALSE(UserConfigExists());
        EXPECT_FALSE(HotKeyIsHeld(MOD_CONTROL | MOD_ALT, 'Z'));
        EXPECT_TRUE(testsupport::WaitUntil([] { return CountWindowsOfClass(L"TUserConfigForm") == 0; }));
    }
}

TEST_F(UserConfigDialogTest, FailingWriteIsReportedAndKeepsTheDialogOpen) {
    BlockUserConfig();
    TUserConfigForm* form = Open();
    testsupport::MessageBoxWatcher boxes;
    ClickOk(form);
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, L"Unable to write to " + folder_ + L"UserConfig.ini");
    // The dialog stays: what the click left for later was posted before it returned, and is handled here.
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(dialogs::TUserConfigForm::Current(), form);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->GetModalResult(), tk::kModalNone);
    // What came before the write has happened: F9 is registered.
    EXPECT_TRUE(MainHolds(0, VK_F9));
}

TEST_F(UserConfigDialogTest, TheTopStripLeftOfTheCloseCrossDragsTheWindow) {
    TUserConfigForm* form = Open();
    EXPECT_EQ(HitTest(form->Handle(), 0, 0), HTCAPTION);
    EXPECT_EQ(HitTest(form->Handle(), 398, 28), HTCAPTION);
    EXPECT_EQ(HitTest(form->Handle(), 399, 28), HTCLIENT);
    EXPECT_EQ(HitTest(form->Handle(), 398, 29), HTCLIENT);
    EXPECT_EQ(HitTest(form->Handle(), 200, 300), HTCLIENT);
    EXPECT_EQ(HitTest(form->Handle(), 422, 451), HTCLIENT);
}

TEST_F(UserConfigDialogTest, ADialogFreedWithItsOwnerLeavesNoReference) {
    Open();
    ASSERT_NE(dialogs::TUserConfigForm::Current(), nullptr);
    tk::Application::Instance().DestroyMainForm();
    main_ = nullptr;
    EXPECT_EQ(dialogs::TUserConfigForm::Current(), nullptr);
    EXPECT_EQ(CountWindowsOfClass(L"TUserConfigForm"), 0);
}
