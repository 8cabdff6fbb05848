#include "toolkit/Font.h"

#include <utility>

namespace tk {

Font::Font(std::wstring face, int points, bool bold, COLORREF color)
    : face_(std::move(face)), points_(points), bold_(bold), color_(color) {}

void Font::SetFace(const std::wstring& face) {
    face_ = face;
    Changed();
}

void Font::SetPoints(int points) {
    points_ = points;
    Changed();
}

void Font::SetBold(bool bold) {
    bold_ = bold;
    Changed();
}

void Font::SetUnderline(bool underline) {
    underline_ = underline;
    Changed();
}

void Font::SetDpi(int dpi) {
    if (dpi_ != dpi) {
        dpi_ = dpi;
        Changed();
    }
}

HFONT Font::Handle() const {
    if (!handle_) {
        int dpi = dpi_;
        if (dpi <= 0) {
            WindowDc screen(nullptr);
            dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        }
        LOGFONTW lf{};
        lf.lfHeight = -MulDiv(points_, dpi, 72);
        lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = underline_ ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, face_.c_str(), LF_FACESIZE);
        handle_.Reset(CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}

}  // namespace tk
