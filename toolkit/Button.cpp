#include "toolkit/Button.h"

#include <uxtheme.h>

#include <vector>

namespace tk {

ButtonControl::ButtonControl(WinControl* parent, DWORD buttonStyle, int left, int top, int width, int height,
                             const std::wstring& caption)
    : WinControl(parent) {
    WindowParams p = WindowParams::Child(parent ? parent->Handle() : nullptr, L"BUTTON", true,
                                         WS_TABSTOP | buttonStyle, left, top, width, height);
    p.text = caption;
    CreateHandle(p);
    SetWindowTheme(Handle(), L"", L"");
    RecordAnchorOrigin();
    FontChanged();
}

bool ButtonControl::Checked() const {
    return Handle() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ButtonControl::SetChecked(bool checked) {
    if (Handle()) {
        SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::wstring ButtonControl::Caption() const {
    if (!Handle()) {
        return {};
    }
    int n = GetWindowTextLengthW(Handle());
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(Handle(), text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

void ButtonControl::SetCaption(const std::wstring& caption) {
    if (Handle()) {
        SetWindowTextW(Handle(), caption.c_str());
    }
}

void ButtonControl::DpiChanged() {
    FontChanged();
}

void ButtonControl::FontChanged() {
    font_.SetDpi(Dpi());
    if (Handle()) {
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    }
}

COLORREF ButtonControl::BackColor() const {
    if (backColor_) {
        return *backColor_;
    }
    return Parent() ? Parent()->Color() : GetSysColor(COLOR_BTNFACE);
}

void ButtonControl::SetBackColor(COLORREF color) {
    backColor_ = color;
    Invalidate();
}

bool ButtonControl::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const COLORREF back = BackColor();
            if (!brush_ || brushColor_ != back) {
                brush_.Reset(CreateSolidBrush(back));
                brushColor_ = back;
            }
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, font_.Color());
            SetBkColor(dc, back);
            *result = reinterpret_cast<LRESULT>(brush_.Get());
            return true;
        }
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                Click();
                *result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

CheckBox::CheckBox(WinControl* parent, int left, int top, int width, int height, const std::wstring& caption)
    : ButtonControl(parent, BS_AUTOCHECKBOX, left, top, width, height, caption) {}

RadioButton::RadioButton(WinControl* parent, int left, int top, int width, int height,
                         const std::wstring& caption)
    : ButtonControl(parent, BS_AUTORADIOBUTTON, left, top, width, height, caption) {
    UpdateGroupTabStops();
}

void RadioButton::SetChecked(bool checked) {
    ButtonControl::SetChecked(checked);
    if (checked && Parent()) {
        for (Control* sibling : Parent()->Controls()) {
            auto* radio = dynamic_cast<RadioButton*>(sibling);
            if (radio && radio != this) {
                radio->ButtonControl::SetChecked(false);
            }
        }
    }
    UpdateGroupTabStops();
}

bool RadioButton::ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        UpdateGroupTabStops();  // the system has moved the check mark within the group
    }
    return ButtonControl::ReflectedMessage(message, wParam, lParam, result);
}

void RadioButton::UpdateGroupTabStops() {
    std::vector<RadioButton*> group;
    if (Parent()) {
        for (Control* sibling : Parent()->Controls()) {
            if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && radio->Handle()) {
                group.push_back(radio);
            }
        }
    }
    bool anyChecked = false;
    for (RadioButton* radio : group) {
        anyChecked = anyChecked || radio->Checked();
    }
    for (RadioButton* radio : group) {
        const bool stop = anyChecked ? radio->Checked() : radio == group.front();
        const LONG_PTR style = GetWindowLongPtrW(radio->Handle(), GWL_STYLE);
        SetWindowLongPtrW(radio->Handle(), GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

}  // namespace tk
