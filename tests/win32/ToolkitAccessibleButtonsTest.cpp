// A form's windowless push buttons as screen readers see them through its client object: the listed
// buttons that are visible, their states, presses run later from the message loop, name changes by
// child id, and an object that outlives its window.
#include <gtest/gtest.h>

#include <vector>

#include "AccessibleReading.h"
#include "ToolkitTesting.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "toolkit/Application.h"
#include "base/Text.h"

using namespace testsupport;

namespace {

// A form that lists what the test gives it.
class ButtonsForm : public tk::Form {
  public:
    ButtonsForm() : tk::Form(PlainDesign()) { SetCaption(L"Buttons"); }
    std::vector<tk::AccessibleButton> AccessibleButtons() override { return buttons; }
    std::vector<tk::AccessibleButton> buttons;
};

// The dialogs' three image buttons: OK (with the keyboard cue), a hidden Cancel, and the close cross.
class ToolkitAccessibleButtons : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.reset(new ButtonsForm);
        form_->buttons = {Button(10, "确定", {200, 260, 260, 284}), Button(11, "取消", {270, 260, 330, 284}),
                          Button(12, "关闭", {376, 104, 396, 124})};
        form_->buttons[0].focused = true;
        form_->buttons[1].visible = false;
        form_->Show();
        tk::Application::Instance().ProcessMessages();
        ASSERT_EQ(BoxOfRect(WindowRect(form_->Handle())), (Box{100, 100, 300, 200}));
        object_ = ClientObjectOf(form_->Handle());
        ASSERT_TRUE(object_);
    }

    tk::AccessibleButton Button(int key, const char* name, RECT r) {
        tk::AccessibleButton button;
        button.key = key;
        button.name = base::Utf8ToWide(name);
        button.screenRect = r;
        button.press = [this, key] { presses_.push_back(key); };
        button.takeFocus = [this, key] { focused_.push_back(key); };
        return button;
    }

    tk::FormPtr<ButtonsForm> form_;
    base::ComPtr<IAccessible> object_;
    std::vector<int> presses_;
    std::vector<int> focused_;
};

}  // namespace

