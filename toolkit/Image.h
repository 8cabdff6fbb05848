// Image: a windowless picture (a bitmap or an icon), drawn at its top-left corner, centred or
// stretched, optionally leaving out the bitmap's transparent colour; auto-sizes to its picture.
#pragma once

#include "toolkit/Bitmap.h"
#include "toolkit/Control.h"

namespace tk {

class Image : public GraphicControl {
  public:
    using GraphicControl::GraphicControl;

    // The picture bitmap; after drawing into it or replacing it call PictureChanged.
    Bitmap& Picture() { return picture_; }
    const Bitmap& Picture() const { return picture_; }
    void SetPicture(Bitmap picture);
    void PictureChanged();
    // A drawing surface of exactly the control's size: the picture is re-made at that size when it
    // differs, so drawing starts on a fresh surface.
    HDC Canvas();

    // An icon replaces the bitmap as the picture.
    void SetIcon(UniqueIcon icon);
    HICON Icon() const { return icon_.Get(); }

    void SetStretch(bool on);
    void SetCenter(bool on);
    void SetAutoSize(bool on);
    void SetTransparent(bool on);
    bool Stretch() const { return stretch_; }
    bool Center() const { return center_; }
    bool Transparent() const { return transparent_; }

    void Paint(HDC dc) override;

  private:
    Bitmap picture_;
    UniqueIcon icon_;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
    bool transparent_ = false;
};

}  // namespace tk
