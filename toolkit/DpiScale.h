// A window's display scale: sizes designed at 96 DPI (100 %) turned into pixels at the window's DPI
// and back. The one place such arithmetic is done; platform-independent.
#pragma once

namespace tk {

class DpiScale {
  public:
    // The DPI every design size is given at.
    static constexpr int kDesignDpi = 96;

    // A DPI of zero or less (a failed query) counts as the design DPI.
    constexpr explicit DpiScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

    constexpr int Dpi() const { return dpi_; }
    // Whether a DPI is one a display can have (25 % to 1000 %): what a window message may carry.
    static constexpr bool Plausible(int dpi) { return dpi >= 24 && dpi <= 960; }
    // The scale in percent (100 at 96 DPI, 150 at 144), rounded.
    constexpr int Percent() const { return Scale(100, dpi_, kDesignDpi); }
    // A design size in pixels at this DPI, rounded to the nearest pixel (halves away from zero,
    // as the system's MulDiv rounds), so one design size always gives the same pixels.
    constexpr int ToPixels(int design) const { return Scale(design, dpi_, kDesignDpi); }
    // Pixels at this DPI back to the design size, rounded the same way.
    constexpr int ToDesign(int pixels) const { return Scale(pixels, kDesignDpi, dpi_); }
    // A size given in pixels at another DPI, at this one.
    constexpr int FromDpi(int pixels, int fromDpi) const {
        return Scale(pixels, dpi_, DpiScale(fromDpi).dpi_);
    }

    constexpr bool operator==(const DpiScale&) const = default;

    // value x numerator / denominator, rounded half away from zero, in 64-bit so nothing overflows
    // on the way; a result outside int is clamped.
    static constexpr int Scale(int value, int numerator, int denominator) {
        const long long product = static_cast<long long>(value) * numerator;
        const long long half = denominator / 2;
        const long long result =
            product >= 0 ? (product + half) / denominator : (product - half) / denominator;
        constexpr long long kMax = 2147483647LL;
        return static_cast<int>(result > kMax ? kMax : (result < -kMax - 1 ? -kMax - 1 : result));
    }

  private:
    int dpi_;
};

}  // namespace tk
