// The skin drawn in the system's colours, for high contrast: each of the 25 images made at the size
// the skin's own image has, so the frame's layout stays, from the window frame, caption, caption
// text, button face and highlight colours, with the caption buttons' glyphs drawn as lines.
#pragma once

#include "toolkit/Bitmap.h"
#include "toolkit/DpiScale.h"

namespace skin {

// The high-contrast image for skin slot `index` at width x height; lines are one design pixel
// thick at the window's scale.
tk::Bitmap HighContrastSkinImage(int index, int width, int height, tk::DpiScale scale);

}  // namespace skin
