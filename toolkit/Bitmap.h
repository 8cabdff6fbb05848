// Bitmap: a 32-bit top-down DIB section with its own memory DC, loaded from BMP files, drawn plainly,
// stretched or with one colour left out (the transparent colour); or, scaled for a display scale,
// holding premultiplied alpha and blended.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/GdiHandles.h"
#include "toolkit/ImageFormats.h"

namespace tk {

struct PixelImage;

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap Copy() const;

    // Loads a BMP file once its headers and size have passed CheckBmp; a missing, unreadable or
    // damaged file leaves the bitmap empty and answers false (a damaged one is logged). A file of
    // the usual size is opened and read once.
    bool LoadFromFile(const std::wstring& path);
    // The same for a whole BMP file held in memory; name is what the log calls it.
    bool LoadFromMemory(std::string_view bytes, const std::string& name);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // A new surface of the given size, filled white. Zero or negative sizes make the bitmap empty.
    void SetSize(int width, int height);
    void Clear(COLORREF color = RGB(255, 255, 255));

    // The memory DC with this bitmap selected (nullptr while empty).
    HDC Dc() const;
    HBITMAP Handle() const { return bitmap_.Get(); }
    // The colour of a pixel; for a bitmap with alpha, premultiplied (a see-through pixel is black).
    COLORREF Pixel(int x, int y) const;

    void SetTransparentColor(COLORREF color) { transparentColor_ = color; }
    std::optional<COLORREF> TransparentColor() const { return transparentColor_; }
    // The colour left out when drawn transparently: the fixed colour, else the bottom-left pixel.
    COLORREF EffectiveTransparentColor() const;

    // This bitmap smoothly scaled to width x height (tk::ScaleImage) with its transparent colour
    // made see-through first, so no trace of that colour is left at the edges of what is drawn. The
    // result holds premultiplied alpha (HasAlpha); a bitmap with alpha is scaled as it is. Empty when
    // this bitmap is, or for a size outside 1..tk::kMaxImageSide.
    Bitmap ScaledWithAlpha(int width, int height) const;
    // A bitmap holding image's pixels (tk::PixelImage: 0xAARRGGBB, top row first). With alpha they are
    // taken as premultiplied and blended when drawn (HasAlpha); without, drawn as they are. Empty for
    // an empty image or one with fewer pixels than its size calls for.
    static Bitmap FromPixels(const PixelImage& image, bool alpha);
    // Whether the pixels carry premultiplied alpha. Such a bitmap is blended by Draw and StretchDraw
    // whatever their `transparent` says; GDI drawing on its DC does not keep the alpha right.
    bool HasAlpha() const { return alpha_; }

    void Draw(HDC dc, int x, int y, bool transparent = false) const;
    void StretchDraw(HDC dc, const RECT& target, bool transparent = false) const;

  private:
    void Reset();
    // A new surface of the given size whose pixels are not set yet.
    void Allocate(int width, int height);
    bool DrawCheckedBmp(const std::string& bytes, const BmpLayout& layout, const std::string& name);

    int width_ = 0;
    int height_ = 0;
    uint32_t* bits_ = nullptr;
    UniqueBitmap bitmap_;
    mutable UniqueMemoryDc dc_;
    mutable HGDIOBJ previous_ = nullptr;
    std::optional<COLORREF> transparentColor_;
    bool alpha_ = false;
};

}  // namespace tk
