// Start-up and lifecycle of the real main window: hot key, tray hint, close policy, log-off answer
// and release at destruction.
#include <gtest/gtest.h>

#include "LogFile.h"
#include "MainFormFixture.h"
#include "support/HotKeyHolder.h"
#include "support/Wait.h"
#include "support/MessageBoxes.h"
#include "base/Text.h"

using testsupport::HotKeyIsHeld;
using testsupport::MainFormTest;

namespace {

std::wstring Wide(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

}  // namespace

TEST_F(MainFormTest, WithoutConfigurationItStartsPlainAndCompleteOnItsDefaults) {
    app::TMainForm* form = CreateMainForm();
    EXPECT_EQ(form->TrayIcon().Hint(), L"Velmora");
    // No "SysMenu.ico" in the current directory: the tray icon shows all the same, the program's own.
    EXPECT_TRUE(TrayIconShows(form));
    EXPECT_FALSE(form->SystemMenuImage().Stretch());
    EXPECT_FALSE(form->FullLayout());
    EXPECT_EQ(form->StartUrl(), "");
    EXPECT_EQ(form->GetHotKeyInterval(), 100);
    // The window class outside programs look for, and no pop-up style any more.
    wchar_t cls[64] = {};
    GetClassNameW(form->Handle(), cls, 64);
    EXPECT_STREQ(cls, L"TMainForm");
    EXPECT_EQ(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_POPUP, 0);
    // The application window carries only the tool-window style: no task-bar button.
    EXPECT_EQ(GetWindowLongW(tk::Application::Instance().Handle(), GWL_EXSTYLE), WS_EX_TOOLWINDOW);
    // SysConfig.ini got its time-out default.
    EXPECT_EQ(config::ReadIniValue(folder_ + L"SysConfig.ini", "Orvane", "TipTimeOut"), "10");
}

TEST_F(MainFormTest, ConfiguredHotKeyIsHeldUnderTheHotkeyAtomAndNamedInTheTrayHint) {
    WriteUserConfig("HotKey=0,120,120\r\n");
    WriteSysConfig("DirectUrl=http://exam.example/login.aspx\r\n");
    app::TMainForm* form = CreateMainForm();
    const ATOM atom = GlobalFindAtomA("HOTKEY");
    ASSERT_NE(atom, 0);
    EXPECT_EQ(form->GetHotKeyId(), atom - 0xC000);
    EXPECT_TRUE(HotKeyIsHeld(0, VK_F9));
    EXPECT_EQ(form->TrayIcon().Hint(), Wide("Velmora\r\n按F9键隐藏或显示界面"));
    EXPECT_EQ(form->StartUrl(), "http://exam.example/login.aspx");

    tk::Application::Instance().DestroyMainForm();
    EXPECT_FALSE(HotKeyIsHeld(0, VK_F9));
    EXPECT_EQ(GlobalFindAtomA("HOTKEY"), 0);
}

TEST_F(MainFormTest, ModifierCombinationIsRegisteredAndSpelledOut) {
    WriteUserConfig("HotKey=3,90,49242\r\n");
    app::TMainForm* form = CreateMainForm();
    EXPECT_TRUE(HotKeyIsHeld(MOD_ALT | MOD_CONTROL, 'Z'));
    EXPECT_FALSE(HotKeyIsHeld(0, 'Z'));
    EXPECT_EQ(form->TrayIcon().Hint(), Wide("Velmora\r\n按Ctrl+Alt+Z键隐藏或显示界面"));
}

TEST_F(MainFormTest, AHotKeyAnotherProgramHoldsIsNamedAsTakenAndLoggedWithoutABox) {
    testsupport::HotKeyHolder holder(MOD_CONTROL | MOD_ALT, 'Z');
    WriteUserConfig("HotKey=3,90,49242\r\n");
    testsupport::LogFile log;
    testsupport::MessageBoxWatcher boxes;
    // Creation runs inside: a box would hold it until the watcher had read and closed the box.
    app::TMainForm* form = CreateMainForm();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(form->HotKeyRegistered());
    EXPECT_EQ(form->TrayIcon().Hint(), Wide("Velmora\r\n快捷键Ctrl+Alt+Z已被其他程序占用"));
    form->ShowHotKeyLabels();
    EXPECT_EQ(form->HintLabel().Caption(), Wide("快捷键Ctrl+Alt+Z已被占用"));
    EXPECT_NE(log.Text().find("Hot key Ctrl+Alt+Z could not be registered"), std::string::npos) << log.Text();
}

TEST_F(MainFormTest, AMalformedOrInconsistentHotKeyIsLoggedAndStartUpCarriesOnWithoutOneOrABox) {
    const std::pair<std::string, const char*> cases[] = {
        {"0", "1 fields instead of 3"},
        {"0,120", "2 fields instead of 3"},
        {"x,120,120", "'x' is not a valid integer value"},
        {"0,120,F9", "'F9' is not a valid integer value"},
        {"-1,-1,-1", "a number out of range"},
        {"7,0,0", "no key"},
        {"15,120,120", "unknown modifier bits"},  // shown as F9, it would register Win+Ctrl+Alt+Shift+F9
        {std::string(300, '9'), "1 fields instead of 3"},
    };
    for (const auto& [value, problem] : cases) {
        SCOPED_TRACE(value.substr(0, 20));
        WriteUserConfig("HotKey=" + value + "\r\n");
        PlaceSysMenuIcon();
        testsupport::LogFile log;
        testsupport::MessageBoxWatcher boxes;
        app::TMainForm* form = CreateMainForm();
        // A box would have held creation up until the watcher had seen and closed it.
        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_NE(log.Text().find("is not usable (" + std::string(problem) + "); no hot key is used"),
                  std::string::npos)
            << log.Text();
        EXPECT_EQ(log.Text().find(std::string(201, '9')), std::string::npos);  // the value cut to 200
        // No hot key, the hints say so, and the rest of creation ran (the icon step).
        for (UINT modifiers : {0u, static_cast<UINT>(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN)}) {
            EXPECT_FALSE(HotKeyIsHeld(modifiers, VK_F9));
        }
        EXPECT_FALSE(form->HotKeyRegistered());
        EXPECT_EQ(form->TrayIcon().Hint(), L"Velmora");
        EXPECT_EQ(form->GetHotKeyText(), "您还没有设置快捷键");
        EXPECT_TRUE(TrayIconShows(form));
        // The setting itself is left as the user wrote it.
        EXPECT_EQ(UserValue("HotKey"), value);
        tk::Application::Instance().DestroyMainForm();
        config::TAppConfigClass::ReleaseInstance();
    }
}

TEST_F(MainFormTest, SysMenuIconInTheCurrentDirectoryIsTheCaptionsIconAndTheTrayIconShows) {
    PlaceSysMenuIcon();
    app::TMainForm* form = CreateMainForm();
    EXPECT_TRUE(TrayIconShows(form));
    // The base loaded the file into the caption's picture, which it stretches.
    EXPECT_TRUE(form->SystemMenuImage().Stretch());
}

TEST_F(MainFormTest, ADamagedSysMenuIconCountsAsAMissingOne) {
    PlaceSysMenuIcon();
    const std::wstring icon = workDir_.WidePath() + L"SysMenu.ico";
    const std::string whole = testsupport::ReadFileBytes(icon);
    testsupport::WriteFileBytes(icon, whole.substr(0, whole.size() / 2));
    app::TMainForm* form = CreateMainForm();
    // No picture from the file, as without one; the tray keeps the program's own icon.
    EXPECT_FALSE(form->SystemMenuImage().Stretch());
    EXPECT_TRUE(TrayIconShows(form));
}

TEST_F(MainFormTest, SysMenuIconIsLookedUpAtTheRawSkinPathBelowTheCurrentDirectory) {
    WriteUserConfig("SkinPath=Skin\\Red\\\r\n");
    PlaceSysMenuIcon();  // not where the skin path says
    // There is no Skin\Red\ beside the program either: the skin reports that, each time.
    testsupport::MessageBoxWatcher boxes;
    app::TMainForm* form = CreateMainForm();
    EXPECT_FALSE(form->SystemMenuImage().Stretch());
    EXPECT_TRUE(TrayIconShows(form));  // with the program's own icon
    tk::Application::Instance().DestroyMainForm();
    config::TAppConfigClass::ReleaseInstance();

    CreateDirectoryA((workDir_.Path() + "Skin").c_str(), nullptr);
    PlaceSysMenuIcon("Skin\\Red\\");
    form = CreateMainForm();
    EXPECT_TRUE(form->SystemMenuImage().Stretch());
    EXPECT_TRUE(TrayIconShows(form));
    EXPECT_TRUE(boxes.WaitFor(2, 3000));
}

namespace {

struct ClosePolicyCase {
    const char* neverRequire;
    const char* closeAction;
    bool ends;
    const char* name;
};

// Failure messages name the case by its values.
void PrintTo(const ClosePolicyCase& c, std::ostream* out) {
    *out << "NeverRequire=\"" << c.neverRequire << "\" CloseAction=\"" << c.closeAction << "\" "
         << (c.ends ? "ends the program" : "hides the window");
}

class ClosePolicyTest : public MainFormTest, public ::testing::WithParamInterface<ClosePolicyCase> {};

}  // namespace

TEST_P(ClosePolicyTest, CloseFollowsNeverRequireAndCloseAction) {
    const ClosePolicyCase& c = GetParam();
    WriteUserConfig(std::string("NeverRequire=") + c.neverRequire + "\r\nCloseAction=" + c.closeAction +
                    "\r\n");
    app::TMainForm* form = CreateMainForm();
    form->Show();
    tk::Application::Instance().ProcessMessages();
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    tk::Application& application = tk::Application::Instance();
    // Ending posts the loop's quit message; hiding happens inside the close.
    EXPECT_TRUE(
        testsupport::WaitUntil([&] { return application.Terminated() || !IsWindowVisible(form->Handle()); }));
    application.ProcessMessages();
    EXPECT_EQ(application.Terminated(), c.ends);
    // Hidden to the tray exactly when the program goes on.
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, c.ends);
}

