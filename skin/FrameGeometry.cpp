#include "skin/FrameGeometry.h"

#include <limits>

namespace skin {
namespace {

const Extent& Of(const SkinExtents& skin, SkinImage image) {
    return skin[static_cast<size_t>(image)];
}

}  // namespace

FrameSizes SizeFrameParts(const SkinExtents& skin, int width, int height) {
    const Extent& top = Of(skin, kTopActivate);
    const Extent& bottom = Of(skin, kBottom);
    const Extent& left = Of(skin, kLeft);
    const Extent& right = Of(skin, kRight);
    const Extent& topLeft1 = Of(skin, kTopLeft1);
    const Extent& topRight1 = Of(skin, kTopRight1);

    FrameSizes s;
    s.topHeight = top.height;
    // Plus, not minus: with equal sides the strip is as wide as the window and runs on under the
    // bottom-right corner, where the window edge clips it.
    s.bottom = {width - left.width + right.width, bottom.height};
    s.left = {left.width, height - top.height - topLeft1.height - bottom.height};
    s.right = {right.width, height - top.height - topRight1.height - bottom.height};
    s.topLeft = topLeft1;
    s.topRight = topRight1;
    s.main = {width - left.width - right.width, height - top.height - bottom.height};
    s.captionHeight = top.height;
    return s;
}

FramePlacement PlaceFrameParts(const SkinExtents& skin, int width, int height, int captionHeight,
                               const std::array<Extent, 3>& buttons, tk::DpiScale scale) {
    FramePlacement p;
    for (int i = 0; i < 3; ++i) {
        const Extent& b = buttons[static_cast<size_t>(i)];
        p.hotImages[static_cast<size_t>(i)] = {width - b.width * (3 - i) - scale.ToPixels(8),
                                               (captionHeight - b.height) / 2 + scale.ToPixels(1)};
    }
    p.hotImages[kTopLeftCorner] = {0, 0};
    p.hotImages[kTopRightCorner] = {width - Of(skin, kTopRightActivate).width, 0};
    p.hotImages[kBottomLeftCorner] = {0, height - Of(skin, kBottomLeft).height};
    p.hotImages[kBottomRightCorner] = {width - Of(skin, kBottomRight).width,
                                       height - Of(skin, kBottomRight).height};
    p.systemMenu = {scale.ToPixels(8), Of(skin, kTopLeftActivate).height / 2 - scale.ToPixels(8)};
    p.topLeft = {0, Of(skin, kTopActivate).height};
    // The right piece hangs below the top-right corner, the left one below the caption tile.
    p.topRight = {width - Of(skin, kTopRight1).width, Of(skin, kTopRightActivate).height};
    p.left = {0, Of(skin, kTopActivate).height + Of(skin, kTopLeft1).height};
    p.right = {width - Of(skin, kRight).width, Of(skin, kTopActivate).height + Of(skin, kTopRight1).height};
    p.bottom = {Of(skin, kBottomLeft).width, height - Of(skin, kBottom).height};
    p.main = {Of(skin, kLeft).width, Of(skin, kTopActivate).height};
    return p;
}

int CaptionLabelTop(const SkinExtents& skin, tk::DpiScale scale) {
    return Of(skin, kTopLeftActivate).height / 2 - scale.ToPixels(5);
}

int TileCount(int length, int tile) {
    if (tile <= 0) {
        return 0;
    }
    const int last = length / tile;  // C++ division truncates toward zero, as the layout expects
    if (last < 0) {
        return 0;
    }
    return last == std::numeric_limits<int>::max() ? last : last + 1;
}

int BottomTileLength(int width, tk::DpiScale scale) {
    return width - scale.ToPixels(10);
}

HitZone HitTest(const HitTestInput& in) {
    const int x = in.x;
    const int y = in.y;
    const int b = in.scale.ToPixels(kResizeBorder);
    const int limit =
        in.resizable ? in.minimizeLeft - in.scale.ToPixels(80) : in.minimizeLeft + in.scale.ToPixels(20);
    if (y < in.captionHeight && x < limit && x > b && y > b) {
        return HitZone::Caption;
    }
    if (in.maximized || !in.resizable) {
        return HitZone::Default;
    }
    const int w = in.width;
    const int h = in.height;
    if (x < b && y < b) {
        return HitZone::TopLeft;
    }
    if (x > w - b && y < b) {
        return HitZone::TopRight;
    }
    if (x < b && y > h - b) {
        return HitZone::BottomLeft;
    }
    if (x > w - b && y > h - b) {
        return HitZone::BottomRight;
    }
    if (y < b) {
        return HitZone::Top;
    }
    if (x > w - b) {
        return HitZone::Right;
    }
    if (y > h - b) {
        return HitZone::Bottom;
    }
    if (x < b) {
        return HitZone::Left;
    }
    return HitZone::Client;
}

bool InCaptionDoubleClickZone(int x, int y, int captionHeight, int minimizeLeft, tk::DpiScale scale) {
    const int b = scale.ToPixels(kResizeBorder);
    return y < captionHeight && x < minimizeLeft && x > b && y > b;
}

Rect PinMinimumTrackSize(Rect r, int edge, tk::DpiScale scale) {
    const auto e = static_cast<SizingEdge>(edge);
    const int minWidth = scale.ToPixels(kMinimumWidth);
    const int minHeight = scale.ToPixels(kMinimumHeight);
    if (r.Width() < minWidth) {
        if (e == SizingEdge::Left || e == SizingEdge::TopLeft || e == SizingEdge::BottomLeft) {
            r.left = r.right - minWidth;
        } else if (e == SizingEdge::Right || e == SizingEdge::TopRight || e == SizingEdge::BottomRight) {
            r.right = r.left + minWidth;
        }
    }
    if (r.Height() < minHeight) {
        if (e == SizingEdge::Top || e == SizingEdge::TopLeft || e == SizingEdge::TopRight) {
            r.top = r.bottom - minHeight;
        } else if (e == SizingEdge::Bottom || e == SizingEdge::BottomLeft || e == SizingEdge::BottomRight) {
            r.bottom = r.top + minHeight;
        }
    }
    return r;
}

CaptionCommand CaptionDoubleClickCommand(FrameState state) {
    switch (state) {
        case FrameState::Normal:
            return CaptionCommand::Maximize;
        case FrameState::Maximized:
            return CaptionCommand::Restore;
        default:
            return CaptionCommand::None;
    }
}

CaptionCommand CaptionButtonCommand(int index, FrameState state) {
    switch (index) {
        case kMinimizeButton:
            return CaptionCommand::Minimize;
        case kCloseButton:
            return CaptionCommand::Close;
        case kMaximizeButton:
            return CaptionDoubleClickCommand(state);
        default:
            return CaptionCommand::None;  // the corners have no action
    }
}

bool SystemMenuItemEnabled(SystemMenuItem item, FrameState state, bool resizable) {
    const bool maximized = state == FrameState::Maximized;
    switch (item) {
        case SystemMenuItem::Restore:
            return maximized;
        case SystemMenuItem::Move:
            return !maximized;
        case SystemMenuItem::Size:
        case SystemMenuItem::Maximize:
            return resizable && !maximized;
        case SystemMenuItem::Minimize:
        case SystemMenuItem::Close:
            return true;
    }
    return false;
}

const char* SystemMenuItemText(SystemMenuItem item) {
    switch (item) {
        case SystemMenuItem::Restore:
            return "还原(&R)";
        case SystemMenuItem::Move:
            return "移动(&M)";
        case SystemMenuItem::Size:
            return "大小(&S)";
        case SystemMenuItem::Minimize:
            return "最小化(&N)";
        case SystemMenuItem::Maximize:
            return "最大化(&X)";
        case SystemMenuItem::Close:
            return "关闭(&C)\tAlt+F4";
    }
    return "";
}

CaptionCommand SystemMenuItemCommand(SystemMenuItem item) {
    switch (item) {
        case SystemMenuItem::Restore:
            return CaptionCommand::Restore;
        case SystemMenuItem::Minimize:
            return CaptionCommand::Minimize;
        case SystemMenuItem::Maximize:
            return CaptionCommand::Maximize;
        case SystemMenuItem::Close:
            return CaptionCommand::Close;
        default:
            return CaptionCommand::None;
    }
}

FaceSet ButtonFaceSet(int button, bool maximized) {
    if (button == kMaximizeButton && maximized) {
        return FaceSet::Restore;
    }
    return static_cast<FaceSet>(button);
}

const char* ButtonHint(FaceSet set) {
    switch (set) {
        case FaceSet::Minimize:
            return "隐藏";
        case FaceSet::Maximize:
            return "最大化";
        case FaceSet::Close:
            return "关闭";
        case FaceSet::Restore:
            return "恢复";
    }
    return "";
}

MaximizeBounds MaximizeBoundsFor(const Rect& workArea) {
    return {{workArea.left, workArea.top}, {workArea.Width(), workArea.Height() - 1}};
}

MaximizeBounds MaximizeBoundsOn(const Rect& monitor, const Rect& workArea) {
    MaximizeBounds bounds = MaximizeBoundsFor(workArea);
    bounds.position = {workArea.left - monitor.left, workArea.top - monitor.top};
    return bounds;
}

}  // namespace skin
