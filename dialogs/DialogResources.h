// The dialogs' pictures: resources of PNG files (dialogs/Dialogs.rc), each drawn at every
// scale of kDrawnPercents, and the colour their button faces leave out when drawn.
#pragma once

#include <cstdint>

#include "dialogs/DialogScale.h"
#include "toolkit/Bitmap.h"

namespace dialogs {

// A picture of the dialogs: its resource name without the scale, its design size (pixels at 96 DPI)
// and whether its pixels of kPictureKeyColour are see-through (the corners of a button face).
struct DialogPicture {
    const wchar_t* name;
    DesignRect size;  // left and top unused
    bool keyed;
};

inline constexpr DialogPicture kSettingsBackground{
    L"VELMORA_DLG_SETTINGS_BACKGROUND", {0, 0, 423, 456}, false};
inline constexpr DialogPicture kButtonOk{L"VELMORA_DLG_BUTTON_OK", {0, 0, 79, 22}, true};
inline constexpr DialogPicture kButtonCancel{L"VELMORA_DLG_BUTTON_CANCEL", {0, 0, 79, 22}, true};
inline constexpr DialogPicture kCloseCross{L"VELMORA_DLG_CLOSE_CROSS", {0, 0, 18, 18}, true};
inline constexpr DialogPicture kFirstRunBackground{
    L"VELMORA_DLG_FIRSTRUN_BACKGROUND", {0, 0, 354, 211}, false};

// The resource type of the pictures. Not RCDATA: GNU windres orders a type's resource names by their
// lower-case form while the system's loader searches them by the upper-case form, so names where
// "_" meets a letter (the skin's TopLeft_1 and TopLeftActivate) are found or missed depending on
// which other names share the type. The pictures keep to a type of their own so as not to change
// that search for the skin's images.
inline constexpr const wchar_t* kPictureResourceType = L"PNG";

// Magenta (0x00RRGGBB): the see-through colour of keyed pictures.
inline constexpr uint32_t kPictureKeyColour = 0xFF00FF;

// The picture for a window at dpi, at its design size there: drawn at the scale that
// DrawnPercentsByPreference puts first and scaled smoothly when that size is not the one wanted; a
// keyed picture holds premultiplied alpha, see-through where the key colour was. A resource that is
// missing or damaged is logged and the next scale is tried. When none can be read the bitmap is
// empty: nothing is drawn there (the dialog's colour shows), and a button on it still works.
tk::Bitmap LoadDialogPicture(const DialogPicture& picture, int dpi);

}  // namespace dialogs
