#include "app/WindowPlacement.h"

#include <algorithm>
#include <limits>

#include "config/ValueFields.h"
#include "base/Format.h"

namespace app {

std::optional<TPlacement> ParseWindowPos(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    try {
        config::Fields fields(text);
        TPlacement p;
        int32_t* targets[] = {&p.State,       &p.Left,       &p.Top,          &p.Width,        &p.Height,
                              &p.RestoreLeft, &p.RestoreTop, &p.RestoreWidth, &p.RestoreHeight};
        for (size_t i = 0; i < 9; ++i) {
            *targets[i] = fields.Integer(i);
        }
        if (p.State != kPlacementNormal && p.State != kPlacementMaximized) {
            return std::nullopt;
        }
        if (!PlacementRect(RaisedToMinimum(p))) {
            return std::nullopt;
        }
        return p;
    } catch (const base::Error&) {
        // Not silent: the caller logs every non-empty text that gives no placement.
        return std::nullopt;
    }
}

std::string FormatWindowPos(const TPlacement& p) {
    return base::Format("%d,%d,%d,%d,%d,%d,%d,%d,%d", p.State, p.Left, p.Top, p.Width, p.Height,
                        p.RestoreLeft, p.RestoreTop, p.RestoreWidth, p.RestoreHeight);
}

TPlacement RaisedToMinimum(TPlacement p) {
    p.Width = std::max(p.Width, skin::kMinimumWidth);
    p.RestoreWidth = std::max(p.RestoreWidth, skin::kMinimumWidth);
    p.Height = std::max(p.Height, skin::kMinimumHeight);
    p.RestoreHeight = std::max(p.RestoreHeight, skin::kMinimumHeight);
    return p;
}

std::optional<Rect32> PlacementRect(const TPlacement& p) {
    const bool maximized = p.State == kPlacementMaximized;
    const int64_t left = maximized ? p.RestoreLeft : p.Left;
    const int64_t top = maximized ? p.RestoreTop : p.Top;
    const int64_t right = left + (maximized ? p.RestoreWidth : p.Width);
    const int64_t bottom = top + (maximized ? p.RestoreHeight : p.Height);
    constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();
    if (right < kLowest || right > kHighest || bottom < kLowest || bottom > kHighest) {
        return std::nullopt;
    }
    return Rect32{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                  static_cast<int32_t>(bottom)};
}

namespace {

// to - from, held to the 32-bit range.
int32_t Span(int32_t from, int32_t to) {
    const int64_t span = int64_t{to} - from;
    return static_cast<int32_t>(
        std::clamp<int64_t>(span, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

TPlacement PlacementToSave(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight,
                           const std::optional<Rect32>& maximizedRestoreRect) {
    TPlacement p{kPlacementNormal, left, top, clientWidth, clientHeight, 200, 100, 800, 600};
    if (maximizedRestoreRect) {
        const Rect32& r = *maximizedRestoreRect;
        p.State = kPlacementMaximized;
        p.RestoreLeft = r.left;
        p.RestoreTop = r.top;
        p.RestoreWidth = Span(r.left, r.right);
        p.RestoreHeight = Span(r.top, r.bottom);
    }
    return p;
}

}  // namespace app
