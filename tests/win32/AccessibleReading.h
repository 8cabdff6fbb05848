// Reading a window's client object back the way a screen reader does: through
// AccessibleObjectFromWindow and the IAccessible members, child by child id.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/AccessibleButtons.h"
#include "ToolkitTesting.h"
#include "support/Wait.h"
#include "base/Handles.h"

namespace testsupport {

inline VARIANT ChildId(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

inline base::ComPtr<IAccessible> ClientObjectOf(HWND window) {
    base::ComPtr<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, tk::kIidAccessible, object.PutVoid()), S_OK);
    return object;
}

inline std::wstring AccName(IAccessible* object, long id) {
    base::Bstr name;
    if (FAILED(object->get_accName(ChildId(id), name.Put())) || !name.Get()) {
        return {};
    }
    return std::wstring(name.Get(), name.Length());
}

inline long AccRole(IAccessible* object, long id) {
    VARIANT role;
    VariantInit(&role);
    return SUCCEEDED(object->get_accRole(ChildId(id), &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

inline long AccState(IAccessible* object, long id) {
    VARIANT state;
    VariantInit(&state);
    return SUCCEEDED(object->get_accState(ChildId(id), &state)) && state.vt == VT_I4 ? state.lVal : -1;
}

inline long AccChildCount(IAccessible* object) {
    LONG count = -1;
    return SUCCEEDED(object->get_accChildCount(&count)) ? count : -1;
}

// The children's names, child 1 first.
inline std::vector<std::wstring> AccChildNames(IAccessible* object) {
    std::vector<std::wstring> names;
    for (long id = 1; id <= AccChildCount(object); ++id) {
        names.push_back(AccName(object, id));
    }
    return names;
}

inline Box AccLocation(IAccessible* object, long id) {
    LONG left = 0, top = 0, width = 0, height = 0;
    if (FAILED(object->accLocation(&left, &top, &width, &height, ChildId(id)))) {
        return {};
    }
    return Box{left, top, width, height};
}
inline Box BoxOfRect(const RECT& r) {
    return Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The child id a navigation or hit test answered with (-1: none, or an object instead of an id).
inline long AnsweredChild(HRESULT hr, VARIANT& answer) {
    const long id = hr == S_OK && answer.vt == VT_I4 ? answer.lVal : -1;
    VariantClear(&answer);
    return id;
}

inline long Navigate(IAccessible* object, long direction, long start) {
    VARIANT end;
    VariantInit(&end);
    return AnsweredChild(object->accNavigate(direction, ChildId(start), &end), end);
}

inline long HitTest(IAccessible* object, POINT p) {
    VARIANT hit;
    VariantInit(&hit);
    return AnsweredChild(object->accHitTest(p.x, p.y, &hit), hit);
}

// Records the name changes raised in this process while it lives (one recorder at a time).
class NameChangeEvents {
  public:
    NameChangeEvents()
        : hook_(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &Record,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT)) {
        instance_ = this;
    }
    ~NameChangeEvents() {
        if (hook_) {
            UnhookWinEvent(hook_);
        }
        instance_ = nullptr;
    }
    NameChangeEvents(const NameChangeEvents&) = delete;
    NameChangeEvents& operator=(const NameChangeEvents&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    // Whether a name change of that child of the window's client object comes.
    bool Comes(HWND window, long childId) {
        return WaitUntil([&] {
            return std::any_of(events_.begin(), events_.end(), [&](const Event& e) {
                return e.window == window && e.object == OBJID_CLIENT && e.child == childId;
            });
        });
    }
    void Clear() { events_.clear(); }

  private:
    struct Event {
        HWND window;
        LONG object;
        LONG child;
    };
    static void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (instance_) {
            instance_->events_.push_back({window, object, child});
        }
    }

    HWINEVENTHOOK hook_;
    std::vector<Event> events_;
    static inline NameChangeEvents* instance_ = nullptr;
};

}  // namespace testsupport
