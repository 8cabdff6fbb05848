// Label: a windowless line of text with its own font and colour, optionally on a transparent
// background, aligned left, right or centred in its bounds.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Font.h"

namespace tk {

enum class TextAlign { Left, Right, Center };

class Label : public GraphicControl {
  public:
    explicit Label(WinControl* parent);

    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& caption);

    // Change the font through this, then call FontChanged.
    Font& GetFont() { return font_; }
    const Font& GetFont() const { return font_; }
    void FontChanged();

    void SetTransparent(bool transparent);
    bool Transparent() const { return transparent_; }
    void SetBackground(COLORREF color);
    void SetAlignment(TextAlign alignment);
    // When on, the label takes the size of its text: a right-aligned label keeps its right edge, any
    // other its left edge.
    void SetAutoSize(bool autoSize);

    void Paint(HDC dc) override;
    void DpiChanged() override;

  private:
    void AdjustSize();
    UINT DrawFlags() const;

    std::wstring caption_;
    Font font_;
    bool transparent_ = false;
    COLORREF background_ = GetSysColor(COLOR_BTNFACE);
    TextAlign alignment_ = TextAlign::Left;
    bool autoSize_ = true;
};

}  // namespace tk
