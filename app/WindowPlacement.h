// The main window's remembered placement, "WindowPos": nine signed integers written
// "%d,%d,%d,%d,%d,%d,%d,%d,%d" in physical pixels, and "WindowDpi", the DPI they were taken at.
// Platform-independent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skin/FrameGeometry.h"

namespace app {

struct TPlacement {
    int32_t State = 0;  // 0 normal, 2 maximized
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t RestoreLeft = 0;
    int32_t RestoreTop = 0;
    int32_t RestoreWidth = 0;
    int32_t RestoreHeight = 0;
    bool operator==(const TPlacement&) const = default;
};

constexpr int32_t kPlacementNormal = 0;
constexpr int32_t kPlacementMaximized = 2;

// The stored value, or nothing when it is empty, not nine integers with a first field of 0 or 2, or
// one whose rectangle (its sizes raised to the minimum) cannot be formed: such a value is treated
// like a missing one.
std::optional<TPlacement> ParseWindowPos(std::string_view text);
std::string FormatWindowPos(const TPlacement& placement);
// Widths below 800 and heights below 600 raised to those; nothing else is checked.
TPlacement RaisedToMinimum(TPlacement placement);

struct Rect32 {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect32&) const = default;
};

// The rectangle the placement asks for: left, top, left + width, top + height of fields 2 to 5 for a
// normal window, of the restore fields 6 to 9 for a maximized one. Nothing when a right or bottom
// edge lies beyond the 32-bit range (the sums are worked out in 64 bits).
std::optional<Rect32> PlacementRect(const TPlacement& placement);

// What to write at exit: the window's current left, top and client size; when maximized, state 2 and
// the system's restore rectangle, otherwise state 0 and the restore values 200, 100, 800, 600. A
// restore size beyond the 32-bit range is written as the largest one.
TPlacement PlacementToSave(int32_t left, int32_t top, int32_t clientWidth, int32_t clientHeight,
                           const std::optional<Rect32>& maximizedRestoreRect);

// The stored "WindowDpi": a decimal DPI a display can have. Anything else, an absent value included
// (older builds wrote none and always worked at 96), gives 96.
int ParseWindowDpi(std::string_view text);
std::string FormatWindowDpi(int dpi);

// A placement taken at fromDpi as pixels at toDpi on the monitor whose work area is given: every
// size is scaled by toDpi / fromDpi and every position keeps its scaled distance from the work
// area's top-left corner, so the window keeps its logical size and its place on that monitor.
// Rounded as the system's MulDiv rounds; results beyond the 32-bit range are held to it. Equal DPIs
// give the placement unchanged.
TPlacement ScalePlacement(const TPlacement& placement, int fromDpi, int toDpi, const Rect32& workArea);

}  // namespace app
