#include "toolkit/ImageScaling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <new>

#include "toolkit/DpiScale.h"

namespace tk {

namespace {

bool SideInRange(int side) {
    return side > 0 && side <= kMaxImageSide;
}

// One pixel while it is filtered: premultiplied channels as fractions of whole values.
struct Channels {
    float b = 0;
    float g = 0;
    float r = 0;
    float a = 0;
};

// The source pixels one target pixel is made of along one side: `count` neighbours from `first`,
// their weights (summing to 1) at `weight` in the side's weight list.
struct Taps {
    int first = 0;
    int count = 0;
    size_t weight = 0;
};

struct SideFilter {
    std::vector<Taps> taps;  // one per target pixel
    std::vector<float> weights;
};

// The filter that takes a side of `from` pixels to `to` pixels (from != to).
SideFilter MakeSideFilter(int from, int to) {
    SideFilter filter;
    filter.taps.resize(static_cast<size_t>(to));
    if (to < from) {
        // Area average. Measured in units of 1 / to of a source pixel, target pixel i covers
        // [i * from, (i + 1) * from) and source pixel j covers [j * to, (j + 1) * to); a source pixel
        // weighs what it shares with the target pixel, out of the target pixel's `from` units.
        for (int i = 0; i < to; ++i) {
            const long long start = static_cast<long long>(i) * from;
            const long long end = start + from;
            const int first = static_cast<int>(start / to);
            const int last = static_cast<int>((end - 1) / to);
            filter.taps[i] = {first, last - first + 1, filter.weights.size()};
            for (int j = first; j <= last; ++j) {
                const long long shared = std::min(end, static_cast<long long>(j + 1) * to) -
                                         std::max(start, static_cast<long long>(j) * to);
                filter.weights.push_back(static_cast<float>(static_cast<double>(shared) / from));
            }
        }
    } else {
        // Linear interpolation between the two source pixels whose centres lie either side of the
        // target pixel's centre; past the outer centres the border pixel is used alone.
        for (int i = 0; i < to; ++i) {
            const double position = (i + 0.5) * from / to - 0.5;
            int first = static_cast<int>(std::floor(position));
            double fraction = position - first;
            if (first < 0) {
                first = 0;
                fraction = 0;
            } else if (first >= from - 1) {
                first = from - 1;
                fraction = 0;
            }
            filter.taps[i] = {first, fraction > 0 ? 2 : 1, filter.weights.size()};
            filter.weights.push_back(static_cast<float>(1 - fraction));
            if (fraction > 0) {
                filter.weights.push_back(static_cast<float>(fraction));
            }
        }
    }
    return filter;
}

// An image being filtered: width x height pixels, top row first.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<Channels> pixels;
};

// image with one side (the rows' when horizontal, else the columns') filtered to `to` pixels.
Plane FilterSide(const Plane& image, bool horizontal, int to) {
    const int from = horizontal ? image.width : image.height;
    const SideFilter filter = MakeSideFilter(from, to);
    Plane out;
    out.width = horizontal ? to : image.width;
    out.height = horizontal ? image.height : to;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    // Along the filtered side neighbours are `along` apart; the lines across it `across` apart.
    const size_t inAlong = horizontal ? 1 : static_cast<size_t>(image.width);
    const size_t outAlong = horizontal ? 1 : static_cast<size_t>(out.width);
    const size_t inAcross = horizontal ? static_cast<size_t>(image.width) : 1;
    const size_t outAcross = horizontal ? static_cast<size_t>(out.width) : 1;
    const int lines = horizontal ? image.height : image.width;
    for (int line = 0; line < lines; ++line) {
        const Channels* in = image.pixels.data() + line * inAcross;
        Channels* target = out.pixels.data() + line * outAcross;
        for (int i = 0; i < to; ++i) {
            const Taps& taps = filter.taps[i];
            Channels sum;
            for (int k = 0; k < taps.count; ++k) {
                const Channels& p = in[(taps.first + k) * inAlong];
                const float w = filter.weights[taps.weight + k];
                sum.b += w * p.b;
                sum.g += w * p.g;
                sum.r += w * p.r;
                sum.a += w * p.a;
            }
            target[i * outAlong] = sum;
        }
    }
    return out;
}

uint32_t ToByte(float value, uint32_t most) {
    const long rounded = std::lround(value);
    return static_cast<uint32_t>(std::clamp(rounded, 0L, static_cast<long>(most)));
}

}  // namespace

