// Pixels a test can draw into and read back: a 32-bit surface with its own memory DC (also filled
// from the screen), and BMP files of chosen colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/GdiHandles.h"

namespace testsupport {

// Made with GDI directly rather than with the toolkit's bitmap, which tests check against it.
class Surface {
  public:
    Surface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    // What the screen shows in a rectangle.
    static Surface FromScreen(const RECT& area);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&&) = delete;

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF colour);
    // The pixel at (x, y), after every pending GDI operation has reached the surface.
    COLORREF At(int x, int y) const;
    int Count(COLORREF colour) const;
    // How many pixels lie within a distance of a colour in each channel (smoothed text has shades).
    int CountNear(COLORREF colour, int tolerance) const;
    // How many pixels of a rectangle differ from a colour.
    int CountOtherThan(COLORREF colour, const RECT& area) const;

  private:
    int width_;
    int height_;
    uint32_t* bits_ = nullptr;
    tk::UniqueBitmap bitmap_;
    tk::UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
};

// A 24-bit BMP file (stored bottom-up, as BMP files usually are) of width x height pixels given
// row by row from the top.
void WriteBmp(const std::string& path, int width, int height, const std::vector<COLORREF>& topDownPixels);
void WriteBmp(const std::string& path, int width, int height, COLORREF colour);

}  // namespace testsupport
