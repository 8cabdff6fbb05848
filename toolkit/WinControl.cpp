#include "toolkit/Control.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/WindowClass.h"
#include "toolkit/WindowDpi.h"

namespace tk {
namespace {

bool Contains(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

WinControl::WinControl(WinControl* parent)
    : Control(parent, /*windowed=*/true), color_(GetSysColor(COLOR_BTNFACE)), dpi_(SystemDpi()) {}

WinControl::~WinControl() {
    // No message reaches this object from here on: it is no longer whole.
    Unbind();
    // The owned children go first, newest first, while this object still holds them; they need not
    // repaint a parent that goes too.
    while (!owned_.empty()) {
        std::unique_ptr<Control> child = std::move(owned_.back());
        owned_.pop_back();
        std::erase(controls_, child.get());
        child->parent_ = nullptr;
        child.reset();
    }
    // Children made by others (a test's, on its stack) outlive this object: they forget it.
    for (Control* c : controls_) {
        c->parent_ = nullptr;
    }
    controls_.clear();
    hover_ = nullptr;
    pressed_ = nullptr;
    // The window (and with it the tooltip it owns) goes in ~Window.
    tooltip_.Release();
}

WinControl* WinControl::FromHandle(HWND window) {
    return dynamic_cast<WinControl*>(Window::FromHandle(window));
}

void WinControl::CreateHandle(const WindowParams& p) {
    bounds_ = RECT{p.left, p.top, p.left + p.width, p.top + p.height};
    Window::CreateHandle(p);
    if (!Parent()) {
        dpi_ = WindowDpi(Handle());
    }
    if (OwnClass()) {
        SyncBoundsFromWindow();
    }
}

int WinControl::Dpi() const {
    return Parent() ? Parent()->Dpi() : dpi_;
}

void WinControl::DpiChanged() {
    // By index: a child's handler may add controls.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->DpiChanged();
    }
}

void WinControl::Delete(Control* child) {
    auto it = std::find_if(owned_.begin(), owned_.end(), [child](const auto& c) { return c.get() == child; });
    if (it == owned_.end()) {
        return;
    }
    std::unique_ptr<Control> freed = std::move(*it);
    owned_.erase(it);
    freed.reset();  // its destructor takes it off controls_
}

// Painting and the mouse of a window of our own class; a subclassed system control does its own.
bool WinControl::HandleOwnClassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_ERASEBKGND:
            *result = 1;  // everything is painted, double-buffered, in WM_PAINT
            return true;
        case WM_PAINT:
            PaintBuffered();
            *result = 0;
            return true;
        case WM_PRINTCLIENT: {
            RECT client;
            GetClientRect(Handle(), &client);
            PaintClient(reinterpret_cast<HDC>(wParam), client);
            *result = 0;
            return true;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_CAPTURECHANGED:
            *result = HandleMouse(message, wParam, lParam);
            return true;
        default:
            return false;
    }
}

LRESULT WinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OwnClass() && HandleOwnClassMessage(message, wParam, lParam, &result)) {
        return result;
    }
    switch (message) {
        case WM_SIZE:
        case WM_MOVE: {
            LRESULT r = DefaultHandler(message, wParam, lParam);
            SyncBoundsFromWindow();
            if (message == WM_SIZE) {
                Realign();
            }
            return r;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT &&
                SetClientCursor()) {
                return TRUE;
            }
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (ReflectToChild(message, wParam, lParam, &result)) {
                return result;
            }
            break;
        case WM_NCDESTROY:
            tooltip_.Release();  // owned by this window, destroyed with it
            break;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

// Paints the whole update region through one off-screen buffer, so that nothing flickers.
void WinControl::PaintBuffered() {
    PaintScope paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    if (IsRectEmpty(&client)) {
        return;
    }
    const RECT& area = paint.Area();
    UniqueMemoryDc memory(CreateCompatibleDC(paint.Dc()));
    UniqueBitmap buffer(CreateCompatibleBitmap(paint.Dc(), client.right, client.bottom));
    SelectGuard select(memory.Get(), buffer.Get());
    PaintClient(memory.Get(), area);
    BitBlt(paint.Dc(), area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(),
           area.left, area.top, SRCCOPY);
}

bool WinControl::SetClientCursor() {
    HCURSOR cursor = hover_ && hover_->Cursor() ? hover_->Cursor() : Cursor();
    if (cursor) {
        ::SetCursor(cursor);
    }
    return cursor != nullptr;
}

bool WinControl::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND from = nullptr;
    switch (message) {
        case WM_COMMAND:
            from = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM:
            from = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU
                       ? nullptr
                       : reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            from = nullptr;
            break;
        default:
            from = reinterpret_cast<HWND>(lParam);
            break;
    }
    WinControl* child = from && from != Handle() ? FromHandle(from) : nullptr;
    return child && child->ReflectedMessage(message, wParam, lParam, result);
}

