// What the two borderless dialogs share: a drag strip along the top edge up to the close cross, a
// rounded window shape, the buttons that Enter and Esc press, the reference to the open dialog of each
// class (at most one is open), and their texts, written in UTF-8 in the source.
#pragma once

#include <windows.h>
#include <windowsx.h>

#include <string>

#include "base/Text.h"
#include "dialogs/DialogRules.h"
#include "toolkit/Form.h"

namespace dialogs {

inline std::wstring UiText(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

template <typename Derived>
class TBorderlessDialog : public tk::Form {
  public:
    // The open dialog of this class (nullptr while none is). A dialog takes the place when it is made,
    // if the place is free, and gives it up when it closes or is freed.
    static Derived* Current() { return current_; }

  protected:
    // dragStripRight: the column where the close cross starts; cornerEllipse: the size of the rounded
    // corners' ellipses.
    TBorderlessDialog(const tk::FormDesign& design, int dragStripRight, int cornerEllipse)
        : tk::Form(design), dragStripRight_(dragStripRight), cornerEllipse_(cornerEllipse) {
        if (!current_) {
            current_ = static_cast<Derived*>(this);
        }
    }
    ~TBorderlessDialog() override { GiveUpCurrent(); }

    void GiveUpCurrent() {
        if (current_ == static_cast<Derived*>(this)) {
            current_ = nullptr;
        }
    }

    // The rounded shape: (0, 0) to (width + 1, height + 1) with the dialog's corner ellipses.
    void ApplyRoundRegion() { SetRoundedShape(cornerEllipse_); }

    // The buttons Enter and Esc press wherever the focus is (except on an image button, which Enter
    // presses itself): the dialog manager asks for them as IDOK and IDCANCEL.
    void SetKeyboardButtons(tk::Control* enter, tk::Control* escape) {
        enterButton_ = enter;
        escapeButton_ = escape;
    }

    // The top strip drags the window; everything else is client area.
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCHITTEST) {
            tk::Form::WndProc(message, wParam, lParam);
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(Handle(), &point);
            return InDragStrip(point.x, point.y, dragStripRight_) ? HTCAPTION : HTCLIENT;
        }
        // No child has these identifiers: they come from the dialog manager, for Enter and Esc.
        if (message == WM_COMMAND && lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            if (tk::Control* button = LOWORD(wParam) == IDOK ? enterButton_ : escapeButton_) {
                button->Click();
            }
            return 0;
        }
        return tk::Form::WndProc(message, wParam, lParam);
    }

  private:
    static inline Derived* current_ = nullptr;
    int dragStripRight_;
    int cornerEllipse_;
    tk::Control* enterButton_ = nullptr;
    tk::Control* escapeButton_ = nullptr;
};

}  // namespace dialogs
