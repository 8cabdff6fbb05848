// The modal loop: which windows it disables, and that it gives back exactly those, also when the
// dialog fails.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ToolkitTesting.h"
#include "base/Error.h"
#include "support/MessageBoxes.h"
#include "support/Wait.h"
#include "toolkit/GdiHandles.h"

using testsupport::LaterAction;

namespace {

const UINT kFailMessage = WM_APP + 7;

// A dialog whose message handler fails on one message.
class FailingDialog : public tk::Form {
  public:
    explicit FailingDialog(tk::Form* owner) : tk::Form(testsupport::PlainDesign(200, 100, owner)) {}
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFailMessage) {
            throw base::Error("the dialog failed");
        }
        return tk::Form::WndProc(message, wParam, lParam);
    }
};

// The program's other top-level windows around a modal dialog: its owner, a form that was already
// disabled, a form that is not shown, and a window of this thread that is not a form.
class ToolkitModalLoop : public ::testing::Test {
  protected:
    ToolkitModalLoop() {
        owner_->Show();
        disabledBefore_->Show();
        EnableWindow(disabledBefore_->Handle(), FALSE);
        plain_.Reset(CreateWindowExW(0, L"STATIC", L"another window", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    }

    std::map<std::string, bool> Enabled() const {
        return {{"owner", IsWindowEnabled(owner_->Handle()) != FALSE},
                {"disabled before", IsWindowEnabled(disabledBefore_->Handle()) != FALSE},
                {"hidden", IsWindowEnabled(hidden_->Handle()) != FALSE},
                {"plain window", IsWindowEnabled(plain_.Get()) != FALSE}};
    }
    // The windows' enabled states while the loop runs, then the dialog is ended with OK.
    void RecordInsideAndEnd(tk::Form& dialog) {
        LaterAction::Schedule([this, &dialog] {
            inside_ = Enabled();
            dialogEnabled_ = IsWindowEnabled(dialog.Handle()) != FALSE;
            dialog.SetModalResult(tk::kModalOk);
        });
    }
    void ExpectOnlyTheVisibleEnabledOnesWereDisabledAndAreBack() {
        EXPECT_EQ(
            inside_,
            (std::map<std::string, bool>{
                {"owner", false}, {"disabled before", false}, {"hidden", true}, {"plain window", false}}));
        EXPECT_TRUE(dialogEnabled_);
        EXPECT_EQ(
            Enabled(),
            (std::map<std::string, bool>{
                {"owner", true}, {"disabled before", false}, {"hidden", true}, {"plain window", true}}));
    }

    tk::FormPtr<tk::Form> owner_ = testsupport::PlainForm();
    tk::FormPtr<tk::Form> disabledBefore_ = testsupport::PlainForm();
    tk::FormPtr<tk::Form> hidden_ = testsupport::PlainForm();
    tk::UniqueWindow plain_;
    std::map<std::string, bool> inside_;
    bool dialogEnabled_ = false;
};

}  // namespace

TEST_F(ToolkitModalLoop, DisablesTheVisibleEnabledWindowsAndGivesBackExactlyThose) {
    auto dialog = testsupport::PlainForm(200, 100, owner_.get());
    RecordInsideAndEnd(*dialog);
    EXPECT_EQ(dialog->ShowModal(), tk::kModalOk);
    ExpectOnlyTheVisibleEnabledOnesWereDisabledAndAreBack();
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
}

TEST_F(ToolkitModalLoop, AnErrorInTheDialogsCloseQueryLeavesTheLoopAndGivesBackTheSameWindows) {
    auto dialog = testsupport::PlainForm(200, 100, owner_.get());
    dialog->OnCloseQuery = [](bool&) { throw base::Error("cannot close"); };
    RecordInsideAndEnd(*dialog);
    EXPECT_THROW(dialog->ShowModal(), base::Error);
    ExpectOnlyTheVisibleEnabledOnesWereDisabledAndAreBack();
    EXPECT_FALSE(dialog->IsModal());
    // Gone from the screen as after any end of the loop, so it can be shown modally again.
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    dialog->OnCloseQuery = nullptr;
    RecordInsideAndEnd(*dialog);
    EXPECT_EQ(dialog->ShowModal(), tk::kModalOk);
}

TEST_F(ToolkitModalLoop, AnErrorInTheDialogsMessageHandlerIsShownAndTheLoopGoesOn) {
    tk::FormPtr<FailingDialog> dialog(new FailingDialog(owner_.get()));
    testsupport::MessageBoxWatcher boxes;
    LaterAction::Schedule([&] {
        SendMessageW(dialog->Handle(), kFailMessage, 0, 0);  // returns once the error box is closed
        RecordInsideAndEnd(*dialog);
    });
    EXPECT_EQ(dialog->ShowModal(), tk::kModalOk);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, L"the dialog failed");
    ExpectOnlyTheVisibleEnabledOnesWereDisabledAndAreBack();
}
