// Font: face, point size, style and colour, with the GDI font made on demand.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/GdiHandles.h"

namespace tk {

class Font {
  public:
    Font() = default;
    Font(std::wstring face, int points, bool bold = false, COLORREF color = RGB(0, 0, 0));

    const std::wstring& Face() const { return face_; }
    int Points() const { return points_; }
    bool Bold() const { return bold_; }
    bool Underline() const { return underline_; }
    COLORREF Color() const { return color_; }

    void SetFace(const std::wstring& face);
    void SetPoints(int points);
    void SetBold(bool bold);
    void SetUnderline(bool underline);
    void SetColor(COLORREF color) { color_ = color; }
    // The DPI the font is made for (the window's); 0, the default, means the screen's.
    int Dpi() const { return dpi_; }
    void SetDpi(int dpi);

    HFONT Handle() const;

  private:
    void Changed() { handle_.Reset(); }

    std::wstring face_ = L"MS Sans Serif";
    int points_ = 8;
    bool bold_ = false;
    bool underline_ = false;
    COLORREF color_ = RGB(0, 0, 0);
    int dpi_ = 0;
    mutable UniqueFont handle_;
};

}  // namespace tk