TEST_F(ToolkitAccessibleButtons, TheVisibleButtonsAreTheChildrenWithTheirNamesStatesAndPlaces) {
    IAccessible* a = object_.Get();
    EXPECT_EQ(AccRole(a, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
    EXPECT_EQ(AccName(a, CHILDID_SELF), L"Buttons");
    EXPECT_EQ(AccLocation(a, CHILDID_SELF), BoxOfRect(WindowRect(form_->Handle())));
    EXPECT_EQ(AccChildNames(a),
              (std::vector<std::wstring>{base::Utf8ToWide("确定"), base::Utf8ToWide("关闭")}));
    for (long id : {1L, 2L}) {
        EXPECT_EQ(AccRole(a, id), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(AccState(a, id) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE),
                  STATE_SYSTEM_FOCUSABLE);
        base::Bstr action;
        EXPECT_EQ(a->get_accDefaultAction(ChildId(id), action.Put()), S_OK);
        EXPECT_EQ(std::wstring(action.Get(), action.Length()), base::Utf8ToWide("按下"));
    }
    EXPECT_TRUE(AccState(a, 1) & STATE_SYSTEM_FOCUSED);
    EXPECT_FALSE(AccState(a, 2) & STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(AccLocation(a, 2), (Box{376, 104, 20, 20}));
    EXPECT_EQ(HitTest(a, {380, 110}), 2);
    EXPECT_EQ(HitTest(a, {150, 150}), CHILDID_SELF);
    EXPECT_EQ(Navigate(a, NAVDIR_LASTCHILD, CHILDID_SELF), 2);

    // The parent is the system's object of the window itself.
    base::ComPtr<IDispatch> parentDispatch;
    ASSERT_EQ(a->get_accParent(parentDispatch.Put()), S_OK);
    base::ComPtr<IAccessible> parent = parentDispatch.As<IAccessible>(tk::kIidAccessible);
    ASSERT_TRUE(parent);
    HWND parentWindow = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(parent.Get(), &parentWindow), S_OK);
    EXPECT_EQ(parentWindow, form_->Handle());
}

TEST_F(ToolkitAccessibleButtons, UnknownChildIdsAndMembersAreRefusedAsTheRulesSay) {
    IAccessible* a = object_.Get();
    base::Bstr text;
    EXPECT_EQ(a->get_accName(ChildId(3), text.Put()), E_INVALIDARG);  // the hidden button has no id
    EXPECT_EQ(a->get_accName(ChildId(-1), text.Put()), E_INVALIDARG);
    VARIANT notAnId;
    VariantInit(&notAnId);
    EXPECT_EQ(a->get_accName(notAnId, text.Put()), E_INVALIDARG);
    EXPECT_EQ(a->get_accValue(ChildId(1), text.Put()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(a->get_accDefaultAction(ChildId(CHILDID_SELF), text.Put()), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(a->accDoDefaultAction(ChildId(3)), E_INVALIDARG);
    base::ComPtr<IDispatch> child;
    EXPECT_EQ(a->get_accChild(ChildId(1), child.Put()), S_FALSE);  // a simple element
    EXPECT_FALSE(child);
    VARIANT end;
    VariantInit(&end);
    EXPECT_EQ(a->accNavigate(NAVDIR_FIRSTCHILD, ChildId(1), &end), E_INVALIDARG);
    EXPECT_EQ(a->accNavigate(NAVDIR_NEXT, ChildId(2), &end), S_FALSE);
    EXPECT_EQ(end.vt, VT_EMPTY);
}

// Only focusable buttons take the focus, and only the focus: the buttons are not selectable.
TEST_F(ToolkitAccessibleButtons, AScreenReaderMovesTheFocusToAButtonThatTakesIt) {
    EXPECT_EQ(object_->accSelect(SELFLAG_TAKEFOCUS, ChildId(2)), S_OK);
    EXPECT_EQ(object_->accSelect(SELFLAG_TAKESELECTION, ChildId(1)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object_->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, ChildId(1)),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(focused_, std::vector<int>{12});
    form_->buttons[2].takeFocus = nullptr;
    EXPECT_EQ(AccState(object_.Get(), 2) & STATE_SYSTEM_FOCUSABLE, 0);
    EXPECT_EQ(object_->accSelect(SELFLAG_TAKEFOCUS, ChildId(2)), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(focused_, std::vector<int>{12});
}

// The client's siblings are the window object's to tell (Wine's cannot: there is none to find).
TEST_F(ToolkitAccessibleButtons, TheClientsSiblingsAreThoseTheWindowObjectNames) {
    base::ComPtr<IAccessible> window;
    ASSERT_EQ(AccessibleObjectFromWindow(form_->Handle(), OBJID_WINDOW, tk::kIidAccessible, window.PutVoid()),
              S_OK);
    for (long direction : {NAVDIR_NEXT, NAVDIR_PREVIOUS, NAVDIR_UP, NAVDIR_DOWN}) {
        VARIANT a, b;
        VariantInit(&a);
        VariantInit(&b);
        const HRESULT ours = object_->accNavigate(direction, ChildId(CHILDID_SELF), &a);
        const HRESULT system = window->accNavigate(direction, ChildId(OBJID_CLIENT), &b);
        EXPECT_EQ(ours, system == S_OK ? S_OK : S_FALSE) << direction;
        EXPECT_EQ(a.vt, b.vt) << direction;
        if (system == S_OK && a.vt == VT_I4) {
            EXPECT_EQ(a.lVal, b.lVal) << direction;
        }
        VariantClear(&a);
        VariantClear(&b);
    }
}

// The press runs from the message loop, after the call has returned, for the button that has the
// key when it runs: one hidden in between is not pressed.
TEST_F(ToolkitAccessibleButtons, APressRunsLaterForTheButtonThatIsStillShown) {
    EXPECT_EQ(object_->accDoDefaultAction(ChildId(2)), S_OK);
    EXPECT_TRUE(presses_.empty());
    ASSERT_TRUE(WaitUntil([&] { return presses_ == std::vector<int>{12}; }));

    EXPECT_EQ(object_->accDoDefaultAction(ChildId(1)), S_OK);
    form_->buttons[0].visible = false;
    EXPECT_EQ(object_->accDoDefaultAction(ChildId(1)), S_OK);  // now the close cross
    // Both presses are in the queue already: handling what is there runs them, in order.
    tk::Application::Instance().ProcessMessages();
    EXPECT_EQ(presses_, (std::vector<int>{12, 12}));
}

TEST_F(ToolkitAccessibleButtons, ANameChangeNamesTheButtonsChildIdNotItsKeyOrListPlace) {
    NameChangeEvents events;
    ASSERT_TRUE(events.Hooked());
    form_->AccessibleButtonRenamed(12);
    EXPECT_TRUE(events.Comes(form_->Handle(), 2));
}

TEST_F(ToolkitAccessibleButtons, AnObjectHeldPastItsWindowAnswersDisconnected) {
    form_.reset();
    IAccessible* a = object_.Get();
    LONG count = 0;
    EXPECT_EQ(a->get_accChildCount(&count), RPC_E_DISCONNECTED);
    base::Bstr name;
    EXPECT_EQ(a->get_accName(ChildId(CHILDID_SELF), name.Put()), RPC_E_DISCONNECTED);
    EXPECT_EQ(a->accDoDefaultAction(ChildId(1)), RPC_E_DISCONNECTED);
    VARIANT hit;
    VariantInit(&hit);
    EXPECT_EQ(a->accHitTest(380, 110, &hit), RPC_E_DISCONNECTED);
    base::ComPtr<IDispatch> parent;
    EXPECT_EQ(a->get_accParent(parent.Put()), RPC_E_DISCONNECTED);
}
