// The main window's hot key, hide/show toggle, tray icon mouse and hint labels.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <vector>

#include "ImportHook.h"
#include "LogFile.h"
#include "MainFormFixture.h"
#include "app/PrivateMessages.h"
#include "dialogs/FirstOptionFrm.h"
#include "support/MessageBoxes.h"
#include "support/Wait.h"
#include "base/Text.h"
#include "toolkit/WindowDpi.h"

using testsupport::MainFormTest;

namespace {

// The tray icon's callback message, as the shell sends it.
const UINT kTrayCallback = WM_APP + 0x3F10;

class TrayTest : public MainFormTest {
  protected:
    app::TMainForm* ShowMain() { return ShowMainForm(); }
    // The toggle runs inside the message; what it leaves for later is handled here.
    void HotKey(app::TMainForm* form, int id) {
        SendMessageW(form->Handle(), WM_HOTKEY, static_cast<WPARAM>(id), 0);
        lastPress_ = GetTickCount();
        tk::Application::Instance().ProcessMessages();
    }
    // Waits until the debounce interval (100 ms, on the system's tick) since the last press is over.
    void PauseBetweenPresses() {
        testsupport::WaitUntil([this] { return GetTickCount() - lastPress_ > 120; });
    }
    static bool IsForeground(const tk::Form* form) {
        return testsupport::WaitUntil([form] { return GetForegroundWindow() == form->Handle(); });
    }

  private:
    DWORD lastPress_ = GetTickCount();
};

// A plain extra window of the program, of normal or stay-on-top style.
tk::FormPtr<tk::Form> ExtraForm(tk::FormStyle style) {
    tk::FormDesign design;
    design.className = L"VelmoraTestForm";
    design.clientWidth = 200;
    design.clientHeight = 100;
    design.style = style;
    return tk::FormPtr<tk::Form>(new tk::Form(design));
}

}  // namespace

TEST_F(TrayTest, HotKeyWhileActiveHidesEveryFormAndTheNextShowsThemAgain) {
    app::TMainForm* form = ShowMain();
    auto other = ExtraForm(tk::FormStyle::Normal);
    auto onTop = ExtraForm(tk::FormStyle::StayOnTop);
    other->Show();
    onTop->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(testsupport::WaitUntil([] { return tk::Application::Instance().Active(); }));

    HotKey(form, form->GetHotKeyId());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(other->Handle()));
    EXPECT_FALSE(IsWindowVisible(onTop->Handle()));

    PauseBetweenPresses();
    HotKey(form, form->GetHotKeyId());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(other->Handle()));
    EXPECT_TRUE(IsWindowVisible(onTop->Handle()));
}

// The side of an icon's colour image.
int IconSide(HICON icon) {
    tk::IconInfo info(icon);
    BITMAP bitmap{};
    if (!info || !GetObjectW(info.Get().hbmColor, sizeof(bitmap), &bitmap)) {
        return 0;
    }
    return bitmap.bmWidth;
}

// The tray icon is made at the small-icon size of the window's DPI (from the multi-size icon), and
// again when the window moves to a display of another scale.
TEST_F(TrayTest, TheTrayIconTakesTheSmallIconSizeOfTheWindowsDpi) {
    app::TMainForm* form = ShowMain();
    EXPECT_EQ(IconSide(form->TrayIcon().Icon()), tk::SmallIconSize(form->Dpi()));
    const int doubled = form->Dpi() * 2;
    RECT suggested{};
    GetWindowRect(form->Handle(), &suggested);
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(doubled, doubled),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(IconSide(form->TrayIcon().Icon()), tk::SmallIconSize(doubled));
    EXPECT_GT(tk::SmallIconSize(doubled), tk::SmallIconSize(doubled / 2));
}

TEST_F(TrayTest, HotKeyWhileAnotherProgramIsActiveOnlyBringsTheWindowForward) {
    app::TMainForm* form = ShowMain();
    tk::Application::Instance().SetActive(false);  // as WM_ACTIVATEAPP reports when another program is
    HotKey(form, form->GetHotKeyId());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsForeground(form));
}

