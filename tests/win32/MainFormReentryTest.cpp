// The two places where the main window lets nested messages run (the hide/show toggle between the
// forms it walks, and a completed document) while the window goes meanwhile: the session ends, or
// another program destroys the window. What follows the pump must then leave the window alone.
#include <gtest/gtest.h>

#include <exdispid.h>

#include "BrowserEvents.h"
#include "MainFormFixture.h"
#include "base/Handles.h"
#include "support/MessageBoxes.h"

namespace {

enum class Loss { EndOfSession, WindowDestroyed };

class MainFormReentryTest : public testsupport::MainFormTest, public ::testing::WithParamInterface<Loss> {
  protected:
    void TearDown() override {
        tk::Application::Instance().RemoveMessageFilter(filter_);
        MainFormTest::TearDown();
    }

    // The window goes at the next message pump, in the way the test's parameter says.
    void LoseWindowAtNextPump(HWND window) {
        if (GetParam() == Loss::EndOfSession) {
            PostMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
            return;
        }
        constexpr UINT kDestroy = WM_APP + 0x2F00;
        filter_ = tk::Application::Instance().AddMessageFilter([window](MSG& msg) {
            if (msg.hwnd != nullptr || msg.message != kDestroy) {
                return false;
            }
            DestroyWindow(window);
            return true;
        });
        PostThreadMessageW(GetCurrentThreadId(), kDestroy, 0, 0);
    }

    int filter_ = 0;
};

}  // namespace

TEST_P(MainFormReentryTest, TheHideStopsAtAWindowThatWentWhileItPumped) {
    testsupport::MessageBoxWatcher boxes;
    app::TMainForm* form = ShowMainForm();
    const HWND window = form->Handle();
    LoseWindowAtNextPump(window);
    tk::Application::Instance().SetActive(true);  // so that the toggle hides
    form->SwitchShowAndHide();
    EXPECT_FALSE(form->StillMainForm());
    EXPECT_FALSE(IsWindow(window));
    // No tip about a window in the tray that is not there, and nothing written for it.
    EXPECT_EQ(UserValue("TrayTipShown"), "");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_P(MainFormReentryTest, ACompletedDocumentDoesNotShowAWindowThatWentWhileItPumped) {
    testsupport::MessageBoxWatcher boxes;
    WriteSysConfig("DirectUrl=http://exam.example/login.aspx\r\n");
    app::TMainForm* form = CreateMainForm();
    ASSERT_NE(form->GetBrowser(), nullptr);
    // The event's sink and the top-level object, held here: the end of the session frees the browser
    // inside its own event.
    base::ComPtr<IDispatch> sink(form->GetBrowser()->EventSink());
    base::ComPtr<IDispatch> top = form->GetBrowser()->Application();
    const HWND window = form->Handle();
    LoseWindowAtNextPump(window);
    EXPECT_EQ(testsupport::FireBrowserEvent(sink.Get(), DISPID_DOCUMENTCOMPLETE, top.Get(),
                                            L"http://exam.example/login.aspx"),
              S_OK);
    EXPECT_FALSE(form->StillMainForm());
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Losses, MainFormReentryTest,
                         ::testing::Values(Loss::EndOfSession, Loss::WindowDestroyed),
                         [](const ::testing::TestParamInfo<Loss>& info) {
                             return info.param == Loss::EndOfSession ? "EndOfSession" : "WindowDestroyed";
                         });
