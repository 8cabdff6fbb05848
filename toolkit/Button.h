// Check box and radio button: the system BUTTON class, subclassed as a tk::WinControl. The parent
// reflects WM_CTLCOLORSTATIC/WM_CTLCOLORBTN and WM_COMMAND to the control, which answers them
// itself: its font colour and background colour, and the click event. Visual-style theming is
// switched off for these windows, because themed buttons ignore the text colour.
#pragma once

#include <optional>
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Font.h"

namespace tk {

class ButtonControl : public WinControl {
  public:
    bool Checked() const;
    virtual void SetChecked(bool checked);

    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);

    // Change the font through this (colour included), then call FontChanged.
    Font& GetFont() { return font_; }
    const Font& GetFont() const { return font_; }
    void FontChanged();
    void DpiChanged() override;

    // The background behind the box and the text: the parent's colour until one is set.
    COLORREF BackColor() const;
    void SetBackColor(COLORREF color);

    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  protected:
    ButtonControl(WinControl* parent, DWORD buttonStyle, int left, int top, int width, int height,
                  const std::wstring& caption);

  private:
    Font font_;
    std::optional<COLORREF> backColor_;
    UniqueBrush brush_;
    COLORREF brushColor_ = CLR_INVALID;
};

class CheckBox : public ButtonControl {
  public:
    CheckBox(WinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
};

// Radio buttons with the same parent form one group: checking one unchecks the others. The Tab key
// stops at the group's checked button (at its first one while none is checked); the arrow keys move
// within the group.
class RadioButton : public ButtonControl {
  public:
    RadioButton(WinControl* parent, int left, int top, int width, int height, const std::wstring& caption);
    void SetChecked(bool checked) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    void UpdateGroupTabStops();
};

}  // namespace tk
