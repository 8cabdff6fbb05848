#include "toolkit/Image.h"

namespace tk {

void Image::SetPicture(Bitmap picture) {
    picture_ = std::move(picture);
    icon_.Reset();
    PictureChanged();
}

void Image::PictureChanged() {
    if (autoSize_ && !icon_ && !picture_.Empty()) {
        PlaceBounds(Left(), Top(), picture_.Width(), picture_.Height());
        RecordAnchorOrigin();
    }
    Invalidate();
}

HDC Image::Canvas() {
    if (picture_.Width() != Width() || picture_.Height() != Height()) {
        auto transparent = picture_.TransparentColor();
        picture_.SetSize(Width(), Height());
        if (transparent) {
            picture_.SetTransparentColor(*transparent);
        }
    } else {
        picture_.Clear();
    }
    icon_.Reset();
    return picture_.Dc();
}

void Image::SetIcon(UniqueIcon icon) {
    icon_ = std::move(icon);
    Invalidate();
}

void Image::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void Image::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void Image::SetAutoSize(bool on) {
    autoSize_ = on;
    PictureChanged();
}

void Image::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void Image::Paint(HDC dc) {
    if (icon_) {
        if (stretch_) {
            DrawIconEx(dc, 0, 0, icon_.Get(), Width(), Height(), 0, nullptr, DI_NORMAL);
        } else {
            int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
            const IconInfo info(icon_.Get());
            BITMAP bm{};
            if (info && info.Get().hbmColor && GetObjectW(info.Get().hbmColor, sizeof(bm), &bm)) {
                w = bm.bmWidth;
                h = bm.bmHeight;
            }
            const int x = center_ ? (Width() - w) / 2 : 0;
            const int y = center_ ? (Height() - h) / 2 : 0;
            DrawIconEx(dc, x, y, icon_.Get(), w, h, 0, nullptr, DI_NORMAL);
        }
        return;
    }
    if (picture_.Empty()) {
        return;
    }
    if (stretch_) {
        picture_.StretchDraw(dc, RECT{0, 0, Width(), Height()}, transparent_);
    } else if (center_) {
        picture_.Draw(dc, (Width() - picture_.Width()) / 2, (Height() - picture_.Height()) / 2, transparent_);
    } else {
        picture_.Draw(dc, 0, 0, transparent_);
    }
}

}  // namespace tk
