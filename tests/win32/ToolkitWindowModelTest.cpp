// The toolkit's window model on real windows: how a handle leads to its object, event slots that
// change while they run, objects freed by their own events, deferred release and the one error box.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ToolkitTesting.h"
#include "base/Error.h"
#include "support/MessageBoxes.h"
#include "support/Wait.h"
#include "toolkit/Application.h"
#include "toolkit/Image.h"
#include "toolkit/Panel.h"

namespace {

using testsupport::PlainDesign;
using testsupport::PlainForm;

LPARAM Point(int x, int y) {
    return MAKELPARAM(x, y);
}

void Click(HWND window, int x, int y) {
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, Point(x, y));
}

// A form that records what reaches its handler and can act inside one of its own messages.
class ProbeForm : public tk::Form {
  public:
    static constexpr UINT kAct = WM_APP + 21;
    ProbeForm() : tk::Form(PlainDesign()) {}
    std::function<void()> act;  // runs inside kAct
    int failures = 0;
    size_t mostBoxesAtOnce = 0;

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kAct && act) {
            act();
            return 0;
        }
        if (message == WM_TIMER && wParam == 1) {
            FailAgain();
        }
        return tk::Form::WndProc(message, wParam, lParam);
    }

  private:
    // Fails at every tick until it has failed several times behind an open box; from then on it
    // closes every box at each tick (also boxes that a faulty toolkit would have stacked) and ends
    // the ticks when none is left.
    void FailAgain() {
        const auto boxes = testsupport::MessageBoxesOf(GetCurrentProcessId());
        mostBoxesAtOnce = std::max(mostBoxesAtOnce, boxes.size());
        if (failures >= 5 && mostBoxesAtOnce > 0) {
            for (HWND box : boxes) {
                testsupport::PressOk(box);
            }
            if (boxes.empty()) {
                KillTimer(Handle(), 1);
            }
            return;
        }
        ++failures;
        throw base::Error("fails every time");
    }
};

}  // namespace

TEST(ToolkitWindowModel, OnlyTheToolkitsLiveObjectsAreFoundBehindAHandle) {
    auto form = PlainForm();
    EXPECT_EQ(tk::Window::FromHandle(form->Handle()), form.get());
    // Another window whose user data happens to hold a pointer-like value, as any program's may.
    int unrelated = 0;
    tk::UniqueWindow other(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                           form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(other.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&unrelated));
    EXPECT_EQ(tk::Window::FromHandle(other.Get()), nullptr);
    // Its notifications reach the form without being taken for a control's.
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(other.Get()));
    // A window whose object went is no one's.
    const HWND window = form->Handle();
    form.reset();
    EXPECT_EQ(tk::Window::FromHandle(window), nullptr);
}

TEST(ToolkitWindowModel, AHandlerMayReplaceTheSlotItRunsFrom) {
    auto form = PlainForm();
    tk::Image& image = form->Add<tk::Image>();
    image.SetBounds(10, 10, 50, 20);
    std::string seen;
    int replacements = 0;
    // The closure's own copy of a long text: it would be freed under the running handler if the slot
    // were run in place.
    image.OnClick = [&image, &seen, &replacements, text = std::string(500, 'x')] {
        image.OnClick = [&replacements] { ++replacements; };
        seen = text;
    };
    form->Show();
    Click(form->Handle(), 15, 15);
    EXPECT_EQ(seen, std::string(500, 'x'));
    Click(form->Handle(), 15, 15);
    EXPECT_EQ(replacements, 1);
}

TEST(ToolkitWindowModel, AnEventMayFreeTheWindowedParentItCameThrough) {
    auto form = PlainForm();
    tk::Panel* panel = &form->Add<tk::Panel>(0, 0, 200, 100, RGB(255, 255, 255));
    tk::Image& image = panel->Add<tk::Image>();
    image.SetBounds(10, 10, 50, 20);
    image.OnClick = [&] { form->Delete(std::exchange(panel, nullptr)); };
    form->Show();
    const HWND panelWindow = panel->Handle();
    Click(panelWindow, 15, 15);
    EXPECT_EQ(panel, nullptr);
    EXPECT_FALSE(IsWindow(panelWindow));

    // The same on entering: the hover frees the panel the mouse came into.
    panel = &form->Add<tk::Panel>(0, 0, 200, 100, RGB(255, 255, 255));
    tk::Image& hovered = panel->Add<tk::Image>();
    hovered.SetBounds(10, 10, 50, 20);
    hovered.OnMouseEnter = [&] { form->Delete(std::exchange(panel, nullptr)); };
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, Point(15, 15));
    EXPECT_EQ(panel, nullptr);
    EXPECT_EQ(form->Controls().size(), 0u);
}

TEST(ToolkitWindowModel, AReleasedFormLivesUntilItsOwnHandlerHasReturnedAlsoWhenThatHandlerPumps) {
    ProbeForm& form = tk::CreateForm<ProbeForm>();
    const auto alive = form.LifeToken();
    bool aliveAfterPump = false;
    form.act = [&] {
        form.Release();
        tk::Application::Instance().ProcessMessages();  // a nested loop, as a modal box would run
        aliveAfterPump = *alive;
    };
    SendMessageW(form.Handle(), ProbeForm::kAct, 0, 0);
    EXPECT_TRUE(aliveAfterPump);
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !*alive; }));
}

TEST(ToolkitWindowModel, AnOwnerFreedDuringItsDialogsModalLoopEndsTheLoopAndFreesTheDialogAfterIt) {
    tk::Form& owner = tk::CreateForm<tk::Form>(PlainDesign());
    tk::Form& dialog = tk::CreateForm<tk::Form>(PlainDesign(200, 100, &owner));
    const auto dialogAlive = dialog.LifeToken();
    owner.Show();
    testsupport::LaterAction::Schedule([&owner] { owner.Release(); });
    EXPECT_EQ(dialog.ShowModal(), tk::kModalCancel);
    EXPECT_TRUE(*dialogAlive);  // the loop's caller may still look at it
    EXPECT_TRUE(testsupport::WaitUntil([&] { return !*dialogAlive; }));
}

TEST(ToolkitWindowModel, AHandlerThatFailsAtEveryMessageShowsOneBoxAtATime) {
    tk::FormPtr<ProbeForm> form = testsupport::MakeForm<ProbeForm>();
    SetTimer(form->Handle(), 1, 10, nullptr);
    // The first failure opens the box; the box's own loop runs the timer again, and each failure
    // behind it is only logged.
    EXPECT_TRUE(testsupport::WaitUntil([&] { return form->failures >= 5 && form->mostBoxesAtOnce > 0; }));
    EXPECT_EQ(form->mostBoxesAtOnce, 1u);
    EXPECT_FALSE(tk::Application::Instance().ErrorBoxOpen());
}
