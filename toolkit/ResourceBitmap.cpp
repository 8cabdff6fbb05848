#include "toolkit/ResourceBitmap.h"

namespace tk {

Bitmap LoadResourceBitmap(const wchar_t* name) {
    Bitmap bitmap;
    UniqueBitmap loaded(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (!loaded || !GetObjectW(loaded.Get(), sizeof(info), &info) || info.bmWidth <= 0 ||
        info.bmHeight == 0) {
        return bitmap;
    }
    bitmap.SetSize(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight);
    if (bitmap.Empty()) {
        return bitmap;
    }
    UniqueMemoryDc source(CreateCompatibleDC(nullptr));
    SelectGuard select(source.Get(), loaded.Get());
    BitBlt(bitmap.Dc(), 0, 0, bitmap.Width(), bitmap.Height(), source.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    return bitmap;
}

}  // namespace tk
