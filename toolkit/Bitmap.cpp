#include "toolkit/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "base/Log.h"
#include "base/Text.h"
#include "toolkit/ImageFiles.h"
#include "toolkit/ImageScaling.h"
#include "toolkit/RunLengthPixels.h"

namespace tk {

Bitmap::Bitmap(int width, int height) {
    SetSize(width, height);
}

Bitmap::~Bitmap() {
    Reset();
}

Bitmap::Bitmap(Bitmap&& other) noexcept {
    *this = std::move(other);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        Reset();
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, nullptr);
        bitmap_ = std::move(other.bitmap_);
        dc_ = std::move(other.dc_);
        previous_ = std::exchange(other.previous_, nullptr);
        transparentColor_ = other.transparentColor_;
        alpha_ = std::exchange(other.alpha_, false);
    }
    return *this;
}

void Bitmap::Reset() {
    if (dc_) {
        SelectObject(dc_.Get(), previous_);
        dc_.Reset();
        previous_ = nullptr;
    }
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    alpha_ = false;
}

Bitmap Bitmap::Copy() const {
    Bitmap copy;
    if (!Empty()) {
        copy.SetSize(width_, height_);
        GdiFlush();
        std::copy(bits_, bits_ + static_cast<size_t>(width_) * height_, copy.bits_);
        copy.alpha_ = alpha_;
    }
    copy.transparentColor_ = transparentColor_;
    return copy;
}

void Bitmap::SetSize(int width, int height) {
    Allocate(width, height);
    Clear();
}

void Bitmap::Allocate(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0) {
        return;
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) {
        bitmap_.Reset();
        return;
    }
    bits_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
}

