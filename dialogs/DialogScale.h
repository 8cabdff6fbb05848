// How the two dialogs follow the display scale, kept free of the platform: their design is at 96 DPI
// (100 %), every control's bounds are scaled from it, and their pictures are drawn at a few scales of
// which the one that suits the window's DPI is shown, made smaller (or, above the largest, larger) to
// the exact size where its scale is not the window's.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/DpiScale.h"
#include "toolkit/ImageScaling.h"

namespace dialogs {

// A control's or a picture's place in a dialog's design (pixels at 96 DPI, in the parent's client
// coordinates).
struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The design place at a DPI: each of its numbers scaled as every design size is (tk::DpiScale), so a
// picture of the design's width drawn for that DPI covers the control exactly.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};
PixelRect Scaled(const DesignRect& design, const tk::DpiScale& scale);

// The scales, in percent, every dialog picture is drawn at (tools/make_dialog_bitmaps.py), smallest
// first.
inline constexpr std::array<int, 3> kDrawnPercents{100, 150, 200};

// The drawn scales to try for a window, best first (tk::DrawnPercentsByPreference).
using tk::DrawnPercentsByPreference;

// The resource that holds a picture drawn at a scale: the picture's name and the percentage, as in
// VELMORA_DLG_BUTTON_OK_150.
std::wstring PictureResourceName(std::wstring_view picture, int percent);

}  // namespace dialogs
