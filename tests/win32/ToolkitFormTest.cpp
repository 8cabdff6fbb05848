// The toolkit's forms and windowless controls on real windows.
#include <gtest/gtest.h>

#include "support/Wait.h"
#include "support/MessageBoxes.h"
#include "toolkit/Application.h"
#include "base/Error.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace {

tk::FormDesign Design(tk::Form* owner = nullptr) {
    tk::FormDesign design;
    design.className = L"VelmoraTestForm";
    design.left = 100;
    design.top = 100;
    design.clientWidth = 300;
    design.clientHeight = 200;
    design.owner = owner;
    return design;
}

// A form whose message handler can be made to fail.
class FailingForm : public tk::Form {
  public:
    FailingForm() : tk::Form(Design()) {}
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP + 7) {
            throw base::Error("something went wrong");
        }
        return tk::Form::WndProc(message, wParam, lParam);
    }
};

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

}  // namespace

TEST(ToolkitForm, ShowFiresOnShowBeforeTheWindowAppearsAndEveryTimeItBecomesVisible) {
    tk::FormPtr<tk::Form> form(new tk::Form(Design()));
    int shows = 0;
    bool visibleDuringShow = true;
    form->OnShow = [&] {
        ++shows;
        visibleDuringShow = IsWindowVisible(form->Handle()) != FALSE;
    };
    form->Show();
    form->Show();
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(visibleDuringShow);
    form->Hide();
    form->Show();
    EXPECT_EQ(shows, 2);
    // Hidden by someone else: the next show counts again.
    ShowWindow(form->Handle(), SW_HIDE);
    EXPECT_FALSE(form->Visible());
    form->Show();
    EXPECT_EQ(shows, 3);
}

TEST(ToolkitForm, ApplicationWindowIsVisibleExactlyWhileAFormIs) {
    HWND application = tk::Application::Instance().Handle();
    tk::FormPtr<tk::Form> form(new tk::Form(Design()));
    EXPECT_FALSE(IsWindowVisible(application));
    form->Show();
    EXPECT_TRUE(IsWindowVisible(application));
    EXPECT_TRUE(GetWindowLongW(application, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(application));
}

namespace {

// What a timer saw from inside a modal loop, and the result it then set.
struct ModalProbe {
    HWND owner = nullptr;
    bool ownerEnabled = true;
    bool dialogModal = false;
    bool dialogVisible = false;
} probe;

void CALLBACK EndModalLoop(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    probe.ownerEnabled = IsWindowEnabled(probe.owner) != FALSE;
    for (tk::Form* f : tk::Application::Instance().Forms()) {
        if (f->IsModal()) {
            probe.dialogModal = true;
            probe.dialogVisible = IsWindowVisible(f->Handle()) != FALSE;
            f->SetModalResult(tk::kModalOk);
        }
    }
}

}  // namespace

TEST(ToolkitForm, ModalFormDisablesTheOthersUntilItHasAResult) {
    tk::FormPtr<tk::Form> owner(new tk::Form(Design()));
    owner->Show();
    tk::FormPtr<tk::Form> dialog(new tk::Form(Design(owner.get())));
    probe = ModalProbe{owner->Handle()};
    SetTimer(nullptr, 0, 100, &EndModalLoop);
    EXPECT_EQ(dialog->ShowModal(), tk::kModalOk);
    EXPECT_TRUE(probe.dialogModal);
    EXPECT_TRUE(probe.dialogVisible);
    EXPECT_FALSE(probe.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(dialog->IsModal());
}

TEST(ToolkitForm, CloseWithTheFreeActionReleasesTheFormLater) {
    bool destroyed = false;
    tk::Form* form = &tk::CreateForm<tk::Form>(Design());
    form->OnDestroy = [&] { destroyed = true; };
    form->OnClose = [](tk::CloseAction& action) { action = tk::CloseAction::Free; };
    form->Show();
    HWND window = form->Handle();
    form->Close();
    EXPECT_FALSE(destroyed);  // not while the caller may still use it
    EXPECT_TRUE(testsupport::WaitUntil([&] { return destroyed; }));
    EXPECT_FALSE(IsWindow(window));
}

TEST(ToolkitForm, OwnedFormsAreFreedWithTheirOwner) {
    bool childDestroyed = false;
    tk::FormPtr<tk::Form> owner(new tk::Form(Design()));
    tk::Form* child = &tk::CreateForm<tk::Form>(Design(owner.get()));
    child->OnDestroy = [&] { childDestroyed = true; };
    const size_t before = tk::Application::Instance().Forms().size();
    owner.reset();
    EXPECT_TRUE(childDestroyed);
    EXPECT_EQ(tk::Application::Instance().Forms().size(), before - 2);
}

TEST(ToolkitForm, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    testsupport::MessageBoxWatcher boxes;
    tk::FormPtr<FailingForm> form(new FailingForm());
    SendMessageW(form->Handle(), WM_APP + 7, 0, 0);
    ASSERT_TRUE(boxes.WaitFor(1, 3000));
    EXPECT_EQ(boxes.Boxes()[0].text, L"something went wrong");
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST(ToolkitForm, WindowlessControlsGetHoverAndClicksAndRightAnchorsFollowTheWidth) {
    tk::FormPtr<tk::Form> form(new tk::Form(Design()));
    tk::Image image(form.get());
    image.SetBounds(10, 10, 50, 20);
    tk::Label label(form.get());
    label.SetAutoSize(false);
    label.SetBounds(200, 5, 80, 13);
    label.SetAnchors(tk::kAnchorTop | tk::kAnchorRight);
    std::vector<std::string> events;
    image.OnMouseEnter = [&] { events.push_back("enter"); };
    image.OnMouseLeave = [&] { events.push_back("leave"); };
    image.OnClick = [&] { events.push_back("click"); };
    image.OnMouseUp = [&](tk::MouseButton, int, int) { events.push_back("up"); };
    form->Show();
    HWND h = form->Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, Point(15, 15));
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(15, 15));
    SendMessageW(h, WM_LBUTTONUP, 0, Point(16, 16));
    // Pressed inside but released outside: no click.
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(15, 15));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Point(150, 150));
    SendMessageW(h, WM_LBUTTONUP, 0, Point(150, 150));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "click", "up", "leave", "up"}));

    form->SetBounds(form->Left(), form->Top(), 400, 200);
    EXPECT_EQ(label.Left(), 300);
    EXPECT_EQ(label.Width(), 80);
}

TEST(ToolkitForm, AClickThatFreesItsOwnControlIsSafe) {
    tk::FormPtr<tk::Form> form(new tk::Form(Design()));
    auto image = std::make_unique<tk::Image>(form.get());
    image->SetBounds(10, 10, 50, 20);
    bool mouseUpAfterFree = false;
    image->OnClick = [&] { image.reset(); };
    image->OnMouseUp = [&](tk::MouseButton, int, int) { mouseUpAfterFree = true; };
    form->Show();
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(15, 15));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, Point(15, 15));
    EXPECT_EQ(image, nullptr);
    EXPECT_FALSE(mouseUpAfterFree);
}