TEST_F(TrayTest, PressesCloserThan100MsToggleOnceAndForeignIdsAreIgnored) {
    app::TMainForm* form = ShowMain();
    SetForegroundWindow(form->Handle());
    IsForeground(form);
    tk::Application::Instance().SetActive(true);
    // The second of two presses within 100 ms is ignored. On a busy machine the first press's hide
    // can take longer than that; such a pair tells nothing, so it is tried again.
    bool pairWithinInterval = false;
    for (int attempt = 0; attempt < 20 && !pairWithinInterval; ++attempt) {
        if (!IsWindowVisible(form->Handle())) {
            PauseBetweenPresses();
            HotKey(form, form->GetHotKeyId());  // shows it again for the next try
        }
        ASSERT_TRUE(IsWindowVisible(form->Handle()));
        PauseBetweenPresses();
        const DWORD start = GetTickCount();
        HotKey(form, form->GetHotKeyId());
        HotKey(form, form->GetHotKeyId());
        pairWithinInterval = GetTickCount() - start < 100;
    }
    ASSERT_TRUE(pairWithinInterval) << "no two presses came within 100 ms of each other";
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    PauseBetweenPresses();
    HotKey(form, form->GetHotKeyId() + 1);  // another registration's message
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(TrayTest, MinimizeCommandHidesOnlyTheMainWindow) {
    app::TMainForm* form = ShowMain();
    auto onTop = ExtraForm(tk::FormStyle::StayOnTop);
    onTop->Show();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return IsWindowVisible(form->Handle()) == FALSE; }));
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(onTop->Handle()));
    EXPECT_FALSE(tk::Application::Instance().Terminated());
}

TEST_F(TrayTest, TrayDoubleClickTogglesAndLeftButtonOnlyBringsForward) {
    PlaceSysMenuIcon();
    app::TMainForm* form = ShowMain();
    ASSERT_TRUE(form->TrayIcon().Visible());
    form->Hide();
    SendMessageW(form->TrayIcon().Handle(), kTrayCallback, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; }));
    SendMessageW(form->TrayIcon().Handle(), kTrayCallback, 1, WM_LBUTTONUP);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsForeground(form));
}

namespace {

// Looks for the open menu every 20 ms from inside the menu's own loop, and closes it once seen (or
// after five seconds, so that a menu that never opens fails the test instead of hanging it).
bool menuWasOpen = false;
DWORD menuWaitStart = 0;

void CALLBACK CloseMenuOnceOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    menuWasOpen = menu && IsWindowVisible(menu);
    if (menuWasOpen || GetTickCount() - menuWaitStart > 5000) {
        KillTimer(nullptr, timer);
        EndMenu();
    }
}

}  // namespace

TEST_F(TrayTest, RightButtonOpensTheMenu) {
    PlaceSysMenuIcon();
    app::TMainForm* form = ShowMain();
    menuWasOpen = false;
    menuWaitStart = GetTickCount();
    SetTimer(nullptr, 0, 20, &CloseMenuOnceOpen);
    SendMessageW(form->TrayIcon().Handle(), kTrayCallback, 1, WM_RBUTTONUP);
    EXPECT_TRUE(menuWasOpen);
}

TEST_F(TrayTest, HintLabelNamesTheHotKeyOrSaysThereIsNone) {
    app::TMainForm* form = CreateMainForm();
    EXPECT_EQ(form->GetHotKeyText(), "您还没有设置快捷键");
    form->ShowHotKeyLabels();
    EXPECT_EQ(form->HintLabel().Caption(), base::Utf8ToWide("您还没有设置快捷键"));
    EXPECT_TRUE(form->HintLabel().GetFont().Bold());
    EXPECT_EQ(form->HintLabel().GetFont().Color(), RGB(97, 120, 178));
    EXPECT_EQ(form->HintLabel().GetFont().Face(), base::Utf8ToWide("宋体"));
    EXPECT_FALSE(form->ModifyLabel().GetFont().Bold());
    tk::Application::Instance().DestroyMainForm();
    config::TAppConfigClass::ReleaseInstance();

    WriteUserConfig("HotKey=0,120,120\r\n");
    form = CreateMainForm();
    form->ShowHotKeyLabels();
    EXPECT_EQ(form->HintLabel().Caption(), base::Utf8ToWide("按 F9 键隐藏或显示界面"));
}

