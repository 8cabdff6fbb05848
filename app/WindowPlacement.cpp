#include "app/WindowPlacement.h"

#include <algorithm>
#include <limits>

#include "config/ValueFields.h"
#include "base/Format.h"
#include "toolkit/DpiScale.h"

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

int32_t Clamped(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// to - from, held to the 32-bit range.
int32_t Span(int32_t from, int32_t to) {
    return Clamped(int64_t{to} - from);
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

int ParseWindowDpi(std::string_view text) {
    constexpr int kAbsent = tk::DpiScale::kDesignDpi;
    // Only plain decimal digits: the value is always written that way, and a DPI has no sign.
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return kAbsent;
    }
    int dpi = 0;
    for (const char c : text) {
        dpi = dpi * 10 + (c - '0');
    }
    return tk::DpiScale::Plausible(dpi) ? dpi : kAbsent;
}

std::string FormatWindowDpi(int dpi) {
    return base::Format("%d", dpi);
}

TPlacement ScalePlacement(const TPlacement& p, int fromDpi, int toDpi, const Rect32& workArea) {
    if (fromDpi == toDpi) {
        return p;
    }
    const tk::DpiScale to(toDpi);
    const auto size = [&](int32_t pixels) { return to.FromDpi(pixels, fromDpi); };
    // The distance from the work area's edge, worked out in 64 bits and held to the range Scale takes.
    const auto position = [&](int32_t pixels, int32_t origin) {
        return Clamped(int64_t{origin} + size(Clamped(int64_t{pixels} - origin)));
    };
    TPlacement scaled = p;
    scaled.Left = position(p.Left, workArea.left);
    scaled.Top = position(p.Top, workArea.top);
    scaled.Width = size(p.Width);
    scaled.Height = size(p.Height);
    scaled.RestoreLeft = position(p.RestoreLeft, workArea.left);
    scaled.RestoreTop = position(p.RestoreTop, workArea.top);
    scaled.RestoreWidth = size(p.RestoreWidth);
    scaled.RestoreHeight = size(p.RestoreHeight);
    return scaled;
}

}  // namespace app
