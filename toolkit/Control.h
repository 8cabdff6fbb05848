// The control base classes: Control (geometry, visibility, anchors, mouse events), GraphicControl
// (windowless, painted by its parent) and WinControl (a Window that owns and paints its children).
//
// Ownership: a parent owns the child controls made with Add<T>() and frees them, newest first, before
// its own window goes; Delete() frees one sooner. Code that runs an event which may free the control
// it came from keeps the control's LifeToken and checks it before touching the control again.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/DpiScale.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/Window.h"

namespace tk {

class WinControl;

enum class Align { None, Top, Client };

enum Anchors : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
};

enum class MouseButton { Left, Right };

class Control {
  public:
    // windowed: whether this is a WinControl (fixed for the object's life, so that the destructor
    // needs no virtual call to know it).
    explicit Control(WinControl* parent, bool windowed = false);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Bounds in the parent's client coordinates (for a form: the window rectangle on the screen).
    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    RECT BoundsRect() const { return bounds_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    void SetAlign(Align align);
    Align GetAlign() const { return align_; }
    void SetAnchors(unsigned anchors);

    // Moves the control to the top of its parent's z-order (graphic controls stay below windowed ones).
    virtual void BringToFront();
    virtual void Invalidate();

    WinControl* Parent() const { return parent_; }

    // The DPI the control is drawn at: its top-level window's. Sizes a form designs at 96 DPI become
    // pixels through Scale().
    virtual int Dpi() const;
    DpiScale Scale() const { return DpiScale(Dpi()); }
    // The top-level window's DPI changed: fonts and sizes that follow it are made again. A windowed
    // control passes it on to its children.
    virtual void DpiChanged() {}

    // The cursor shown while the mouse is over the control (nullptr: the parent's).
    void SetCursor(HCURSOR cursor);
    HCURSOR Cursor() const { return cursor_; }

    void SetHint(const std::wstring& hint);
    const std::wstring& Hint() const { return hint_; }
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }

    // Events, filled by the control's form (or whoever made the control); never by the control itself.
    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void(MouseButton, int x, int y)> OnMouseUp;

    // Mouse handling of a windowless control, called by its parent; the default fires the events.
    // Overrides call the base first, as a derived control adds to the default handling.
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void MouseDown(MouseButton button, int x, int y);
    virtual void MouseUp(MouseButton button, int x, int y);
    virtual void Click();

    bool IsWindowed() const { return windowed_; }
    // Paints a windowless control into dc, whose origin is the control's top-left corner.
    virtual void Paint(HDC) {}

    // Re-applies anchors after the parent's client area changed size.
    void ParentResized(int parentWidth, int parentHeight);

  protected:
    // Moves the control without recording a new anchor origin (used by alignment and anchoring).
    void PlaceBounds(int left, int top, int width, int height);
    virtual void BoundsChanged(const RECT& old);
    virtual void VisibleChanged() {}
    void RecordAnchorOrigin();
    // Invalidates the control's rectangle in its parent's window (what a windowless control shows).
    void InvalidateInParent();

    RECT bounds_{0, 0, 0, 0};
    bool visible_ = true;

  private:
    WinControl* parent_;
    Align align_ = Align::None;
    unsigned anchors_ = kAnchorLeft | kAnchorTop;
    // Distances to the parent's right and bottom edges when the bounds were last set explicitly.
    int rightMargin_ = 0;
    int bottomMargin_ = 0;
    HCURSOR cursor_ = nullptr;
    std::wstring hint_;
    bool showHint_ = false;
    bool pressed_ = false;
    const bool windowed_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    friend class WinControl;

  public:
    // Turns false when the control is destroyed: code that runs an event which may free the control
    // (a click that closes its window) keeps a copy and checks it before touching the control again.
    std::shared_ptr<const bool> LifeToken() const { return alive_; }
};

class GraphicControl : public Control {
  public:
    using Control::Control;
};

class WinControl : public Control, public Window {
  public:
    explicit WinControl(WinControl* parent);
    ~WinControl() override;

    using Window::Handle;

    int Dpi() const override;
    void DpiChanged() override;

    void SetVisible(bool visible) override;
    void BringToFront() override;
    void Invalidate() override;

    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);

    int ClientWidth() const;
    int ClientHeight() const;

    // The children in z-order, bottom first.
    const std::vector<Control*>& Controls() const { return controls_; }

    // Makes a child control of type T (constructed as T(this, args...)), owned by this control.
    template <typename T, typename... Args>
    T& Add(Args&&... args) {
        auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
        T& made = *child;
        owned_.push_back(std::move(child));
        return made;
    }
    // Frees a child made by Add now (with its window); a pointer to anything else is ignored.
    void Delete(Control* child);

    // The message handler: overrides pass what they do not handle to their base.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    using Window::DefaultHandler;

    // Finds the object behind a window handle created by this toolkit.
    static WinControl* FromHandle(HWND window);

    // Re-runs alignment and anchors of the children for the current client size.
    void Realign();

    // A notification that the parent received from this control's window (WM_COMMAND, WM_CTLCOLOR*,
    // WM_NOTIFY, WM_DRAWITEM): the control answers it itself. Return true when handled.
    virtual bool ReflectedMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                  LRESULT* /*result*/) {
        return false;
    }

  protected:
    // Makes the window and takes the bounds it got (and, for a top-level window, its DPI).
    void CreateHandle(const WindowParams& params);
    // A top-level window took a new DPI (WM_DPICHANGED).
    void SetDpi(int dpi) { dpi_ = DpiScale(dpi).Dpi(); }
    // Paints the background and the windowless children into dc (whole client area).
    virtual void PaintClient(HDC dc, const RECT& clip);
    void PaintGraphicChildren(HDC dc, const RECT& clip);
    void BoundsChanged(const RECT& old) override;
    void VisibleChanged() override;

    // The windowless child under a client point, or nullptr.
    Control* GraphicControlAt(int x, int y) const;

    // The mouse in the window's non-client area (WM_NCMOUSEMOVE, WM_NCMOUSELEAVE, WM_NCLBUTTONDOWN,
    // WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP) at client point (x, y): target is the windowless child
    // that stands there for a non-client part (a caption button the system knows by its hit-test
    // code), or null. It then gets the same hover, press, capture and release as in the client area.
    void NonClientMouse(UINT message, Control* target, int x, int y);

  private:
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    void RaiseControl(Control* control);
    bool HandleOwnClassMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void ButtonDown(MouseButton button, int x, int y);
    void ButtonUp(MouseButton button, int x, int y);
    void PaintBuffered();
    // The cursor of the control under the mouse, or the window's own; false when neither has one.
    bool SetClientCursor();
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void SetHover(Control* control);
    void UpdateTooltip();
    void SyncBoundsFromWindow();

    COLORREF color_;
    // A top-level window's DPI: the system's when it was made, then what WM_DPICHANGED says.
    int dpi_;
    // Every child in z-order; the ones this control owns are in owned_ too.
    std::vector<Control*> controls_;
    std::vector<std::unique_ptr<Control>> owned_;
    Control* hover_ = nullptr;
    Control* pressed_ = nullptr;
    bool trackingLeave_ = false;
    bool trackingNonClientLeave_ = false;
    // Owned by this window: destroyed with it.
    UniqueWindow tooltip_;

    friend class Control;
};

}  // namespace tk
