// THotImg: the picture control with hover and pressed faces that the skinned frame's caption buttons
// and corners are made of.
#pragma once

#include <windows.h>

#include "skin/SkinSet.h"
#include "toolkit/Bitmap.h"
#include "toolkit/Image.h"

namespace skin {

// Magenta: the skin images' see-through colour.
inline constexpr COLORREF kSkinTransparentColor = RGB(kTransparentRed, kTransparentGreen, kTransparentBlue);
// The caption text's colour.
inline constexpr COLORREF kCaptionColor = RGB(kCaptionRed, kCaptionGreen, kCaptionBlue);

// A picture with three faces: the normal face, one while the mouse is over it and one while the
// left button is held on it. The faces are skin images of the window (not owned, may be absent);
// each is drawn over the control's own picture. The click fires while the button comes up, before
// the normal face is drawn back.
class THotImg : public tk::Image {
  public:
    explicit THotImg(tk::WinControl* parent);
    ~THotImg() override;

    const tk::Bitmap* normalImage = nullptr;
    const tk::Bitmap* overImage = nullptr;
    const tk::Bitmap* downImage = nullptr;

    // Makes the picture a copy of an image (its pixels and transparent colour).
    void ShowCopyOf(const tk::Bitmap& source);

    void MouseEntered() override;
    void MouseLeft() override;
    void MouseDown(tk::MouseButton button, int x, int y) override;
    void MouseUp(tk::MouseButton button, int x, int y) override;
    void Paint(HDC dc) override;

  private:
    // Draws a face onto the picture at (0, 0); an absent face or a failure draws nothing.
    void DrawFace(const tk::Bitmap* face);
    // Re-makes blend_ from the picture: its pixels with the transparent colour fully transparent.
    bool UpdateBlend();

    // The picture prepared for AlphaBlend, which draws a see-through colour far faster than
    // TransparentBlt; re-made when the picture changes.
    tk::Bitmap blend_;
    bool blendStale_ = true;
    HBITMAP blendSource_ = nullptr;
};

}  // namespace skin
