// The main window's caption buttons as screen readers see them through its client object: which
// buttons each layout shows, their names, roles and places, the maximize button's second name while
// maximized, and pressing them, which does what clicking them does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AccessibleReading.h"
#include "MainFormFixture.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "base/Text.h"

using namespace testsupport;

namespace {

std::wstring Wide(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

class MainFormAccessibleTest : public MainFormTest {
  protected:
    // What the browser's navigation events do when the page leaves the start page.
    void SwitchToFullLayout(app::TMainForm* form) {
        form->SetFullLayout(true);
        form->SetResizable(true);
        form->LoadLastPosInfo();
        tk::Application::Instance().ProcessMessages();
    }
    // Where a caption button is on the screen.
    static Box ScreenBoxOf(const app::TMainForm* form, int index) {
        RECT r = form->HotImage(index)->BoundsRect();
        MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return BoxOfRect(r);
    }
};

}  // namespace

TEST_F(MainFormAccessibleTest, EachLayoutShowsItsCaptionButtonsAsPushButtonsWhereTheyAre) {
    app::TMainForm* form = ShowMainForm();
    base::ComPtr<IAccessible> object = ClientObjectOf(form->Handle());
    ASSERT_TRUE(object);
    IAccessible* a = object.Get();
    EXPECT_EQ(AccRole(a, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(AccName(a, CHILDID_SELF), form->Caption());

    // The compact layout hides minimize and maximize.
    EXPECT_EQ(AccChildNames(a), std::vector<std::wstring>{Wide("关闭")});
    EXPECT_EQ(AccLocation(a, 1), ScreenBoxOf(form, skin::kCloseButton));

    SwitchToFullLayout(form);
    EXPECT_EQ(AccChildNames(a), (std::vector<std::wstring>{Wide("最小化"), Wide("最大化"), Wide("关闭")}));
    for (long id = 1; id <= 3; ++id) {
        const int index = static_cast<int>(id - 1);
        EXPECT_EQ(AccRole(a, id), ROLE_SYSTEM_PUSHBUTTON) << id;
        // Like the system's caption buttons, they never take the keyboard focus.
        EXPECT_EQ(AccState(a, id) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE), 0);
        EXPECT_EQ(a->accSelect(SELFLAG_TAKEFOCUS, ChildId(id)), DISP_E_MEMBERNOTFOUND);
        EXPECT_EQ(AccLocation(a, id), ScreenBoxOf(form, index)) << id;
        const Box box = ScreenBoxOf(form, index);
        EXPECT_EQ(HitTest(a, {box.left + box.width / 2, box.top + box.height / 2}), id);
    }
    EXPECT_EQ(Navigate(a, NAVDIR_FIRSTCHILD, CHILDID_SELF), 1);
    EXPECT_EQ(Navigate(a, NAVDIR_NEXT, 1), 2);
    EXPECT_EQ(Navigate(a, NAVDIR_PREVIOUS, 3), 2);
    EXPECT_EQ(Navigate(a, NAVDIR_LASTCHILD, CHILDID_SELF), 3);
}

TEST_F(MainFormAccessibleTest, PressingMaximizeRenamesItRestoreAndTellsScreenReaders) {
    app::TMainForm* form = ShowMainForm();
    SwitchToFullLayout(form);
    base::ComPtr<IAccessible> object = ClientObjectOf(form->Handle());
    ASSERT_TRUE(object);
    NameChangeEvents events;
    ASSERT_TRUE(events.Hooked());

    ASSERT_EQ(object->accDoDefaultAction(ChildId(2)), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(form->Handle()) != FALSE; }));
    EXPECT_TRUE(events.Comes(form->Handle(), 2));
    EXPECT_EQ(AccName(object.Get(), 2), Wide("还原"));
    EXPECT_EQ(AccLocation(object.Get(), 2), ScreenBoxOf(form, skin::kMaximizeButton));

    events.Clear();
    ASSERT_EQ(object->accDoDefaultAction(ChildId(2)), S_OK);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(form->Handle()) == FALSE; }));
    EXPECT_TRUE(events.Comes(form->Handle(), 2));
    EXPECT_EQ(AccName(object.Get(), 2), Wide("最大化"));
}

// As the minimize button's click: the window hides to the tray, it is not minimized, and the program
// goes on. The press runs after the call has returned.
TEST_F(MainFormAccessibleTest, PressingMinimizeHidesTheWindowToTheTray) {
    app::TMainForm* form = ShowMainForm();
    SwitchToFullLayout(form);
    base::ComPtr<IAccessible> object = ClientObjectOf(form->Handle());
    ASSERT_TRUE(object);
    ASSERT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form->Handle()) == FALSE; }));
    EXPECT_FALSE(IsIconic(form->Handle()));
    EXPECT_FALSE(tk::Application::Instance().Terminated());
}

// As the close button's click, under both close policies; the object still answers while the
// window stands, and as disconnected once it is gone.
TEST_F(MainFormAccessibleTest, PressingCloseClosesAsTheButtonDoesAndTheHeldObjectOutlivesTheWindow) {
    struct Case {
        const char* config;
        bool ends;
    };
    for (const Case& c : {Case{"NeverRequire=1\r\nCloseAction=hide\r\n", false}, Case{"", true}}) {
        SCOPED_TRACE(c.config);
        WriteUserConfig(c.config);
        config::TAppConfigClass::ReleaseInstance();
        app::TMainForm* form = ShowMainForm();
        base::ComPtr<IAccessible> object = ClientObjectOf(form->Handle());
        ASSERT_TRUE(object);
        ASSERT_EQ(object->accDoDefaultAction(ChildId(1)), S_OK);  // the compact layout's one button
        tk::Application& application = tk::Application::Instance();
        EXPECT_TRUE(WaitUntil([&] { return application.Terminated() || !IsWindowVisible(form->Handle()); }));
        application.ProcessMessages();
        EXPECT_EQ(application.Terminated(), c.ends);
        EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, c.ends);
        EXPECT_EQ(AccChildCount(object.Get()), 1);

        application.DestroyMainForm();
        application.ProcessMessages();
        application.ResetTerminated();
        LONG count = 0;
        EXPECT_EQ(object->get_accChildCount(&count), RPC_E_DISCONNECTED);
        EXPECT_EQ(object->accDoDefaultAction(ChildId(1)), RPC_E_DISCONNECTED);
    }
}
