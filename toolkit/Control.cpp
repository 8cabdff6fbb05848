#include "toolkit/Control.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "toolkit/Application.h"
#include "base/Error.h"
#include "toolkit/GdiHandles.h"

namespace tk {
namespace {

const wchar_t kControlProperty[] = L"Velmora.Control";

bool Contains(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(WinControl* parent) : parent_(parent) {
    if (parent_) {
        parent_->AddControl(this);
    }
}

Control::~Control() {
    *alive_ = false;
    if (parent_) {
        if (!IsWindowed() && visible_) {
            Invalidate();
        }
        parent_->RemoveControl(this);
    }
}

void Control::SetBounds(int left, int top, int width, int height) {
    PlaceBounds(left, top, width, height);
    RecordAnchorOrigin();
}

void Control::PlaceBounds(int left, int top, int width, int height) {
    RECT now{left, top, left + std::max(0, width), top + std::max(0, height)};
    if (EqualRect(&now, &bounds_)) {
        return;
    }
    RECT old = bounds_;
    bounds_ = now;
    BoundsChanged(old);
}

void Control::BoundsChanged(const RECT& old) {
    if (parent_ && parent_->Handle() && visible_) {
        InvalidateRect(parent_->Handle(), &old, FALSE);
        InvalidateRect(parent_->Handle(), &bounds_, FALSE);
    }
}

void Control::RecordAnchorOrigin() {
    if (parent_) {
        rightMargin_ = parent_->ClientWidth() - bounds_.right;
        bottomMargin_ = parent_->ClientHeight() - bounds_.bottom;
    }
}

void Control::ParentResized(int parentWidth, int parentHeight) {
    if (align_ != Align::None) {
        return;
    }
    int left = Left(), top = Top(), width = Width(), height = Height();
    if (anchors_ & kAnchorRight) {
        if (anchors_ & kAnchorLeft) {
            width = std::max(0, parentWidth - rightMargin_ - left);
        } else {
            left = parentWidth - rightMargin_ - width;
        }
    }
    if (anchors_ & kAnchorBottom) {
        if (anchors_ & kAnchorTop) {
            height = std::max(0, parentHeight - bottomMargin_ - top);
        } else {
            top = parentHeight - bottomMargin_ - height;
        }
    }
    PlaceBounds(left, top, width, height);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    if (!IsWindowed() && parent_ && parent_->Handle()) {
        InvalidateRect(parent_->Handle(), &bounds_, FALSE);
        if (!visible && parent_->hover_ == this) {
            parent_->SetHover(nullptr);
        }
    }
    VisibleChanged();
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (parent_) {
        parent_->Realign();
    }
}

void Control::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    RecordAnchorOrigin();
}

void Control::BringToFront() {
    if (parent_) {
        parent_->RaiseControl(this);
        Invalidate();
    }
}

void Control::Invalidate() {
    if (parent_ && parent_->Handle()) {
        InvalidateRect(parent_->Handle(), &bounds_, FALSE);
    }
}

void Control::SetCursor(HCURSOR cursor) {
    cursor_ = cursor;
    if (parent_ && parent_->hover_ == this && cursor) {
        ::SetCursor(cursor);
    }
}

void Control::SetHint(const std::wstring& hint) {
    hint_ = hint;
    if (parent_ && parent_->hover_ == this) {
        parent_->UpdateTooltip();
    }
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    if (parent_ && parent_->hover_ == this) {
        parent_->UpdateTooltip();
    }
}

void Control::MouseEntered() {
    if (OnMouseEnter) {
        OnMouseEnter();
    }
}

void Control::MouseLeft() {
    if (OnMouseLeave) {
        OnMouseLeave();
    }
}

void Control::MouseDown(MouseButton button, int x, int y) {
    if (button == MouseButton::Left) {
        pressed_ = true;
    }
    if (OnMouseDown) {
        OnMouseDown(button, x, y);
    }
}

// As with a push button: the click fires when the left button comes up inside the control it went
// down on, before the mouse-up event.
void Control::MouseUp(MouseButton button, int x, int y) {
    if (button == MouseButton::Left && pressed_) {
        pressed_ = false;
        if (x >= 0 && y >= 0 && x < Width() && y < Height()) {
            const auto alive = LifeToken();
            Click();
            if (!*alive) {
                return;  // the click freed the control
            }
        }
    }
    if (OnMouseUp) {
        OnMouseUp(button, x, y);
    }
}

void Control::Click() {
    if (OnClick) {
        OnClick();
    }
}

// ---------------------------------------------------------------------------------------------
// WinControl

WinControl::WinControl(WinControl* parent) : Control(parent), color_(GetSysColor(COLOR_BTNFACE)) {}

WinControl::~WinControl() {
    // Children are members of the derived class and are gone already; forget any stragglers.
    for (Control* c : controls_) {
        c->parent_ = nullptr;
    }
    controls_.clear();
    DestroyHandle();
}

WinControl* WinControl::FromHandle(HWND window) {
    return window ? static_cast<WinControl*>(GetPropW(window, kControlProperty)) : nullptr;
}

void WinControl::CreateHandle(const WindowParams& p) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    bounds_ = RECT{p.left, p.top, p.left + p.width, p.top + p.height};
    if (p.systemClass) {
        handle_ = CreateWindowExW(p.exStyle, p.className, p.text.c_str(), p.style, p.left, p.top, p.width,
                                  p.height, p.parentOrOwner, nullptr, instance, nullptr);
        if (!handle_) {
            throw base::Error("Unable to create a window of a system class");
        }
        SetPropW(handle_, kControlProperty, this);
        defaultProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WinControl::StaticWndProc)));
        return;
    }
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(instance, p.className, &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = p.classStyle;
        wc.lpfnWndProc = &WinControl::StaticWndProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = p.icon;
        wc.hIconSm = p.icon;
        wc.lpszClassName = p.className;
        if (!RegisterClassExW(&wc)) {
            throw base::Error("Unable to register a window class");
        }
    }
    defaultProc_ = DefWindowProcW;
    CreateWindowExW(p.exStyle, p.className, p.text.c_str(), p.style, p.left, p.top, p.width, p.height,
                    p.parentOrOwner, nullptr, instance, this);
    if (!handle_) {
        throw base::Error("Unable to create a window");
    }
    SyncBoundsFromWindow();
}

