// What the two borderless dialogs share: a drag strip along the top edge up to the close cross, a
// rounded window shape, image buttons and the ones that Enter and Esc press, the reference to the open
// dialog of each class (at most one is open), freeing itself when it closes, their texts, written in
// UTF-8 in the source, and their font.
//
// The display scale: a dialog is designed at 96 DPI. Its controls are placed through Place and its
// pictures shown through ShowPicture, which keep the design and put them where it says at the
// window's DPI (tk::DpiScale), with pictures drawn for that scale (LoadDialogPicture). When the window
// moves to a display of another scale (WM_DPICHANGED), the dialog places them all again and re-picks
// every picture; tk::Form then resizes and repaints it once.
//
// High contrast: while it is on (tk::HighContrastOn), every picture is drawn from its look in the
// system's colours instead (HighContrastDialogPicture) and the dialog gives its controls the system's
// colours (ApplyColours). Turning it on or off, a change of the system's colours and the window's
// activation (the caption band's colour) re-make them while the dialog is open.
#pragma once

#include <windows.h>
#include <windowsx.h>

#include <string>

#include <functional>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "dialogs/DialogResources.h"
#include "dialogs/DialogRules.h"
#include "dialogs/DialogScale.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/HighContrast.h"
#include "toolkit/Image.h"
#include "toolkit/ImageButton.h"

namespace dialogs {

inline std::wstring UiText(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

// The font of the dialogs' texts: 9 points of 宋体 at the window's DPI (12 pixels at 96 DPI, 18 at 144).
inline void UseDialogFont(tk::Font& font) {
    font.SetFace(UiText("宋体"));
    font.SetPoints(9);
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

    // The window moved to a display of another scale: every control to its place there, every picture
    // drawn for it.
    void FormDpiChanged() override {
        tk::Form::FormDpiChanged();
        for (const PlacedControl& placed : placed_) {
            PlaceAtScale(*placed.control, placed.design);
        }
        RepickPictures();
    }

    // The shape follows the size (a DPI change gives a new one).
    void FormResize() override {
        tk::Form::FormResize();
        ApplyRoundRegion();
    }

  protected:
    // dragStripRight: the design column where the close cross starts; cornerEllipse: the design size of
    // the rounded corners' ellipses.
    TBorderlessDialog(const tk::FormDesign& design, int dragStripRight, int cornerEllipse)
        : tk::Form(design),
          designClient_{0, 0, design.clientWidth, design.clientHeight},
          dragStripRight_(dragStripRight),
          cornerEllipse_(cornerEllipse) {
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
    void ApplyRoundRegion() { SetRoundedShape(Scale().ToPixels(cornerEllipse_)); }

    // Puts a control (of this dialog or of one of its panels) at its design place, scaled to the
    // window's DPI now and after every DPI change.
    template <typename T>
    T& Place(T& control, const DesignRect& design) {
        placed_.push_back({&control, design});
        PlaceAtScale(control, design);
        return control;
    }

    // Shows a picture in an image, drawn for the window's DPI now and after every DPI change.
    void ShowPicture(tk::Image& image, const DialogPicture& picture) {
        pictures_.push_back({&image, &picture});
        image.SetPicture(PictureNow(picture));
    }

    // The controls' colours as high contrast is now (on: the system's); the derived dialog sets them
    // here, which runs at its creation and after every change of the colours.
    virtual void ApplyColours() {}

    // Whether the window is the active one, as its caption band shows.
    bool ShownActive() const { return active_; }

    // An image that works as a push button, at its design place: its picture with see-through
    // corners, a hand cursor, reached by Tab and pressed by Space or Enter; a click runs onClick.
    // Screen readers know it as a push button by that name.
    tk::ImageButton& AddImageButton(const DialogPicture& picture, const DesignRect& design,
                                    std::function<void()> onClick, std::wstring name) {
        tk::ImageButton& button = Place(Add<tk::ImageButton>(), design);
        ShowPicture(button, picture);
        button.SetTransparent(true);
        button.SetCursor(LoadCursorW(nullptr, IDC_HAND));
        button.OnClick = std::move(onClick);
        namedButtons_.push_back({&button, std::move(name)});
        return button;
    }

    // The image buttons, as a screen reader sees them: a default action is a click.
    std::vector<tk::AccessibleButton> AccessibleButtons() override {
        std::vector<tk::AccessibleButton> buttons;
        for (size_t i = 0; i < namedButtons_.size(); ++i) {
            tk::ImageButton* image = namedButtons_[i].button;
            tk::AccessibleButton button;
            button.key = static_cast<int>(i);
            button.name = namedButtons_[i].name;
            RECT r = image->BoundsRect();
            MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
            button.screenRect = r;
            button.focused = image->Focused();
            button.visible = image->Visible();
            button.press = [image] { image->Click(); };
            button.takeFocus = [image] { image->SetFocus(); };
            buttons.push_back(std::move(button));
        }
        return buttons;
    }

    // The size the system gives the window at another DPI: the design's, scaled as at creation.
    SIZE ScaledSize(int dpi) const override {
        const PixelRect size = Scaled(designClient_, tk::DpiScale(dpi));
        return SIZE{size.width, size.height};
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
            return InDragStrip(point.x, point.y, dragStripRight_, Scale()) ? HTCAPTION : HTCLIENT;
        }
        // No child has these identifiers: they come from the dialog manager, for Enter and Esc.
        if (message == WM_COMMAND && lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            if (tk::Control* button = LOWORD(wParam) == IDOK ? enterButton_ : escapeButton_) {
                button->Click();
            }
            return 0;
        }
        if (message == WM_SYSCOLORCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST)) {
            ColoursChanged();
        } else if (message == WM_NCACTIVATE && (wParam != FALSE) != active_) {
            active_ = wParam != FALSE;
            if (tk::HighContrastOn()) {
                ColoursChanged();
            }
        }
        return tk::Form::WndProc(message, wParam, lParam);
    }

  private:
    tk::Bitmap PictureNow(const DialogPicture& picture) const {
        return tk::HighContrastOn() ? HighContrastDialogPicture(picture, Dpi(), active_)
                                    : LoadDialogPicture(picture, Dpi());
    }
    void RepickPictures() {
        for (const ShownPicture& shown : pictures_) {
            shown.image->SetPicture(PictureNow(*shown.picture));
        }
    }
    void ColoursChanged() {
        RepickPictures();
        ApplyColours();
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }

    struct NamedButton {
        tk::ImageButton* button;
        std::wstring name;
    };
    std::vector<NamedButton> namedButtons_;

    struct PlacedControl {
        tk::Control* control;
        DesignRect design;
    };
    struct ShownPicture {
        tk::Image* image;
        const DialogPicture* picture;
    };

    void PlaceAtScale(tk::Control& control, const DesignRect& design) const {
        const PixelRect at = Scaled(design, Scale());
        control.SetBounds(at.left, at.top, at.width, at.height);
    }

    static inline Derived* current_ = nullptr;
    DesignRect designClient_;
    // What follows the DPI: the controls placed by design and the pictures shown (all owned by the
    // dialog or its panels).
    std::vector<PlacedControl> placed_;
    std::vector<ShownPicture> pictures_;
    int dragStripRight_;
    int cornerEllipse_;
    tk::Control* enterButton_ = nullptr;
    tk::Control* escapeButton_ = nullptr;
    bool active_ = false;
};

}  // namespace dialogs