TEST_F(TrayTest, ChangeLinkUnderlinesAndShowsTheHandWhileHovered) {
    app::TMainForm* form = CreateMainForm();
    form->lblModifyCfgMouseEnter();
    EXPECT_TRUE(form->ModifyLabel().GetFont().Underline());
    EXPECT_EQ(form->ModifyLabel().Cursor(), LoadCursorW(nullptr, IDC_HAND));
    form->lblModifyCfgMouseLeave();
    EXPECT_FALSE(form->ModifyLabel().GetFont().Underline());
    EXPECT_EQ(form->ModifyLabel().Cursor(), LoadCursorW(nullptr, IDC_ARROW));
}

namespace {

int trimCalls = 0;
BOOL(WINAPI* systemTrim)(HANDLE, SIZE_T, SIZE_T) = nullptr;

BOOL WINAPI CountingTrim(HANDLE process, SIZE_T minimum, SIZE_T maximum) {
    ++trimCalls;
    return systemTrim(process, minimum, maximum);
}

}  // namespace

TEST_F(TrayTest, EveryHideTrimsTheWorkingSetWithOneTrimmer) {
    testsupport::ImportHook hook("kernel32.dll", "SetProcessWorkingSetSize",
                                 reinterpret_cast<void*>(&CountingTrim));
    ASSERT_TRUE(hook.Installed());
    systemTrim = reinterpret_cast<decltype(systemTrim)>(hook.Original());
    trimCalls = 0;
    app::TMainForm* form = ShowMain();
    EXPECT_EQ(form->GetMemorySaver(), nullptr);
    form->HideWindow();
    const config::TMMSaveClass* saver = form->GetMemorySaver();
    ASSERT_NE(saver, nullptr);
    form->HideWindow();
    EXPECT_EQ(form->GetMemorySaver(), saver);
    EXPECT_EQ(trimCalls, 2);
    // The hot key's hide trims too.
    form->Show();
    SetForegroundWindow(form->Handle());
    PauseBetweenPresses();
    // Active as the activation reports it; a late report of the earlier hides may have come meanwhile.
    tk::Application::Instance().SetActive(true);
    HotKey(form, form->GetHotKeyId());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(trimCalls, 3);
}