int ScaledSize(int designSide, int dpi) {
    if (!SideInRange(designSide)) {
        return 0;
    }
    const int pixels = DpiScale(dpi).ToPixels(designSide);
    return SideInRange(pixels) ? pixels : 0;
}

std::vector<int> DrawnPercentsByPreference(std::span<const int> drawn, int dpi) {
    std::vector<int> percents;
    std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(percents), [](int p) { return p > 0; });
    std::sort(percents.begin(), percents.end());
    percents.erase(std::unique(percents.begin(), percents.end()), percents.end());
    // A drawn scale is at or above the window's when percent / 100 >= dpi / 96, compared exactly.
    const long long window = static_cast<long long>(tk::DpiScale(dpi).Dpi()) * 100;
    const auto firstAbove = std::find_if(percents.begin(), percents.end(), [window](int p) {
        return static_cast<long long>(p) * tk::DpiScale::kDesignDpi >= window;
    });
    // Those at or above in rising order, then the smaller ones falling: with none at or above, the
    // largest comes first.
    std::vector<int> order(firstAbove, percents.end());
    order.insert(order.end(), std::make_reverse_iterator(firstAbove), percents.rend());
    return order;
}

PixelImage PremultipliedFromKeyed(std::span<const uint32_t> pixels, int width, int height,
                                  uint32_t keyColour) {
    PixelImage image;
    if (!SideInRange(width) || !SideInRange(height) ||
        pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return image;
    }
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    try {
        image.pixels.resize(count);
    } catch (const std::bad_alloc&) {
        return PixelImage{};
    }
    image.width = width;
    image.height = height;
    const uint32_t key = keyColour & 0x00FFFFFF;
    const auto drawn = pixels.first(count);
    std::transform(drawn.begin(), drawn.end(), image.pixels.begin(), [key](uint32_t pixel) {
        const uint32_t colour = pixel & 0x00FFFFFF;
        return colour == key ? 0u : (0xFF000000u | colour);
    });
    return image;
}

PixelImage ScaleImage(const PixelImage& source, int width, int height) {
    if (!SideInRange(source.width) || !SideInRange(source.height) || !SideInRange(width) ||
        !SideInRange(height) ||
        source.pixels.size() != static_cast<size_t>(source.width) * static_cast<size_t>(source.height)) {
        return PixelImage{};
    }
    try {
        if (width == source.width && height == source.height) {
            return source;
        }
        Plane plane;
        plane.width = source.width;
        plane.height = source.height;
        plane.pixels.reserve(source.pixels.size());
        for (const uint32_t p : source.pixels) {
            plane.pixels.push_back({static_cast<float>(p & 0xFF), static_cast<float>((p >> 8) & 0xFF),
                                    static_cast<float>((p >> 16) & 0xFF), static_cast<float>(p >> 24)});
        }
        // The side that shrinks the image more (or grows it less) goes first, so that the image
        // between the two steps is the smaller one.
        const bool rowsFirst =
            static_cast<long long>(width) * source.height <= static_cast<long long>(source.width) * height;
        for (const bool horizontal : {rowsFirst, !rowsFirst}) {
            const int to = horizontal ? width : height;
            if (to != (horizontal ? plane.width : plane.height)) {
                plane = FilterSide(plane, horizontal, to);
            }
        }
        PixelImage result;
        result.width = width;
        result.height = height;
        result.pixels.reserve(plane.pixels.size());
        for (const Channels& p : plane.pixels) {
            // No premultiplied channel exceeds the alpha: every weight is positive and the weights
            // sum to 1, so this only keeps float rounding from tipping a channel over it.
            const uint32_t alpha = ToByte(p.a, 255);
            result.pixels.push_back((alpha << 24) | (ToByte(p.r, alpha) << 16) | (ToByte(p.g, alpha) << 8) |
                                    ToByte(p.b, alpha));
        }
        return result;
    } catch (const std::bad_alloc&) {
        return PixelImage{};
    }
}

}  // namespace tk
