#include "base/Text.h"
#include "dialogs/BorderlessDialog.h"
#include "dialogs/DialogResources.h"
#include "toolkit/GdiHandles.h"

namespace dialogs {
namespace {

void Fill(HDC dc, const PixelRect& r, HBRUSH brush) {
    const RECT area{r.left, r.top, r.left + r.width, r.top + r.height};
    FillRect(dc, &area, brush);
}

// A rectangle's outline, thickness pixels wide inside it; one no taller than that is a filled rule.
void Outline(HDC dc, const PixelRect& r, int thickness, HBRUSH brush) {
    if (r.height <= 2 * thickness || r.width <= 2 * thickness) {
        Fill(dc, r, brush);
        return;
    }
    Fill(dc, {r.left, r.top, r.width, thickness}, brush);
    Fill(dc, {r.left, r.top + r.height - thickness, r.width, thickness}, brush);
    Fill(dc, {r.left, r.top, thickness, r.height}, brush);
    Fill(dc, {r.left + r.width - thickness, r.top, thickness, r.height}, brush);
}

void DrawCross(HDC dc, const PixelRect& size, const tk::DpiScale& scale, COLORREF ink) {
    const LOGBRUSH brush{BS_SOLID, ink, 0};
    tk::UniquePen pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT,
                                   static_cast<DWORD>(scale.ToPixels(2)), &brush, 0, nullptr));
    tk::SelectGuard select(dc, pen.Get());
    const int inset = scale.ToPixels(5);
    const int farX = size.width - inset;
    const int farY = size.height - inset;
    MoveToEx(dc, inset, inset, nullptr);
    LineTo(dc, farX, farY);
    MoveToEx(dc, farX, inset, nullptr);
    LineTo(dc, inset, farY);
}

}  // namespace

tk::Bitmap HighContrastDialogPicture(const DialogPicture& picture, int dpi, bool active) {
    const tk::DpiScale scale(dpi);
    const PixelRect size = Scaled(picture.size, scale);
    tk::Bitmap image(size.width, size.height);
    HDC dc = image.Dc();
    if (!dc || !picture.look) {
        return image;
    }
    const PictureLook& look = *picture.look;
    const int captionColour = active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
    const COLORREF captionText = GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    image.Clear(GetSysColor(COLOR_BTNFACE));
    const int band = scale.ToPixels(look.captionRows);
    Fill(dc, {0, 0, size.width, band}, GetSysColorBrush(captionColour));
    const int thickness = scale.ToPixels(1);
    for (const DesignRect& outline : look.outlines) {
        Outline(dc, Scaled(outline, scale), thickness, GetSysColorBrush(COLOR_BTNTEXT));
    }
    if (look.edge.width > 0 && look.edge.height > 0) {
        Outline(dc, Scaled(look.edge, scale), thickness, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    if (look.cross) {
        DrawCross(dc, size, scale, captionText);
    }

    tk::Font font;
    UseDialogFont(font);
    font.SetBold(true);
    font.SetDpi(dpi);
    tk::SelectGuard selectFont(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    for (const PictureText& text : look.texts) {
        const PixelRect at = Scaled(text.box, scale);
        RECT box{at.left, at.top, at.left + at.width, at.top + at.height};
        SetTextColor(dc, text.box.top + text.box.height <= look.captionRows ? captionText
                                                                            : GetSysColor(COLOR_BTNTEXT));
        const std::wstring wide = base::Utf8ToWide(text.utf8);
        DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &box,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (text.centred ? DT_CENTER : DT_LEFT));
    }
    GdiFlush();
    // Nothing of it is see-through; the key is set so that no drawn colour is taken for it.
    image.SetTransparentColor(kPictureKeyColour);
    return image;
}

}  // namespace dialogs