void Bitmap::Clear(COLORREF color) {
    if (Empty()) {
        return;
    }
    GdiFlush();
    // Opaque in a bitmap with alpha; elsewhere the alpha byte is not looked at.
    const uint32_t pixel =
        (alpha_ ? 0xFF000000 : 0) | (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    std::fill(bits_, bits_ + static_cast<size_t>(width_) * height_, pixel);
}

HDC Bitmap::Dc() const {
    if (Empty()) {
        return nullptr;
    }
    if (!dc_) {
        dc_.Reset(CreateCompatibleDC(nullptr));
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
    return dc_.Get();
}

bool Bitmap::LoadFromFile(const std::wstring& path) {
    Reset();
    // Files up to this size are read whole at once; the check then sees every byte it needs. A
    // larger file is read in two steps: its headers, and once they pass, the bytes they call for.
    constexpr uint64_t kOneReadBytes = 1 << 20;
    const std::optional<FileStart> head = ReadFileStart(path, kOneReadBytes);
    if (!head) {
        return false;  // missing or unreadable
    }
    const std::string name = base::WideToUtf8(path);
    const BmpCheck check = CheckBmp(head->size, head->bytes);
    if (!check.layout) {
        base::LogF("BMP file %s not used: %s", name.c_str(), check.problem.c_str());
        return false;
    }
    if (check.layout->requiredBytes <= head->bytes.size()) {
        return DrawCheckedBmp(head->bytes, *check.layout, name);
    }
    std::optional<FileStart> file;
    try {
        file = ReadFileStart(path, check.layout->requiredBytes);
    } catch (const std::bad_alloc&) {
        base::LogF("BMP file %s not used: no memory for %llu bytes", name.c_str(),
                   static_cast<unsigned long long>(check.layout->requiredBytes));
        return false;
    }
    // Checked again on the bytes actually read: the file may have changed in between.
    const BmpCheck read = file ? CheckBmp(file->size, file->bytes) : BmpCheck{};
    if (!read.layout || read.layout->requiredBytes > file->bytes.size()) {
        base::LogF("BMP file %s not used: it changed while it was read", name.c_str());
        return false;
    }
    return DrawCheckedBmp(file->bytes, *read.layout, name);
}

bool Bitmap::LoadFromMemory(std::string_view bytes, const std::string& name) {
    Reset();
    const BmpCheck check = CheckBmp(bytes.size(), bytes);
    if (!check.layout) {
        base::LogF("BMP %s not used: %s", name.c_str(), check.problem.c_str());
        return false;
    }
    return DrawCheckedBmp(std::string(bytes), *check.layout, name);
}

bool Bitmap::DrawCheckedBmp(const std::string& bytes, const BmpLayout& layout, const std::string& name) {
    Allocate(layout.width, layout.height);
    if (Empty()) {
        base::LogF("BMP file %s not used: no bitmap of %d x %d", name.c_str(), layout.width, layout.height);
        return false;
    }
    // True-colour pixels (every image of the default skin) are copied straight into the surface, and
    // run-length encoded ones decoded into it: the system draws a damaged stream as scrambled pixels.
    // Other kinds go through the system, with a memory DC and a conversion.
    if (CopyTrueColourPixels(bytes, layout, bits_)) {
        return true;
    }
    if (layout.compression == BI_RLE8 || layout.compression == BI_RLE4) {
        const RunLengthDecode decode = DecodeRunLengthPixels(bytes, layout, bits_);
        if (!decode.decoded) {
            base::LogF("BMP file %s not used: its run-length pixels could not be read", name.c_str());
            Reset();
            return false;
        }
        if (!decode.problem.empty()) {
            base::LogF("BMP file %s: run-length pixels %s; the rest is see-through", name.c_str(),
                       decode.problem.c_str());
        }
        return true;
    }
    // The headers and colour table, copied so that the system reads them aligned.
    std::vector<uint32_t> info((layout.infoBytes + 3) / 4);
    std::memcpy(info.data(), bytes.data() + 14, layout.infoBytes);
    const int rows =
        StretchDIBits(Dc(), 0, 0, width_, height_, 0, 0, width_, height_, bytes.data() + layout.pixelOffset,
                      reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    if (rows <= 0) {
        base::LogF("BMP file %s not used: the system could not draw it", name.c_str());
        Reset();
        return false;
    }
    return true;
}

COLORREF Bitmap::Pixel(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    GdiFlush();
    uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

COLORREF Bitmap::EffectiveTransparentColor() const {
    return transparentColor_ ? *transparentColor_ : Pixel(0, height_ - 1);
}

Bitmap Bitmap::ScaledWithAlpha(int width, int height) const {
    Bitmap scaled;
    if (Empty()) {
        return scaled;
    }
    GdiFlush();
    const size_t count = static_cast<size_t>(width_) * height_;
    PixelImage source;
    if (alpha_) {
        source = PixelImage{width_, height_, std::vector<uint32_t>(bits_, bits_ + count)};
    } else {
        const COLORREF key = EffectiveTransparentColor();
        const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
        source = PremultipliedFromKeyed(std::span<const uint32_t>(bits_, count), width_, height_, keyPixel);
    }
    const PixelImage image = ScaleImage(source, width, height);
    if (image.Empty()) {
        return scaled;
    }
    scaled.Allocate(image.width, image.height);
    if (scaled.Empty()) {
        return scaled;
    }
    std::copy(image.pixels.begin(), image.pixels.end(), scaled.bits_);
    scaled.alpha_ = true;
    scaled.transparentColor_ = transparentColor_;
    return scaled;
}

Bitmap Bitmap::FromPixels(const PixelImage& image, bool alpha) {
    Bitmap bitmap;
    if (image.Empty() || image.width > kMaxImageSide || image.height > kMaxImageSide ||
        image.pixels.size() < static_cast<size_t>(image.width) * image.height) {
        return bitmap;
    }
    bitmap.Allocate(image.width, image.height);
    if (bitmap.Empty()) {
        return bitmap;
    }
    std::copy_n(image.pixels.begin(), static_cast<size_t>(image.width) * image.height, bitmap.bits_);
    bitmap.alpha_ = alpha;
    return bitmap;
}

void Bitmap::Draw(HDC dc, int x, int y, bool transparent) const {
    if (Empty()) {
        return;
    }
    if (alpha_) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, x, y, width_, height_, Dc(), 0, 0, width_, height_, blend);
    } else if (transparent) {
        TransparentBlt(dc, x, y, width_, height_, Dc(), 0, 0, width_, height_, EffectiveTransparentColor());
    } else {
        BitBlt(dc, x, y, width_, height_, Dc(), 0, 0, SRCCOPY);
    }
}

void Bitmap::StretchDraw(HDC dc, const RECT& target, bool transparent) const {
    if (Empty()) {
        return;
    }
    const int w = target.right - target.left;
    const int h = target.bottom - target.top;
    if (alpha_) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, target.left, target.top, w, h, Dc(), 0, 0, width_, height_, blend);
    } else if (transparent) {
        TransparentBlt(dc, target.left, target.top, w, h, Dc(), 0, 0, width_, height_,
                       EffectiveTransparentColor());
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, target.left, target.top, w, h, Dc(), 0, 0, width_, height_, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

}  // namespace tk
