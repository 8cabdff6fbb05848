#include "skin/HighContrastSkin.h"

#include <algorithm>

#include "skin/HotImg.h"
#include "skin/SkinSet.h"
#include "toolkit/GdiHandles.h"

namespace skin {
namespace {

struct Colours {
    int fill;
    int ink;
};

// The face of a caption button: on the caption while normal, highlighted under the mouse, a pushed
// button face while held.
Colours ButtonColours(Face face) {
    switch (face) {
        case Face::Over:
            return {COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
        case Face::Down:
            return {COLOR_BTNFACE, COLOR_BTNTEXT};
        default:
            return {COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    }
}

int FillColour(int index) {
    switch (index) {
        case kTopActivate:
        case kTopLeftActivate:
        case kTopRightActivate:
            return COLOR_ACTIVECAPTION;
        case kTopdeActivate:
        case kTopLeftdeActivate:
        case kTopRightdeActivate:
            return COLOR_INACTIVECAPTION;
        default:
            return COLOR_WINDOWFRAME;  // the edges and the bottom corners
    }
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void Box(HDC dc, int left, int top, int right, int bottom, int topThickness) {
    Line(dc, left, top, right, top);
    Line(dc, right, top, right, bottom);
    Line(dc, right, bottom, left, bottom);
    Line(dc, left, bottom, left, top);
    for (int i = 1; i < topThickness; ++i) {
        Line(dc, left, top + i, right, top + i);
    }
}

// The button's glyph, about the centre of a w x h face.
void DrawGlyph(HDC dc, FaceSet set, int w, int h, int thickness) {
    const int g = std::max(4, std::min(w, h) * 9 / 20) / 2 * 2;  // an even size: the glyph centres
    const int left = (w - g) / 2;
    const int top = (h - g) / 2;
    const int right = left + g;
    const int bottom = top + g;
    switch (set) {
        case FaceSet::Minimize:
            Line(dc, left, bottom - thickness, right, bottom - thickness);
            break;
        case FaceSet::Maximize:
            Box(dc, left, top, right, bottom, 2);
            break;
        case FaceSet::Restore: {
            const int d = g / 4;
            Box(dc, left, top + d, right - d, bottom, 2);
            Line(dc, left + d, top + d, left + d, top);
            Line(dc, left + d, top, right, top);
            Line(dc, right, top, right, bottom - d);
            Line(dc, right, bottom - d, right - d, bottom - d);
            break;
        }
        case FaceSet::Close:
            Line(dc, left, top, right, bottom);
            Line(dc, right, top, left, bottom);
            break;
    }
}

}  // namespace

tk::Bitmap HighContrastSkinImage(int index, int width, int height, tk::DpiScale scale) {
    tk::Bitmap image(width, height);
    HDC dc = image.Dc();
    if (!dc) {
        return image;
    }
    const bool button = index >= kBtnMinNormal && index < kTopLeft1;
    const Colours colours = button ? ButtonColours(static_cast<Face>((index - kBtnMinNormal) % 3))
                                   : Colours{FillColour(index), COLOR_WINDOWFRAME};
    image.Clear(GetSysColor(colours.fill));
    if (button) {
        const int thickness = scale.ToPixels(1);
        const LOGBRUSH ink{BS_SOLID, GetSysColor(colours.ink), 0};
        tk::UniquePen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                                       static_cast<DWORD>(thickness), &ink, 0, nullptr));
        tk::SelectGuard select(dc, pen.Get());
        DrawGlyph(dc, static_cast<FaceSet>((index - kBtnMinNormal) / 3), width, height, thickness);
    }
    GdiFlush();
    // Nothing of it is see-through; the key is set so that no drawn colour is taken for it.
    image.SetTransparentColor(kSkinTransparentColor);
    return image;
}

}  // namespace skin