INSTANTIATE_TEST_SUITE_P(Policies, ClosePolicyTest,
                         ::testing::Values(ClosePolicyCase{"1", "exit", true, "ExitEnds"},
                                           ClosePolicyCase{"1", "EXIT", true, "EXITEnds"},
                                           ClosePolicyCase{"1", "Exit", true, "MixedCaseExitEnds"},
                                           ClosePolicyCase{"1", "hide", false, "HideHides"},
                                           ClosePolicyCase{"1", "Hide", false, "MixedCaseHideHides"},
                                           ClosePolicyCase{"1", "", false, "EmptyActionHides"},
                                           ClosePolicyCase{"1", "exits", false, "OtherWordHides"},
                                           ClosePolicyCase{"", "hide", true, "EmptyNeverRequireEnds"},
                                           ClosePolicyCase{"0", "hide", true, "ZeroNeverRequireEnds"},
                                           ClosePolicyCase{"yes", "exit", true, "OtherNeverRequireEnds"}),
                         [](const ::testing::TestParamInfo<ClosePolicyCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(MainFormTest, LogOffIsAlwaysAllowedAndChangesNothing) {
    WriteUserConfig("NeverRequire=1\r\nCloseAction=hide\r\n");
    app::TMainForm* form = CreateMainForm();
    form->Show();
    EXPECT_EQ(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 1);
    // The query is answered before the call returns; whatever it left for later was posted by then.
    tk::Application::Instance().ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(tk::Application::Instance().Terminated());
}

TEST_F(MainFormTest, EndOfSessionDestroysTheMainWindowAtOnce) {
    WriteUserConfig("HotKey=0,120,120\r\n");
    app::TMainForm* form = CreateMainForm();
    form->Show();
    HWND window = form->Handle();
    SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(form->Destroyed());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(HotKeyIsHeld(0, VK_F9));
    EXPECT_TRUE(tk::Application::Instance().Terminated());
}
