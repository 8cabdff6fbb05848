// The dialogs' BITMAP resources (dialogs/Dialogs.rc), the colour their button faces leave out when
// drawn, and the images that work as push buttons.
#pragma once

#include <windows.h>

#include <utility>

#include "toolkit/ImageButton.h"
#include "toolkit/ResourceBitmap.h"

namespace dialogs {

inline constexpr const wchar_t* kSettingsBackground = L"VELMORA_DLG_SETTINGS_BACKGROUND";
inline constexpr const wchar_t* kButtonOk = L"VELMORA_DLG_BUTTON_OK";
inline constexpr const wchar_t* kButtonCancel = L"VELMORA_DLG_BUTTON_CANCEL";
inline constexpr const wchar_t* kCloseCross = L"VELMORA_DLG_CLOSE_CROSS";
inline constexpr const wchar_t* kFirstRunBackground = L"VELMORA_DLG_FIRSTRUN_BACKGROUND";

inline constexpr COLORREF kBitmapTransparentColor = RGB(255, 0, 255);

// An image that works as a push button: a bitmap face with see-through corners and a hand cursor,
// reached by Tab and pressed by Space or Enter. The owner sets its click event.
inline void MakeImageButton(tk::ImageButton& image, const wchar_t* resource, int left, int top, int width,
                            int height) {
    image.SetBounds(left, top, width, height);
    tk::Bitmap face = tk::LoadResourceBitmap(resource);
    face.SetTransparentColor(kBitmapTransparentColor);
    image.SetPicture(std::move(face));
    image.SetTransparent(true);
    image.SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace dialogs
