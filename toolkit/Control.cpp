#include "toolkit/Control.h"

#include <algorithm>

#include "base/Slot.h"
#include "toolkit/WindowDpi.h"

namespace tk {
int Control::Dpi() const {
    return parent_ ? parent_->Dpi() : SystemDpi();
}

Control::Control(WinControl* parent, bool windowed) : parent_(parent), windowed_(windowed) {
    if (parent_) {
        parent_->AddControl(this);
    }
}

Control::~Control() {
    *alive_ = false;
    if (parent_) {
        // What a windowless control showed is painted over; a windowed one takes its window along.
        if (!windowed_ && visible_) {
            InvalidateInParent();
        }
        parent_->RemoveControl(this);
    }
}

void Control::SetBounds(int left, int top, int width, int height) {
    PlaceBounds(left, top, width, height);
    RecordAnchorOrigin();
}

void Control::PlaceBounds(int left, int top, int width, int height) {
    RECT now{left, top, left + std::max(0, width), top + std::max(0, height)};
    if (EqualRect(&now, &bounds_)) {
        return;
    }
    RECT old = bounds_;
    bounds_ = now;
    BoundsChanged(old);
}

void Control::BoundsChanged(const RECT& old) {
    if (parent_ && parent_->Handle() && visible_) {
        InvalidateRect(parent_->Handle(), &old, FALSE);
        InvalidateRect(parent_->Handle(), &bounds_, FALSE);
    }
}

void Control::RecordAnchorOrigin() {
    if (parent_) {
        rightMargin_ = parent_->ClientWidth() - bounds_.right;
        bottomMargin_ = parent_->ClientHeight() - bounds_.bottom;
    }
}

void Control::ParentResized(int parentWidth, int parentHeight) {
    if (align_ != Align::None) {
        return;
    }
    int left = Left(), top = Top(), width = Width(), height = Height();
    if (anchors_ & kAnchorRight) {
        if (anchors_ & kAnchorLeft) {
            width = std::max(0, parentWidth - rightMargin_ - left);
        } else {
            left = parentWidth - rightMargin_ - width;
        }
    }
    if (anchors_ & kAnchorBottom) {
        if (anchors_ & kAnchorTop) {
            height = std::max(0, parentHeight - bottomMargin_ - top);
        } else {
            top = parentHeight - bottomMargin_ - height;
        }
    }
    PlaceBounds(left, top, width, height);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    visible_ = visible;
    if (!windowed_ && parent_ && parent_->Handle()) {
        InvalidateInParent();
        if (!visible && parent_->hover_ == this) {
            parent_->SetHover(nullptr);
        }
    }
    VisibleChanged();
}

void Control::SetAlign(Align align) {
    align_ = align;
    if (parent_) {
        parent_->Realign();
    }
}

void Control::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    RecordAnchorOrigin();
}

void Control::BringToFront() {
    if (parent_) {
        parent_->RaiseControl(this);
        Invalidate();
    }
}

void Control::Invalidate() {
    InvalidateInParent();
}

void Control::InvalidateInParent() {
    if (parent_ && parent_->Handle()) {
        InvalidateRect(parent_->Handle(), &bounds_, FALSE);
    }
}

void Control::SetCursor(HCURSOR cursor) {
    cursor_ = cursor;
    if (parent_ && parent_->hover_ == this && cursor) {
        ::SetCursor(cursor);
    }
}

void Control::SetHint(const std::wstring& hint) {
    hint_ = hint;
    if (parent_ && parent_->hover_ == this) {
        parent_->UpdateTooltip();
    }
}

void Control::SetShowHint(bool show) {
    showHint_ = show;
    if (parent_ && parent_->hover_ == this) {
        parent_->UpdateTooltip();
    }
}

void Control::MouseEntered() {
    base::Fire(OnMouseEnter);
}

void Control::MouseLeft() {
    base::Fire(OnMouseLeave);
}

void Control::MouseDown(MouseButton button, int /*x*/, int /*y*/) {
    if (button == MouseButton::Left) {
        pressed_ = true;
    }
}

// As with a push button: the click fires when the left button comes up inside the control it went
// down on, before the mouse-up event.
void Control::MouseUp(MouseButton button, int x, int y) {
    if (button == MouseButton::Left && pressed_) {
        pressed_ = false;
        if (x >= 0 && y >= 0 && x < Width() && y < Height()) {
            const auto alive = LifeToken();
            Click();
            if (!*alive) {
                return;  // the click freed the control
            }
        }
    }
    base::Fire(OnMouseUp, button, x, y);
}

void Control::Click() {
    base::Fire(OnClick);
}

}  // namespace tk
