#include "skin/HotImg.h"

#include <cstdint>

#include "base/Log.h"
#include "skin/SkinSet.h"

namespace skin {
namespace {

// The pixels of a 32-bit DIB section, or null.
uint32_t* PixelsOf(const tk::Bitmap& bitmap) {
    DIBSECTION dib{};
    if (bitmap.Empty() || GetObjectW(bitmap.Handle(), sizeof(dib), &dib) != sizeof(dib) ||
        dib.dsBm.bmBitsPixel != 32) {
        return nullptr;
    }
    return static_cast<uint32_t*>(dib.dsBm.bmBits);
}

}  // namespace

THotImg::THotImg(tk::WinControl* parent) : tk::Image(parent) {}

THotImg::~THotImg() = default;

void THotImg::ShowCopyOf(const tk::Bitmap& source) {
    tk::Bitmap& picture = Picture();
    // Drawing copies an opaque image's pixels; an image with alpha would be blended onto the old
    // face instead, so such a face (a skin image scaled for the display) replaces the picture.
    if (!source.Empty() && !source.HasAlpha() && !picture.HasAlpha() && picture.Width() == source.Width() &&
        picture.Height() == source.Height()) {
        // Same size: copy the pixels over rather than making a new surface.
        source.Draw(picture.Dc(), 0, 0);
        GdiFlush();
        if (auto colour = source.TransparentColor()) {
            picture.SetTransparentColor(*colour);
        }
        blendStale_ = true;
        PictureChanged();
    } else {
        SetPicture(source.Copy());
        blendStale_ = true;
    }
}

bool THotImg::UpdateBlend() {
    const tk::Bitmap& picture = Picture();
    if (!blendStale_ && blendSource_ == picture.Handle() && !blend_.Empty()) {
        return true;
    }
    blendSource_ = nullptr;
    const int w = picture.Width();
    const int h = picture.Height();
    if (blend_.Width() != w || blend_.Height() != h) {
        blend_.SetSize(w, h);
    }
    const uint32_t* from = PixelsOf(picture);
    uint32_t* to = PixelsOf(blend_);
    if (!from || !to) {
        return false;
    }
    GdiFlush();
    const COLORREF key = picture.EffectiveTransparentColor();
    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t rgb = from[i] & 0x00FFFFFF;
        to[i] = rgb == keyPixel ? 0 : (rgb | 0xFF000000);  // opaque, or fully see-through
    }
    blendSource_ = picture.Handle();
    blendStale_ = false;
    return true;
}

void THotImg::Paint(HDC dc) {
    // A picture with alpha of its own is blended as it is by the base.
    if (Transparent() && !Icon() && !Stretch() && !Center() && !Picture().HasAlpha() && UpdateBlend()) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const int w = Picture().Width();
        const int h = Picture().Height();
        if (AlphaBlend(dc, 0, 0, w, h, blend_.Dc(), 0, 0, w, h, blend)) {
            return;
        }
    }
    tk::Image::Paint(dc);
}

void THotImg::DrawFace(const tk::Bitmap* face) {
    if (!face || face->Empty()) {
        return;
    }
    try {
        if (face->HasAlpha() || Picture().HasAlpha()) {
            ShowCopyOf(*face);
            return;
        }
        HDC dc = Picture().Dc();
        if (!dc) {
            return;  // no picture to draw on
        }
        face->Draw(dc, 0, 0);
        GdiFlush();
        blendStale_ = true;
        PictureChanged();
    } catch (...) {
        // A face that cannot be drawn leaves the current one; the user is not told.
        base::LogCaughtException("Drawing a button face");
    }
}

// The events run in the default handling and may free the button: the face is drawn only if it lives.
void THotImg::MouseEntered() {
    const auto alive = LifeToken();
    tk::Image::MouseEntered();
    if (*alive) {
        DrawFace(overImage);
    }
}

void THotImg::MouseLeft() {
    const auto alive = LifeToken();
    tk::Image::MouseLeft();
    if (*alive) {
        DrawFace(normalImage);
    }
}

void THotImg::MouseDown(tk::MouseButton button, int x, int y) {
    tk::Image::MouseDown(button, x, y);
    if (button == tk::MouseButton::Left) {
        DrawFace(downImage);
    }
}

// The click, and with it the button's action, happens in the default handling, before the normal
// face is drawn back (unless the action freed the button).
void THotImg::MouseUp(tk::MouseButton button, int x, int y) {
    const auto alive = LifeToken();
    tk::Image::MouseUp(button, x, y);
    if (button == tk::MouseButton::Left && *alive) {
        DrawFace(normalImage);
    }
}

}  // namespace skin