void WinControl::DestroyHandle() {
    if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    if (handle_) {
        DestroyWindow(handle_);  // WM_NCDESTROY clears handle_
        handle_ = nullptr;
    }
}

LRESULT CALLBACK WinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WinControl* self = FromHandle(window);
    if (!self && message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<WinControl*>(cs->lpCreateParams);
        if (self) {
            self->handle_ = window;
            SetPropW(window, kControlProperty, self);
        }
    }
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // Every message is an event boundary: an error is reported in the standard box and the
    // program goes on.
    try {
        return self->WndProc(message, wParam, lParam);
    } catch (...) {
        Application::Instance().HandleException();
        return 0;
    }
}

LRESULT WinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(defaultProc_, handle_, message, wParam, lParam);
}

LRESULT WinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool ownClass = defaultProc_ == DefWindowProcW;
    switch (message) {
        case WM_ERASEBKGND:
            if (ownClass) {
                return 1;  // everything is painted, double-buffered, in WM_PAINT
            }
            break;
        case WM_PAINT:
            if (ownClass) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(handle_, &ps);
                RECT client;
                GetClientRect(handle_, &client);
                if (!IsRectEmpty(&client)) {
                    UniqueMemoryDc memory(CreateCompatibleDC(dc));
                    UniqueBitmap buffer(CreateCompatibleBitmap(dc, client.right, client.bottom));
                    SelectGuard select(memory.Get(), buffer.Get());
                    PaintClient(memory.Get(), ps.rcPaint);
                    BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                           ps.rcPaint.bottom - ps.rcPaint.top, memory.Get(), ps.rcPaint.left, ps.rcPaint.top,
                           SRCCOPY);
                }
                EndPaint(handle_, &ps);
                return 0;
            }
            break;
        case WM_PRINTCLIENT:
            if (ownClass) {
                RECT client;
                GetClientRect(handle_, &client);
                PaintClient(reinterpret_cast<HDC>(wParam), client);
                return 0;
            }
            break;
        case WM_SIZE:
        case WM_MOVE: {
            LRESULT r = DefaultHandler(message, wParam, lParam);
            SyncBoundsFromWindow();
            if (message == WM_SIZE) {
                Realign();
            }
            return r;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_CAPTURECHANGED:
            if (ownClass) {
                return HandleMouse(message, wParam, lParam);
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
                HCURSOR cursor = hover_ && hover_->Cursor() ? hover_->Cursor() : Cursor();
                if (cursor) {
                    ::SetCursor(cursor);
                    return TRUE;
                }
            }
            break;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_DRAWITEM:
        case WM_MEASUREITEM: {
            LRESULT result = 0;
            if (ReflectToChild(message, wParam, lParam, &result)) {
                return result;
            }
            break;
        }
        case WM_NCDESTROY: {
            LRESULT r = DefaultHandler(message, wParam, lParam);
            RemovePropW(handle_, kControlProperty);
            if (!ownClass) {
                SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(defaultProc_));
            }
            handle_ = nullptr;
            tooltip_ = nullptr;  // owned by this window, destroyed with it
            return r;
        }
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
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
    WinControl* child = from && from != handle_ ? FromHandle(from) : nullptr;
    return child && child->ReflectedMessage(message, wParam, lParam, result);
}

