#include "toolkit/Label.h"

namespace tk {

Label::Label(WinControl* parent) : GraphicControl(parent) {
    if (parent) {
        background_ = parent->Color();
    }
}

void Label::SetCaption(const std::wstring& caption) {
    if (caption_ == caption) {
        return;
    }
    caption_ = caption;
    AdjustSize();
    Invalidate();
}

void Label::FontChanged() {
    AdjustSize();
    Invalidate();
}

void Label::DpiChanged() {
    FontChanged();
}

void Label::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void Label::SetBackground(COLORREF color) {
    background_ = color;
    Invalidate();
}

void Label::SetAlignment(TextAlign alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

UINT Label::DrawFlags() const {
    UINT flags = DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS;
    switch (alignment_) {
        case TextAlign::Right:
            flags |= DT_RIGHT;
            break;
        case TextAlign::Center:
            flags |= DT_CENTER;
            break;
        default:
            flags |= DT_LEFT;
            break;
    }
    return flags;
}

void Label::AdjustSize() {
    if (!autoSize_) {
        return;
    }
    font_.SetDpi(Dpi());
    WindowDc screen(nullptr);
    SelectGuard font(screen.Get(), font_.Handle());
    RECT r{0, 0, 0, 0};
    const std::wstring text = caption_.empty() ? L" " : caption_;
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
    const int width = caption_.empty() ? 0 : r.right;
    // Text that ends at a fixed place grows and shrinks on its left.
    const int left = alignment_ == TextAlign::Right ? BoundsRect().right - width : Left();
    PlaceBounds(left, Top(), width, r.bottom);
    RecordAnchorOrigin();
}

void Label::Paint(HDC dc) {
    RECT r{0, 0, Width(), Height()};
    if (!transparent_) {
        UniqueBrush brush(CreateSolidBrush(background_));
        FillRect(dc, &r, brush.Get());
    }
    font_.SetDpi(Dpi());
    SelectGuard font(dc, font_.Handle());
    SetTextColor(dc, font_.Color());
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, DrawFlags());
}

}  // namespace tk
