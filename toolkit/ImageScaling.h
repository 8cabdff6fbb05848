// Skin images made larger (or smaller) for a display scale, smoothly and without a coloured fringe.
// Platform-independent.
//
// A skin image marks its see-through pixels with one colour (magenta). Filtering such an image
// directly mixes that colour into every pixel at the edge of what is drawn. Here the key colour is
// first turned into real transparency, with premultiplied alpha, and the filter then works on
// premultiplied pixels: a see-through pixel is (0,0,0,0) and so adds nothing but transparency to
// its neighbours. The result is drawn with per-pixel alpha (AlphaBlend with AC_SRC_ALPHA).
//
// Pixels are 32-bit values of a top-down 32-bit DIB, 0xAARRGGBB (bytes B, G, R, A in memory).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tk {

// The largest width or height an image is made at. Anything larger is taken as a mistake and gives
// an empty image, as do zero and negative sizes.
constexpr int kMaxImageSide = 16384;

// An image as rows of pixels, top row first: width x height values, or none at all when empty.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0 || pixels.empty(); }
};

// The pixels a side of an image takes at a DPI: its design size scaled as tk::DpiScale::ToPixels
// scales every design size, so one design side always gives the same pixels, whatever image it
// belongs to. 0 for a side of zero or less, or one that would exceed kMaxImageSide.
//
// A strip tiled from a narrower image is laid out at the scaled tile size: the tile is scaled once
// to ScaledSize(tileWidth, dpi) and copy k goes at k * that width, the last copy clipped to the
// strip's own scaled length. Copies then meet without gaps or overlaps. (Scaling the positions
// instead, ScaledSize(k * tileWidth, dpi), does not: rounding makes the steps between them differ.)
int ScaledSize(int designSide, int dpi);

// The scales (in percent) of the drawings of one picture to try for a window at dpi, best first:
// the smallest at or above the window's own scale (so that a drawing is only made smaller, which
// keeps it crisp), or the largest when none is; then, for a drawing that turns out missing or
// damaged, the other larger ones upwards and the smaller ones downwards. Scales of zero or less are
// left out; a DPI of zero or less counts as 96.
std::vector<int> DrawnPercentsByPreference(std::span<const int> drawn, int dpi);

// A keyed image (width x height 0x??RRGGBB values, the top byte ignored) as premultiplied pixels:
// a pixel whose colour is keyColour (0x00RRGGBB) becomes fully transparent (0), every other one
// keeps its colour with alpha 255. Sizes outside 1..kMaxImageSide, or fewer pixels than they call
// for, give an empty image.
PixelImage PremultipliedFromKeyed(std::span<const uint32_t> pixels, int width, int height,
                                  uint32_t keyColour);

// source (premultiplied) at width x height, premultiplied: averaged over the source pixels each
// target pixel covers along a side that shrinks, interpolated linearly between the nearest source
// pixels along a side that grows (the border pixels repeat outwards, so an edge keeps its colour
// and opacity). Each side is filtered on its own; a side that keeps its size is copied exactly, so
// the same size gives back source unchanged. An empty or inconsistent source, a size outside
// 1..kMaxImageSide, or a result there is no memory for gives an empty image.
PixelImage ScaleImage(const PixelImage& source, int width, int height);

}  // namespace tk
