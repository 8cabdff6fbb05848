// High contrast on (or off) for a test, with a dark scheme of system colours in which every element
// a high-contrast drawing uses has a colour of its own (Wine's own colours are no high-contrast set);
// both are put back afterwards.
#pragma once

#include <windows.h>

#include <iterator>
#include <optional>

#include "toolkit/HighContrast.h"

namespace testsupport {

class HighContrastScheme {
  public:
    explicit HighContrastScheme(bool on) {
        for (size_t i = 0; i < std::size(kElements); ++i) {
            saved_[i] = GetSysColor(kElements[i]);
        }
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, kScheme);
        tk::OverrideHighContrast(on);
    }
    ~HighContrastScheme() {
        tk::OverrideHighContrast(std::nullopt);
        SetSysColors(static_cast<int>(std::size(kElements)), kElements, saved_);
    }
    HighContrastScheme(const HighContrastScheme&) = delete;
    HighContrastScheme& operator=(const HighContrastScheme&) = delete;

    // An element's colour now, as a pixel reads.
    static COLORREF Sys(int element) { return GetSysColor(element) & 0xFFFFFF; }

  private:
    static constexpr INT kElements[] = {COLOR_WINDOWFRAME,
                                        COLOR_ACTIVECAPTION,
                                        COLOR_INACTIVECAPTION,
                                        COLOR_CAPTIONTEXT,
                                        COLOR_INACTIVECAPTIONTEXT,
                                        COLOR_HIGHLIGHT,
                                        COLOR_HIGHLIGHTTEXT,
                                        COLOR_BTNFACE,
                                        COLOR_BTNTEXT,
                                        COLOR_WINDOW};
    static constexpr COLORREF kScheme[] = {
        RGB(255, 255, 255), RGB(0, 0, 128), RGB(64, 64, 64), RGB(255, 255, 0),   RGB(192, 192, 192),
        RGB(0, 255, 255),   RGB(0, 0, 0),   RGB(0, 0, 0),    RGB(255, 255, 255), RGB(0, 0, 0)};
    COLORREF saved_[std::size(kElements)] = {};
};

}  // namespace testsupport