void WinControl::SyncBoundsFromWindow() {
    if (!Handle()) {
        return;
    }
    RECT r;
    GetWindowRect(Handle(), &r);
    if (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    }
    bounds_ = r;
}

void WinControl::BoundsChanged(const RECT&) {
    if (Handle()) {
        SetWindowPos(Handle(), nullptr, bounds_.left, bounds_.top, bounds_.right - bounds_.left,
                     bounds_.bottom - bounds_.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void WinControl::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    VisibleChanged();
}

void WinControl::VisibleChanged() {
    if (Handle()) {
        ShowWindow(Handle(), visible_ ? SW_SHOWNA : SW_HIDE);
    }
}

void WinControl::BringToFront() {
    if (Parent()) {
        Parent()->RaiseControl(this);
    }
    if (Handle()) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WinControl::Invalidate() {
    if (Handle()) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void WinControl::SetColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

int WinControl::ClientWidth() const {
    RECT r{};
    if (Handle() && GetClientRect(Handle(), &r)) {
        return r.right;
    }
    return Width();
}

int WinControl::ClientHeight() const {
    RECT r{};
    if (Handle() && GetClientRect(Handle(), &r)) {
        return r.bottom;
    }
    return Height();
}

void WinControl::AddControl(Control* control) {
    controls_.push_back(control);
}

void WinControl::RemoveControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (hover_ == control) {
        hover_ = nullptr;
        UpdateTooltip();
    }
    if (pressed_ == control) {
        pressed_ = nullptr;
        if (Handle() && GetCapture() == Handle()) {
            ReleaseCapture();
        }
    }
}

void WinControl::RaiseControl(Control* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end()) {
        controls_.erase(it);
        controls_.push_back(control);
    }
}

void WinControl::Realign() {
    const int width = ClientWidth();
    const int height = ClientHeight();
    int top = 0;
    for (Control* c : controls_) {
        if (c->GetAlign() == Align::Top && c->Visible()) {
            c->PlaceBounds(0, top, width, c->Height());
            top += c->Height();
        }
    }
    for (Control* c : controls_) {
        if (c->GetAlign() == Align::Client && c->Visible()) {
            c->PlaceBounds(0, top, width, std::max(0, height - top));
        }
    }
    for (Control* c : controls_) {
        c->ParentResized(width, height);
    }
}

void WinControl::PaintClient(HDC dc, const RECT& clip) {
    UniqueBrush brush(CreateSolidBrush(color_));
    FillRect(dc, &clip, brush.Get());
    PaintGraphicChildren(dc, clip);
}

void WinControl::PaintGraphicChildren(HDC dc, const RECT& clip) {
    for (Control* c : controls_) {
        if (c->IsWindowed() || !c->Visible()) {
            continue;
        }
        RECT r = c->BoundsRect();
        RECT visible;
        if (!IntersectRect(&visible, &r, &clip)) {
            continue;
        }
        SavedDc saved(dc);
        IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        c->Paint(dc);
    }
}

Control* WinControl::GraphicControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* c = *it;
        if (!c->IsWindowed() && c->Visible() && Contains(c->BoundsRect(), x, y)) {
            return c;
        }
    }
    return nullptr;
}

