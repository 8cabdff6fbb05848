#include "toolkit/ResourceBitmap.h"

#include <string_view>

#include "base/Text.h"

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

Bitmap LoadResourceBmpFile(const wchar_t* name) {
    Bitmap bitmap;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, RT_RCDATA);
    HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (bytes) {
        bitmap.LoadFromMemory(
            std::string_view(static_cast<const char*>(bytes), SizeofResource(module, resource)),
            "resource " + base::WideToUtf8(name));
    }
    return bitmap;
}

}  // namespace tk
