// The control base classes: Control (geometry, visibility, anchors, mouse events), GraphicControl
// (windowless, painted by its parent) and WinControl (owns an HWND and paints its graphic children).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tk {

class WinControl;

enum class Align { None, Top, Client };

enum Anchors : unsigned {
    kAnchorLeft = 1,
    kAnchorTop = 2,
    kAnchorRight = 4,
    kAnchorBottom = 8,
};

enum class MouseButton { Left, Right, Middle };

class Control {
  public:
    explicit Control(WinControl* parent);
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

    // The cursor shown while the mouse is over the control (nullptr: the parent's).
    void SetCursor(HCURSOR cursor);
    HCURSOR Cursor() const { return cursor_; }

    void SetHint(const std::wstring& hint);
    const std::wstring& Hint() const { return hint_; }
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }

    // The component name, as in the form's design.
    std::string name;

    std::function<void()> OnClick;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseLeave;
    std::function<void(MouseButton, int x, int y)> OnMouseDown;
    std::function<void(MouseButton, int x, int y)> OnMouseUp;

    // Mouse handling of a windowless control, called by its parent; the default fires the events.
    // Overrides call the base first, as a derived control adds to the default handling.
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void MouseDown(MouseButton button, int x, int y);
    virtual void MouseUp(MouseButton button, int x, int y);
    virtual void Click();

    virtual bool IsWindowed() const { return false; }
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
    // Turns false when the control is destroyed: code that runs an event which may free the control
    // (a click that closes its window) keeps a copy and checks it before touching the control again.
    std::shared_ptr<const bool> LifeToken() const { return alive_; }

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
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    friend class WinControl;
};

class GraphicControl : public Control {
  public:
    using Control::Control;
};

// Creation parameters of a windowed control.
struct WindowParams {
    std::wstring className;  // a system class to subclass, or one of our own (registered on first use)
    bool systemClass = false;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parentOrOwner = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
    UINT classStyle = CS_DBLCLKS;
    HICON icon = nullptr;
};

class WinControl : public Control {
  public:
    explicit WinControl(WinControl* parent);
    ~WinControl() override;

    HWND Handle() const { return handle_; }
    bool IsWindowed() const override { return true; }

    void SetVisible(bool visible) override;
    void BringToFront() override;
    void Invalidate() override;

    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);

    int ClientWidth() const;
    int ClientHeight() const;

    const std::vector<Control*>& Controls() const { return controls_; }

    // The message handler. Overrides handle what they need and pass everything else (and, for
    // "default processing first", the message itself) to the base.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's own procedure (DefWindowProc or the subclassed system class).
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

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
    void CreateHandle(const WindowParams& params);
    void DestroyHandle();
    // Paints the background and the windowless children into dc (whole client area).
    virtual void PaintClient(HDC dc, const RECT& clip);
    void PaintGraphicChildren(HDC dc, const RECT& clip);
    void BoundsChanged(const RECT& old) override;
    void VisibleChanged() override;

    // The windowless child under a client point, or nullptr.
    Control* GraphicControlAt(int x, int y) const;

  private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
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
    LRESULT HandleNcDestroy(WPARAM wParam, LPARAM lParam);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void SetHover(Control* control);
    void UpdateTooltip();
    void SyncBoundsFromWindow();

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = DefWindowProcW;
    COLORREF color_;
    std::vector<Control*> controls_;
    Control* hover_ = nullptr;
    Control* pressed_ = nullptr;
    bool trackingLeave_ = false;
    HWND tooltip_ = nullptr;
    bool tooltipShown_ = false;

    friend class Control;
};

}  // namespace tk
