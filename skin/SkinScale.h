// Which drawing of a skin image a window uses at its display scale. Platform-independent.
//
// A skin folder holds its images drawn at 100 %. It may also hold sets drawn for larger scales, each
// in a subfolder named after its scale in percent, with the same file names:
//
//     Skin\Blue\TopActivate.bmp        100 %
//     Skin\Blue\150\TopActivate.bmp    150 %
//     Skin\Blue\200\TopActivate.bmp    200 %
//
// A set may hold only some of the images. Per image, the set of the nearest scale at or above the
// window's wins (so nothing is made larger than it was drawn, which would blur it); with none at or
// above, the largest one below, and with no set at all the 100 % image. A drawing at another scale
// than the window's is scaled smoothly to the window's.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace skin {

// The scales, in percent, a skin folder may hold drawn sets for, and the built-in skin holds.
inline constexpr std::array<int, 2> kDrawnSkinScales = {150, 200};
inline constexpr int kDesignSkinScale = 100;

// The scales to look for an image at, best first, for a window at `dpi`; always ends with the
// 100 % drawing. At 96 DPI only that.
std::vector<int> SkinScalesFor(int dpi);

// Whether a drawing at `percent` is used as it is at `dpi` (no scaling).
bool DrawnForDpi(int percent, int dpi);

// The pixels a side of `side` pixels, drawn at `percent`, takes at `dpi`: the same rounding as
// every design size (a 100 % side gives tk::ScaledSize).
int SkinSideAt(int side, int percent, int dpi);

// The folder of the set drawn at `percent` inside a skin folder (the folder itself for 100 %); the
// skin folder ends with its separator, and so does the answer.
std::wstring SkinScaleFolder(const std::wstring& folder, int percent);

}  // namespace skin
