// The dialogs' pictures: resources of PNG files (dialogs/Dialogs.rc), each drawn at every
// scale of kDrawnPercents, and the colour their button faces leave out when drawn.
#pragma once

#include <cstdint>
#include <span>

#include "dialogs/DialogScale.h"
#include "toolkit/Bitmap.h"

namespace dialogs {

// A text drawn into a picture: its box (design pixels in the picture) and whether it is centred in
// it (otherwise it starts at the box's left); vertically it is centred.
struct PictureText {
    DesignRect box;
    const char* utf8;
    bool centred;
};

// What a picture shows, for drawing it anew in the system's colours when high contrast is on (the
// drawn colours would then be lost on the user): a caption band along its top, outlines, its texts
// (in the caption-text colour when they lie on the band) and the close cross's glyph.
struct PictureLook {
    DesignRect edge;                       // outlined in the window-frame colour (empty: none)
    int captionRows;                       // the caption band's rows from the top (0: none)
    std::span<const DesignRect> outlines;  // in the text colour; one row high is a rule
    std::span<const PictureText> texts;
    bool cross;
};

// A picture of the dialogs: its resource name without the scale, its design size (pixels at 96 DPI),
// whether its pixels of kPictureKeyColour are see-through (the corners of a button face) and what it
// shows.
struct DialogPicture {
    const wchar_t* name;
    DesignRect size;  // left and top unused
    bool keyed;
    const PictureLook* look;
};

namespace looks {
// The settings dialog: a caption band over three framed groups with a heading strip each, and a
// rule above the buttons; the window shows the top 452 of the picture's 456 rows.
inline constexpr DesignRect kSettingsOutlines[] = {
    {12, 38, 399, 117},  {12, 60, 399, 1},  {12, 167, 399, 116}, {12, 189, 399, 1},
    {12, 296, 399, 101}, {12, 318, 399, 1}, {12, 406, 399, 1}};
inline constexpr PictureText kSettingsTexts[] = {{{8, 5, 97, 24}, "参数设置", true},
                                                 {{29, 39, 200, 22}, "启动选项", false},
                                                 {{29, 168, 200, 22}, "关闭选项", false},
                                                 {{29, 297, 200, 22}, "热键设置", false}};
inline constexpr PictureLook kSettings{{0, 0, 423, 452}, 30, kSettingsOutlines, kSettingsTexts, false};
// The first-run dialog: a caption band (its text is a label) and the reminder strip's rule.
inline constexpr DesignRect kFirstRunOutlines[] = {{0, 155, 354, 1}};
inline constexpr PictureLook kFirstRun{{0, 0, 354, 211}, 33, kFirstRunOutlines, {}, false};
// The push buttons' faces, and the close cross, which sits on the caption band.
inline constexpr DesignRect kButtonOutlines[] = {{0, 0, 79, 22}};
inline constexpr PictureText kOkTexts[] = {{{0, 0, 79, 22}, "确 定", true}};
inline constexpr PictureText kCancelTexts[] = {{{0, 0, 79, 22}, "取 消", true}};
inline constexpr PictureLook kOk{{}, 0, kButtonOutlines, kOkTexts, false};
inline constexpr PictureLook kCancel{{}, 0, kButtonOutlines, kCancelTexts, false};
inline constexpr PictureLook kCross{{}, 18, {}, {}, true};
}  // namespace looks

inline constexpr DialogPicture kSettingsBackground{
    L"VELMORA_DLG_SETTINGS_BACKGROUND", {0, 0, 423, 456}, false, &looks::kSettings};
inline constexpr DialogPicture kButtonOk{L"VELMORA_DLG_BUTTON_OK", {0, 0, 79, 22}, true, &looks::kOk};
inline constexpr DialogPicture kButtonCancel{
    L"VELMORA_DLG_BUTTON_CANCEL", {0, 0, 79, 22}, true, &looks::kCancel};
inline constexpr DialogPicture kCloseCross{L"VELMORA_DLG_CLOSE_CROSS", {0, 0, 18, 18}, true, &looks::kCross};
inline constexpr DialogPicture kFirstRunBackground{
    L"VELMORA_DLG_FIRSTRUN_BACKGROUND", {0, 0, 354, 211}, false, &looks::kFirstRun};

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

// The picture for a window at dpi, at its design size there, drawn from its look in the system's
// colours: the button face's, the caption's (active or not, as the window is) and the window
// frame's, with the texts in the dialogs' font (bold). Nothing of it is see-through.
tk::Bitmap HighContrastDialogPicture(const DialogPicture& picture, int dpi, bool active);

}  // namespace dialogs