TEST_F(TrayTest, TheFirstRunDialogStaysAboveTheMainWindowOnEveryShowPath) {
    // In the system's z-order. Under Wine the screen can differ: its X11 driver raises an activated
    // window above a topmost one without changing the z-order here.
    app::TMainForm* form = ShowMain();
    form->SetFullLayout(true);
    form->LoadLastPosInfo();  // the first full layout offers the first-run dialog
    dialogs::TFirstOptionForm* dialog = dialogs::TFirstOptionForm::Current();
    ASSERT_NE(dialog, nullptr);
    const auto dialogAbove = [&] {
        for (HWND w = GetWindow(form->Handle(), GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
            if (w == dialog->Handle()) {
                return true;
            }
        }
        return false;
    };
    const std::function<void()> showPaths[] = {
        [&] { SendMessageW(form->Handle(), app::WM_SHOWMAINWINDOW, 0, 0); },
        [&] { SendMessageW(form->TrayIcon().Handle(), kTrayCallback, 1, WM_LBUTTONDBLCLK); },
        [&] { HotKey(form, form->GetHotKeyId()); },
    };
    for (size_t i = 0; i < std::size(showPaths); ++i) {
        form->HideWindow();
        PauseBetweenPresses();
        showPaths[i]();
        tk::Application::Instance().ProcessMessages();  // what the show left for later
        EXPECT_TRUE(IsWindowVisible(form->Handle())) << "path " << i;
        EXPECT_TRUE(IsWindowVisible(dialog->Handle())) << "path " << i;
        EXPECT_TRUE(dialogAbove()) << "path " << i;
        EXPECT_NE(GetWindowLongW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "path " << i;
    }
}

namespace {

// The balloons the program asks the shell for.
struct BalloonRequest {
    std::wstring title;
    std::wstring text;
};
std::vector<BalloonRequest> balloons;
BOOL(WINAPI* systemNotify)(DWORD, PNOTIFYICONDATAW) = nullptr;

BOOL WINAPI RecordingNotify(DWORD action, PNOTIFYICONDATAW data) {
    if (data->uFlags & NIF_INFO) {
        balloons.push_back({data->szInfoTitle, data->szInfo});
    }
    return systemNotify(action, data);
}

class TrayTipTest : public TrayTest {
  protected:
    void SetUp() override {
        TrayTest::SetUp();
        ASSERT_TRUE(hook_.Installed());
        systemNotify = reinterpret_cast<decltype(systemNotify)>(hook_.Original());
        balloons.clear();
    }
    testsupport::ImportHook hook_{"shell32.dll", "Shell_NotifyIconW",
                                  reinterpret_cast<void*>(&RecordingNotify)};
};

}  // namespace

TEST_F(TrayTipTest, TheFirstHideEverShowsTheTipOnceAndRemembersIt) {
    WriteUserConfig("HotKey=3,90,49242\r\n");
    app::TMainForm* form = ShowMain();
    ASSERT_TRUE(form->TrayIcon().Visible());
    EXPECT_TRUE(balloons.empty());
    form->HideWindow();
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].title, base::Utf8ToWide("Velmora 仍在运行"));
    EXPECT_EQ(balloons[0].text, base::Utf8ToWide("按Ctrl+Alt+Z显示窗口，或双击托盘图标"));
    EXPECT_EQ(UserValue("TrayTipShown"), "1");

    // Later hides, by the minimize button or the hot key, neither ask again nor write again.
    const std::string marker = "[UserCustom]\r\nHotKey=3,90,49242\r\n";
    testsupport::WriteFileBytes(folder_ + L"UserConfig.ini", marker);
    form->Show();
    SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    form->Show();
    SetForegroundWindow(form->Handle());
    PauseBetweenPresses();
    tk::Application::Instance().SetActive(true);  // as the activation reports it, whatever came meanwhile
    HotKey(form, form->GetHotKeyId());
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(balloons.size(), 1u);
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + L"UserConfig.ini"), marker);

    // Nor does a later run that finds the value.
    tk::Application::Instance().DestroyMainForm();
    config::TAppConfigClass::ReleaseInstance();
    WriteUserConfig("TrayTipShown=1\r\n");
    ShowMain()->HideWindow();
    EXPECT_EQ(balloons.size(), 1u);
}

TEST_F(TrayTipTest, WithoutAHotKeyTheTipOffersTheDoubleClick) {
    app::TMainForm* form = ShowMain();
    SetForegroundWindow(form->Handle());
    PauseBetweenPresses();
    tk::Application::Instance().SetActive(true);
    HotKey(form, form->GetHotKeyId());  // the hot-key hide counts as well
    ASSERT_FALSE(IsWindowVisible(form->Handle()));
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].text, base::Utf8ToWide("双击托盘图标显示窗口"));
}

TEST_F(TrayTipTest, AFailedWriteIsLoggedButNeitherShownNorInTheWayOfTheHide) {
    testsupport::LogFile log;
    CreateDirectoryW((folder_ + L"UserConfig.ini").c_str(), nullptr);  // every write fails
    testsupport::MessageBoxWatcher boxes;
    app::TMainForm* form = ShowMain();
    form->HideWindow();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(balloons.size(), 1u);
    EXPECT_NE(log.Text().find("Unable to write to " + base::WideToUtf8(folder_) + "UserConfig.ini"),
              std::string::npos)
        << log.Text();
    // A box is modal: had HideWindow shown one, it would have returned only after the watcher had
    // read and closed it.
    EXPECT_TRUE(boxes.Boxes().empty());
}
