#include "toolkit/ImageButton.h"

#include "toolkit/WindowClass.h"

namespace tk {

// The window that holds the focus for the button: a tab stop without size at the button's corner. It
// asks the dialog manager for Enter and Space, which then reach it instead of pressing the dialog's
// default button.
class ImageButton::FocusWindow : public Window {
  public:
    FocusWindow(ImageButton* owner, HWND parent) : owner_(owner) {
        CreateHandle(
            WindowParams::Child(parent, ClassName(L"ImageButtonFocus"), false, WS_TABSTOP, 0, 0, 0, 0));
    }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETDLGCODE:
                return IsPressKey(reinterpret_cast<const MSG*>(lParam)) ? DLGC_WANTMESSAGE : 0;
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                owner_->FocusChanged(message == WM_SETFOCUS);
                spaceDown_ = false;
                return 0;
            case WM_KEYDOWN:
                // Enter presses at once, Space when it is let go, as on a push button.
                if (wParam == VK_RETURN && !(lParam & (1 << 30))) {
                    owner_->KeyPressed();
                } else if (wParam == VK_SPACE) {
                    spaceDown_ = true;
                }
                return 0;
            case WM_KEYUP:
                if (wParam == VK_SPACE && spaceDown_) {
                    spaceDown_ = false;
                    owner_->KeyPressed();
                }
                return 0;
            default:
                return Window::WndProc(message, wParam, lParam);
        }
    }

  private:
    static bool IsPressKey(const MSG* msg) {
        return msg && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) &&
               (msg->wParam == VK_RETURN || msg->wParam == VK_SPACE);
    }

    ImageButton* owner_;
    bool spaceDown_ = false;
};

ImageButton::ImageButton(WinControl* parent) : Image(parent) {
    if (parent && parent->Handle()) {
        focusWindow_ = std::make_unique<FocusWindow>(this, parent->Handle());
    }
}

// The focus window unbinds before it goes, so it reports nothing to the button being destroyed.
ImageButton::~ImageButton() = default;

void ImageButton::SetFocus() {
    if (focusWindow_) {
        ::SetFocus(focusWindow_->Handle());
    }
}

void ImageButton::Paint(HDC dc) {
    Image::Paint(dc);
    if (focused_) {
        RECT cue{2, 2, Width() - 2, Height() - 2};
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &cue);
    }
}

void ImageButton::BoundsChanged(const RECT& old) {
    Image::BoundsChanged(old);
    if (focusWindow_) {
        SetWindowPos(focusWindow_->Handle(), nullptr, Left(), Top(), 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ImageButton::VisibleChanged() {
    Image::VisibleChanged();
    if (focusWindow_) {
        ShowWindow(focusWindow_->Handle(),
                   Visible() ? SW_SHOWNA : SW_HIDE);  // a hidden button is no tab stop
    }
}

void ImageButton::FocusChanged(bool focused) {
    focused_ = focused;
    Invalidate();
}

void ImageButton::KeyPressed() {
    Click();
}

}  // namespace tk
