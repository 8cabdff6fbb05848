#include "toolkit/AccessibleButtons.h"

#include <oleacc.h>

#include <optional>
#include <utility>

#include "toolkit/AccessibleChildren.h"
#include "toolkit/ComObject.h"
#include "base/Log.h"
#include "base/Text.h"

namespace tk {

static_assert(kChildSelf == CHILDID_SELF);
static_assert(static_cast<long>(NavigateDirection::Up) == NAVDIR_UP &&
              static_cast<long>(NavigateDirection::Down) == NAVDIR_DOWN &&
              static_cast<long>(NavigateDirection::Left) == NAVDIR_LEFT &&
              static_cast<long>(NavigateDirection::Right) == NAVDIR_RIGHT &&
              static_cast<long>(NavigateDirection::Next) == NAVDIR_NEXT &&
              static_cast<long>(NavigateDirection::Previous) == NAVDIR_PREVIOUS &&
              static_cast<long>(NavigateDirection::FirstChild) == NAVDIR_FIRSTCHILD &&
              static_cast<long>(NavigateDirection::LastChild) == NAVDIR_LASTCHILD);

namespace {

// What the object answers once its window is gone.
constexpr HRESULT kDisconnected = RPC_E_DISCONNECTED;

HRESULT ToBstr(const std::wstring& text, BSTR* out) {
    if (text.empty()) {
        return S_FALSE;  // no such text: the out pointer stays null
    }
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* out, long childId) {
    out->vt = VT_I4;
    out->lVal = childId;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

RECT ClientRectOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The system's object for another window (a windowed child under the point or with the focus).
HRESULT StandardWindowObject(HWND window, VARIANT* out) {
    IDispatch* object = nullptr;
    const HRESULT hr =
        CreateStdAccessibleObject(window, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(hr)) {
        return hr;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = object;
    return S_OK;
}

std::vector<ChildBox> BoxesOf(const std::vector<AccessibleButton>& shown) {
    std::vector<ChildBox> boxes;
    boxes.reserve(shown.size());
    for (const AccessibleButton& button : shown) {
        const RECT& r = button.screenRect;
        boxes.push_back({r.left, r.top, r.right, r.bottom});
    }
    return boxes;
}

}  // namespace

// The client object. Every member lists the buttons afresh through the window's lister, until the
// window disconnects it.
class ButtonsAccessible final : public LateBoundDispatch<ComObject<IAccessible>> {
  public:
    ButtonsAccessible(HWND window, AccessibleButtonsClient::Lister lister)
        : window_(window), lister_(std::move(lister)) {}

    void Disconnect() {
        window_ = nullptr;
        lister_ = nullptr;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
        if (!parent) {
            return E_POINTER;
        }
        *parent = nullptr;
        return Connected("get_accParent", [&] {
            return CreateStdAccessibleObject(window_, OBJID_WINDOW, IID_IDispatch,
                                             reinterpret_cast<void**>(parent));
        });
    }

    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
        if (!count) {
            return E_POINTER;
        }
        *count = 0;
        return Connected("get_accChildCount", [&] {
            *count = static_cast<LONG>(Shown().size());
            return S_OK;
        });
    }

    // The children are simple elements, not objects of their own.
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) noexcept override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        return ForChild("get_accChild", child,
                        [](const AccessibleButton* button) { return button ? S_FALSE : E_INVALIDARG; });
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override {
        if (!name) {
            return E_POINTER;
        }
        *name = nullptr;
        return ForChild("get_accName", child, [&](const AccessibleButton* button) {
            return ToBstr(button ? button->name : WindowText(window_), name);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override {
        return Unsupported("get_accValue", child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) noexcept override {
        return Unsupported("get_accDescription", child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override {
        return Unsupported("get_accHelp", child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) noexcept override {
        return Unsupported("get_accKeyboardShortcut", child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) noexcept override {
        if (!file || !topic) {
            return E_POINTER;
        }
        *topic = 0;
        return Unsupported("get_accHelpTopic", child, file);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override {
        if (!role) {
            return E_POINTER;
        }
        VariantInit(role);
        return ForChild("get_accRole", child, [&](const AccessibleButton* button) {
            role->vt = VT_I4;
            role->lVal = button ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_CLIENT;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override {
        if (!state) {
            return E_POINTER;
        }
        VariantInit(state);
        return ForChild("get_accState", child, [&](const AccessibleButton* button) {
            LONG bits = STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowEnabled(window_)) {
                bits |= STATE_SYSTEM_UNAVAILABLE;
            }
            if (button) {
                bits &= button->takeFocus ? ~0L : ~static_cast<LONG>(STATE_SYSTEM_FOCUSABLE);
                bits |= button->focused ? STATE_SYSTEM_FOCUSED : 0;
            } else {
                bits |= GetFocus() == window_ ? STATE_SYSTEM_FOCUSED : 0;
                bits |= IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
            }
            state->vt = VT_I4;
            state->lVal = bits;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) noexcept override {
        if (!focus) {
            return E_POINTER;
        }
        VariantInit(focus);
        return Connected("get_accFocus", [&] {
            HWND focused = GetFocus();
            if (!focused || (focused != window_ && !IsChild(window_, focused))) {
                return S_FALSE;  // the focus is elsewhere
            }
            const std::vector<AccessibleButton> shown = Shown();
            for (size_t i = 0; i < shown.size(); ++i) {
                if (shown[i].focused) {
                    SetChildId(focus, ChildIdOf(i));
                    return S_OK;
                }
            }
            if (focused == window_) {
                SetChildId(focus, CHILDID_SELF);
                return S_OK;
            }
            return StandardWindowObject(focused, focus);
        });
    }

    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) noexcept override {
        if (!selection) {
            return E_POINTER;
        }
        VariantInit(selection);
        return Connected("get_accSelection", [] { return DISP_E_MEMBERNOTFOUND; });
    }

    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override {
        if (!action) {
            return E_POINTER;
        }
        *action = nullptr;
        return ForChild("get_accDefaultAction", child, [&](const AccessibleButton* button) {
            return button ? ToBstr(base::Utf8ToWide("按下"), action) : DISP_E_MEMBERNOTFOUND;
        });
    }

    // The buttons are not selectable; a focusable one takes the focus when asked.
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) noexcept override {
        return ForChild("accSelect", child, [&](const AccessibleButton* button) -> HRESULT {
            if (flags != SELFLAG_TAKEFOCUS || !button || !button->takeFocus) {
                return DISP_E_MEMBERNOTFOUND;
            }
            button->takeFocus();
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) noexcept override {
        if (!left || !top || !width || !height) {
            return E_POINTER;
        }
        *left = *top = *width = *height = 0;
        return ForChild("accLocation", child, [&](const AccessibleButton* button) {
            const RECT r = button ? button->screenRect : ClientRectOnScreen(window_);
            *left = r.left;
            *top = r.top;
            *width = r.right - r.left;
            *height = r.bottom - r.top;
            return S_OK;
        });
    }

    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) noexcept override {
        if (!end) {
            return E_POINTER;
        }
        VariantInit(end);
        return Connected("accNavigate", [&] {
            if (start.vt != VT_I4) {
                return E_INVALIDARG;
            }
            const NavigateAnswer answer = NavigateChildren(start.lVal, direction, BoxesOf(Shown()));
            switch (answer.outcome) {
                case NavigateAnswer::Outcome::Found:
                    SetChildId(end, answer.childId);
                    return S_OK;
                case NavigateAnswer::Outcome::None:
                    return start.lVal == CHILDID_SELF ? NavigateFromClient(direction, end) : S_FALSE;
                default:
                    return E_INVALIDARG;
            }
        });
    }

    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* hit) noexcept override {
        if (!hit) {
            return E_POINTER;
        }
        VariantInit(hit);
        return Connected("accHitTest", [&] {
            if (const std::optional<long> child = ChildAt(x, y, BoxesOf(Shown()))) {
                SetChildId(hit, *child);
                return S_OK;
            }
            const RECT client = ClientRectOnScreen(window_);
            const POINT screen{x, y};
            if (!PtInRect(&client, screen)) {
                return S_FALSE;  // outside the object
            }
            POINT p = screen;
            ScreenToClient(window_, &p);
            HWND under = ChildWindowFromPointEx(window_, p, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
            if (under && under != window_) {
                return StandardWindowObject(under, hit);
            }
            SetChildId(hit, CHILDID_SELF);
            return S_OK;
        });
    }

    // A press runs later, from the window's own message loop: what a click does may close and free the
    // window, which must not happen inside this call.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override {
        return ForChild("accDoDefaultAction", child, [&](const AccessibleButton* button) -> HRESULT {
            if (!button) {
                return DISP_E_MEMBERNOTFOUND;
            }
            if (!PostMessageW(window_, kWmAccessiblePress, static_cast<WPARAM>(button->key), 0)) {
                const DWORD error = GetLastError();
                base::LogF("A screen reader's button press could not be posted: %s",
                           base::ErrorText(error).c_str());
                return HRESULT_FROM_WIN32(error);
            }
            return S_OK;
        });
    }

    // Clients cannot rename the buttons or give them values.
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }

  private:
    ~ButtonsAccessible() override = default;

    // The client object's siblings (the window's title bar, menu, scroll bars) are the window
    // object's to tell: it is asked for the element next to its client. Where it cannot say, there is
    // none to be found.
    HRESULT NavigateFromClient(LONG direction, VARIANT* end) {
        base::ComPtr<IAccessible> window;
        if (FAILED(CreateStdAccessibleObject(window_, OBJID_WINDOW, kIidAccessible, window.PutVoid()))) {
            return S_FALSE;
        }
        VARIANT client;
        SetChildId(&client, OBJID_CLIENT);
        if (window->accNavigate(direction, client, end) == S_OK) {
            return S_OK;
        }
        VariantClear(end);
        return S_FALSE;
    }

    void* Interface(REFIID riid) override {
        return riid == IID_IDispatch || riid == kIidAccessible ? static_cast<IAccessible*>(this) : nullptr;
    }

    std::vector<AccessibleButton> Shown() const { return ShownButtons(lister_()); }

    // Runs body inside the exception guard while the window is there.
    template <typename Body>
    HRESULT Connected(const char* where, Body&& body) noexcept {
        return GuardCom(where, [&]() -> HRESULT {
            if (!lister_) {
                return kDisconnected;
            }
            return body();
        });
    }

    // Runs body for the button a child id names (nullptr: the object itself); an id that is not
    // the object's or one of its children's is refused.
    template <typename Body>
    HRESULT ForChild(const char* where, const VARIANT& child, Body&& body) noexcept {
        return Connected(where, [&]() -> HRESULT {
            if (child.vt != VT_I4) {
                return E_INVALIDARG;
            }
            if (child.lVal == CHILDID_SELF) {
                return body(static_cast<const AccessibleButton*>(nullptr));
            }
            const std::vector<AccessibleButton> shown = Shown();
            const std::optional<size_t> index = ChildIndexOf(child.lVal, shown.size());
            if (!index) {
                return E_INVALIDARG;
            }
            return body(&shown[*index]);
        });
    }

    // A text property the object and its children do not have.
    HRESULT Unsupported(const char* where, const VARIANT& child, BSTR* text) noexcept {
        if (!text) {
            return E_POINTER;
        }
        *text = nullptr;
        return ForChild(where, child, [](const AccessibleButton*) { return DISP_E_MEMBERNOTFOUND; });
    }

    HWND window_;
    AccessibleButtonsClient::Lister lister_;
};

AccessibleButtonsClient::AccessibleButtonsClient(HWND window, Lister lister)
    : object_(base::ComPtr<ButtonsAccessible>::Adopt(new ButtonsAccessible(window, std::move(lister)))) {}

AccessibleButtonsClient::~AccessibleButtonsClient() {
    Disconnect();
}

LRESULT AccessibleButtonsClient::Answer(WPARAM wParam) {
    const LRESULT result =
        LresultFromObject(kIidAccessible, wParam, static_cast<IAccessible*>(object_.Get()));
    if (result < 0) {
        base::LogF("The window's accessible object could not be handed out: %s",
                   base::HResultText(static_cast<long>(result)).c_str());
    }
    return result;
}

void AccessibleButtonsClient::Disconnect() {
    if (object_) {
        object_->Disconnect();
    }
}

std::vector<AccessibleButton> ShownButtons(std::vector<AccessibleButton> listed) {
    std::erase_if(listed, [](const AccessibleButton& button) { return !button.visible; });
    return listed;
}

bool PressShownButton(const std::vector<AccessibleButton>& listed, WPARAM key) {
    for (const AccessibleButton& button : listed) {
        if (button.visible && static_cast<WPARAM>(button.key) == key) {
            if (button.press) {
                button.press();
            }
            return true;
        }
    }
    return false;
}

void NotifyButtonNameChanged(HWND window, const std::vector<AccessibleButton>& listed, int key) {
    const std::vector<AccessibleButton> shown = ShownButtons(listed);
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i].key == key) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, ChildIdOf(i));
            return;
        }
    }
}

}  // namespace tk
