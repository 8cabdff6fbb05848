#include "app/WindowPlacement.h"

#include <algorithm>

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
        return p;
    } catch (const base::Error&) {
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

TPlacement PlacementToSave(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight,
                           const std::optional<Rect32>& maximizedRestoreRect) {
    TPlacement p{kPlacementNormal, left, top, clientWidth, clientHeight, 200, 100, 800, 600};
    if (maximizedRestoreRect) {
        const Rect32& r = *maximizedRestoreRect;
        p.State = kPlacementMaximized;
        p.RestoreLeft = r.left;
        p.RestoreTop = r.top;
        p.RestoreWidth = r.right - r.left;
        p.RestoreHeight = r.bottom - r.top;
    }
    return p;
}

}  // namespace app
