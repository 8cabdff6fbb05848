// Plain toolkit forms for the toolkit's own tests, and what a form's client area looks like.
#pragma once

#include <windows.h>

#include <ostream>

#include "support/Pixels.h"
#include "toolkit/Form.h"

namespace testsupport {

// A borderless form of the given client size at (100, 100), white unless told otherwise.
inline tk::FormDesign PlainDesign(int width = 300, int height = 200, tk::Form* owner = nullptr) {
    tk::FormDesign design;
    design.className = L"VelmoraTestForm";
    design.left = 100;
    design.top = 100;
    design.clientWidth = width;
    design.clientHeight = height;
    design.color = RGB(255, 255, 255);
    design.owner = owner;
    return design;
}

// A form the test owns (the program's forms are held by their owner or the application: CreateForm),
// with its creation run.
template <typename T, typename... Args>
tk::FormPtr<T> MakeForm(Args&&... args) {
    tk::FormPtr<T> form(new T(std::forward<Args>(args)...));
    form->DoCreate();
    return form;
}

inline tk::FormPtr<tk::Form> PlainForm(int width = 300, int height = 200, tk::Form* owner = nullptr) {
    return tk::FormPtr<tk::Form>(new tk::Form(PlainDesign(width, height, owner)));
}

// The control's client area as it paints it (background and windowless children), off screen.
inline Surface PrintClient(const tk::WinControl& control) {
    Surface surface(control.ClientWidth(), control.ClientHeight(), RGB(1, 2, 3));
    SendMessageW(control.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.Dc()), PRF_CLIENT);
    return surface;
}

// The bounds of a control as left, top, width, height (gtest prints it readably).
struct Box {
    int left, top, width, height;
    bool operator==(const Box&) const = default;
};
inline Box BoxOf(const tk::Control& control) {
    return {control.Left(), control.Top(), control.Width(), control.Height()};
}
// Where a child window really is, in its parent's client coordinates.
inline Box WindowBoxOf(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
inline void PrintTo(const Box& b, std::ostream* out) {
    *out << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
}

}  // namespace testsupport
