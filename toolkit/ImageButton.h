// ImageButton: a picture that works as a push button (a click runs OnClick) and takes part in the
// keyboard's tab order like the windowed controls. Being windowless, it holds the keyboard focus
// through a window of its own that has no size: a dialog's Tab reaches it after the windowed controls
// made before it, a dotted rectangle inside its edge shows the focus, and Space or Enter presses it.
#pragma once

#include <memory>

#include "toolkit/Image.h"

namespace tk {

class ImageButton : public Image {
  public:
    explicit ImageButton(WinControl* parent);
    ~ImageButton() override;

    // Whether the button has the keyboard focus.
    bool Focused() const { return focused_; }
    void SetFocus();

    void Paint(HDC dc) override;

  protected:
    void BoundsChanged(const RECT& old) override;
    void VisibleChanged() override;

  private:
    class FocusWindow;
    void FocusChanged(bool focused);
    void KeyPressed();

    std::unique_ptr<FocusWindow> focusWindow_;
    bool focused_ = false;
};

}  // namespace tk