void WinControl::SyncBoundsFromWindow() {
    if (!handle_) {
        return;
    }
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    }
    bounds_ = r;
}

void WinControl::BoundsChanged(const RECT&) {
    if (handle_) {
        SetWindowPos(handle_, nullptr, bounds_.left, bounds_.top, bounds_.right - bounds_.left,
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
    if (handle_) {
        ShowWindow(handle_, visible_ ? SW_SHOWNA : SW_HIDE);
    }
}

void WinControl::BringToFront() {
    if (Parent()) {
        Parent()->RaiseControl(this);
    }
    if (handle_) {
        SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void WinControl::Invalidate() {
    if (handle_) {
        InvalidateRect(handle_, nullptr, FALSE);
    }
}

void WinControl::SetColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

int WinControl::ClientWidth() const {
    RECT r{};
    if (handle_ && GetClientRect(handle_, &r)) {
        return r.right;
    }
    return Width();
}

int WinControl::ClientHeight() const {
    RECT r{};
    if (handle_ && GetClientRect(handle_, &r)) {
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
        if (handle_ && GetCapture() == handle_) {
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
    HoverChanged(old, control);
    if (old) {
        old->MouseLeft();
    }
    if (control && hover_ == control) {
        control->MouseEntered();
    }
}

LRESULT WinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    auto local = [](Control* c, int px, int py) { return POINT{px - c->Left(), py - c->Top()}; };
    switch (message) {
        case WM_MOUSEMOVE:
            if (!trackingLeave_) {
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
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
        case WM_RBUTTONDOWN: {
            Control* target = GraphicControlAt(x, y);
            if (target) {
                const bool left = message != WM_RBUTTONDOWN;
                if (left) {
                    pressed_ = target;
                    SetCapture(handle_);
                }
                POINT p = local(target, x, y);
                target->MouseDown(left ? MouseButton::Left : MouseButton::Right, p.x, p.y);
            }
            break;
        }
        case WM_LBUTTONUP: {
            Control* target = pressed_;
            pressed_ = nullptr;
            if (GetCapture() == handle_) {
                ReleaseCapture();
            }
            if (target) {
                POINT p = local(target, x, y);
                target->MouseUp(MouseButton::Left, p.x, p.y);
            }
            break;
        }
        case WM_RBUTTONUP: {
            Control* target = GraphicControlAt(x, y);
            if (target) {
                POINT p = local(target, x, y);
                target->MouseUp(MouseButton::Right, p.x, p.y);
            }
            break;
        }
        case WM_CAPTURECHANGED:
            if (pressed_ && reinterpret_cast<HWND>(lParam) != handle_) {
                pressed_->pressed_ = false;
                pressed_ = nullptr;
            }
            break;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void WinControl::UpdateTooltip() {
    if (!handle_) {
        return;
    }
    const bool want = hover_ && hover_->ShowHint() && !hover_->Hint().empty();
    if (!want && !tooltip_) {
        return;
    }
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = handle_;
    ti.uId = 1;
    if (!tooltip_) {
        tooltip_ =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
        if (!tooltip_) {
            return;
        }
        ti.uFlags = TTF_SUBCLASS;
        ti.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    ti.rect = want ? hover_->BoundsRect() : RECT{0, 0, 0, 0};
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
    std::wstring text = want ? hover_->Hint() : std::wstring();
    ti.lpszText = text.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

}  // namespace tk
