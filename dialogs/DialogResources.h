// Names of the dialogs' BITMAP resources (dialogs/Dialogs.rc) and the colour their button faces
// leave out when drawn.
#pragma once

#include <windows.h>

namespace dialogs {

inline constexpr const wchar_t* kSettingsBackground = L"VELMORA_DLG_SETTINGS_BACKGROUND";
inline constexpr const wchar_t* kButtonOk = L"VELMORA_DLG_BUTTON_OK";
inline constexpr const wchar_t* kButtonCancel = L"VELMORA_DLG_BUTTON_CANCEL";
inline constexpr const wchar_t* kCloseCross = L"VELMORA_DLG_CLOSE_CROSS";
inline constexpr const wchar_t* kFirstRunBackground = L"VELMORA_DLG_FIRSTRUN_BACKGROUND";

inline constexpr COLORREF kBitmapTransparentColor = RGB(255, 0, 255);

}  // namespace dialogs
