#include "support/Pixels.h"

#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "support/TestFiles.h"

namespace testsupport {

Surface::Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!bitmap_ || !bits || !dc_) {
        throw std::runtime_error("cannot create a drawing surface");
    }
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    Fill(fill);
}

Surface Surface::FromScreen(const RECT& area) {
    Surface shot(area.right - area.left, area.bottom - area.top);
    tk::WindowDc screen(nullptr);
    BitBlt(shot.Dc(), 0, 0, shot.width_, shot.height_, screen.Get(), area.left, area.top, SRCCOPY);
    return shot;
}

Surface::~Surface() {
    if (dc_) {
        SelectObject(dc_.Get(), previous_);
    }
}

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      bits_(std::exchange(other.bits_, nullptr)),
      bitmap_(std::move(other.bitmap_)),
      dc_(std::move(other.dc_)),
      previous_(std::exchange(other.previous_, nullptr)) {}

void Surface::Fill(COLORREF colour) {
    tk::UniqueBrush brush(CreateSolidBrush(colour));
    RECT all{0, 0, width_, height_};
    FillRect(dc_.Get(), &all, brush.Get());
}

COLORREF Surface::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return CLR_INVALID;
    }
    GdiFlush();
    const uint32_t p = bits_[static_cast<size_t>(y) * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Surface::Count(COLORREF colour) const {
    return height_ * width_ - CountOtherThan(colour, RECT{0, 0, width_, height_});
}

int Surface::CountNear(COLORREF colour, int tolerance) const {
    int n = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const COLORREF c = At(x, y);
            n += std::abs(GetRValue(c) - GetRValue(colour)) <= tolerance &&
                         std::abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
                         std::abs(GetBValue(c) - GetBValue(colour)) <= tolerance
                     ? 1
                     : 0;
        }
    }
    return n;
}

int Surface::CountOtherThan(COLORREF colour, const RECT& area) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            n += At(x, y) != colour ? 1 : 0;
        }
    }
    return n;
}

void WriteBmp(const std::string& path, int width, int height, const std::vector<COLORREF>& topDownPixels) {
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<size_t>(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = topDownPixels[static_cast<size_t>(y) * width + x];
            char* p = &pixels[static_cast<size_t>(height - 1 - y) * stride + x * 3];
            p[0] = static_cast<char>(GetBValue(colour));
            p[1] = static_cast<char>(GetGValue(colour));
            p[2] = static_cast<char>(GetRValue(colour));
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string content(reinterpret_cast<const char*>(&file), sizeof(file));
    content.append(reinterpret_cast<const char*>(&info), sizeof(info));
    content += pixels;
    WriteFileBytes(path, content);
}

void WriteBmp(const std::string& path, int width, int height, COLORREF colour) {
    WriteBmp(path, width, height,
             std::vector<COLORREF>(static_cast<size_t>(width > 0 ? width : 0) * (height > 0 ? height : 0),
                                   colour));
}

}  // namespace testsupport
