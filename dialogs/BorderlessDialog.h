// What the two borderless dialogs share: a drag strip along the top edge up to the close cross, a
// rounded window shape, image buttons and the ones that Enter and Esc press, the reference to the open
// dialog of each class (at most one is open), freeing itself when it closes, and their texts, written
// in UTF-8 in the source.
#pragma once

#include <windows.h>
#include <windowsx.h>

#include <string>

#include <functional>
#include <utility>

#include "base/Text.h"
#include "dialogs/DialogResources.h"
#include "dialogs/DialogRules.h"
#include "toolkit/Form.h"
#include "toolkit/ImageButton.h"

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

    // Closing frees the dialog and gives up its place as the open one.
    void FormClose(tk::CloseAction& Action) override {
        tk::Form::FormClose(Action);
        Action = tk::CloseAction::Free;
        GiveUpCurrent();
    }

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

    // An image button of the dialog (see MakeImageButton) whose click runs onClick.
    tk::ImageButton& AddImageButton(const wchar_t* resource, int left, int top, int width, int height,
                                    std::function<void()> onClick) {
        tk::ImageButton& button = Add<tk::ImageButton>();
        MakeImageButton(button, resource, left, top, width, height);
        button.OnClick = std::move(onClick);
        return button;
    }

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