void WinControl::SetHover(Control* control) {
    if (hover_ == control) {
        return;
    }
    Control* old = hover_;
    hover_ = control;
    UpdateTooltip();
    const auto alive = LifeToken();
    if (old) {
        old->MouseLeft();  // may free this control, or the one entered
    }
    if (*alive && control && hover_ == control) {
        control->MouseEntered();
    }
}

LRESULT WinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    // A child's event may free this control (a click that deletes the panel it sits on).
    const auto alive = LifeToken();
    switch (message) {
        case WM_MOUSEMOVE:
            if (!trackingLeave_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
                trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
            }
            SetHover(GraphicControlAt(x, y));
            break;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            SetHover(nullptr);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
            ButtonDown(message != WM_RBUTTONDOWN ? MouseButton::Left : MouseButton::Right, x, y);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ButtonUp(message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right, x, y);
            break;
        case WM_CAPTURECHANGED:
            if (pressed_ && reinterpret_cast<HWND>(lParam) != Handle()) {
                pressed_->pressed_ = false;
                pressed_ = nullptr;
            }
            break;
        default:
            break;
    }
    return *alive ? DefaultHandler(message, wParam, lParam) : 0;
}

void WinControl::NonClientMouse(UINT message, Control* target, int x, int y) {
    switch (message) {
        case WM_NCMOUSEMOVE: {
            if (!trackingNonClientLeave_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE | TME_NONCLIENT, Handle(), 0};
                trackingNonClientLeave_ = TrackMouseEvent(&tme) != FALSE;
            }
            if (!pressed_) {
                SetHover(target);
            }
            // The tooltip only watches the client area's own mouse messages.
            if (tooltip_) {
                MSG move{Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y), static_cast<DWORD>(GetMessageTime()),
                         {}};
                SendMessageW(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
            }
            break;
        }
        case WM_NCMOUSELEAVE:
            trackingNonClientLeave_ = false;
            if (!pressed_) {
                SetHover(nullptr);
            }
            break;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            if (target) {
                ButtonDown(MouseButton::Left, x, y);
            }
            break;
        case WM_NCLBUTTONUP:
            ButtonUp(MouseButton::Left, x, y);
            break;
        default:
            break;
    }
}

// A left press captures the mouse for the control under it, so that its release reaches the same control.
void WinControl::ButtonDown(MouseButton button, int x, int y) {
    Control* target = GraphicControlAt(x, y);
    if (!target) {
        return;
    }
    if (button == MouseButton::Left) {
        pressed_ = target;
        SetCapture(Handle());
    }
    target->MouseDown(button, x - target->Left(), y - target->Top());
}

void WinControl::ButtonUp(MouseButton button, int x, int y) {
    Control* target = nullptr;
    if (button == MouseButton::Left) {
        target = std::exchange(pressed_, nullptr);
        if (GetCapture() == Handle()) {
            ReleaseCapture();
        }
    } else {
        target = GraphicControlAt(x, y);
    }
    if (target) {
        target->MouseUp(button, x - target->Left(), y - target->Top());
    }
}

void WinControl::UpdateTooltip() {
    if (!Handle()) {
        return;
    }
    const bool want = hover_ && hover_->ShowHint() && !hover_->Hint().empty();
    if (!want && !tooltip_) {
        return;
    }
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = Handle();
    ti.uId = 1;
    if (!tooltip_) {
        tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
        if (!tooltip_) {
            return;
        }
        ti.uFlags = TTF_SUBCLASS;
        ti.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    ti.rect = want ? hover_->BoundsRect() : RECT{0, 0, 0, 0};
    SendMessageW(tooltip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    std::wstring text = want ? hover_->Hint() : std::wstring();
    ti.lpszText = text.data();
    SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tk
