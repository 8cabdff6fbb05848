#!/usr/bin/python3
"""Draws the bitmaps of the settings and first-run dialogs deterministically.

The look is the light-blue theme of the skinned main window: a light-blue caption band, a blue frame,
a dark-blue accent for headings and button texts, and light panels. Chinese texts are drawn with the
WenQuanYi Micro Hei font (Debian package fonts-wqy-microhei); drawing needs python3-pil.

Re-make the committed files with (Debian's python3, which has python3-pil):
    /usr/bin/python3 dialogs/tools/make_dialog_bitmaps.py
The bitmaps go to dialogs/bitmaps/ and are embedded by dialogs/Dialogs.rc.
"""
import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "bitmaps")
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# The theme's palette.
BAND_TOP = (222, 233, 250)
BAND_BOTTOM = (190, 210, 240)
FRAME = (97, 120, 178)
ACCENT = (38, 68, 144)
PANEL = (240, 245, 250)          # the settings dialog's panels (Panel1, Panel2) are this colour
BODY = (226, 234, 247)           # the settings dialog around its groups
GROUP_LINE = (150, 171, 218)
HEADER_TOP = (232, 240, 252)
HEADER_BOTTOM = (212, 225, 246)
CHECK_AREA = (228, 235, 250)     # behind the first-run dialog's two shortcut boxes
REMIND_AREA = (221, 230, 248)    # behind its "don't remind" box
KEY = (255, 0, 255)              # left out when drawn (the images' transparent colour)
WHITE = (255, 255, 255)


def font(size):
    return ImageFont.truetype(FONT_PATH, size)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def vertical_gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    span = max(1, y1 - y0)
    for y in range(y0, y1 + 1):
        draw.line([(x0, y), (x1, y)], fill=mix(top, bottom, (y - y0) / span))


def text_centered(draw, box, text, size, fill, bold=False):
    f = font(size)
    x0, y0, x1, y1 = box
    left, top, right, bottom = draw.textbbox((0, 0), text, font=f)
    x = x0 + (x1 - x0 - (right - left)) / 2 - left
    y = y0 + (y1 - y0 - (bottom - top)) / 2 - top
    draw.text((round(x), round(y)), text, font=f, fill=fill, stroke_width=1 if bold else 0,
              stroke_fill=fill if bold else None)


def text_at(draw, xy, text, size, fill, bold=False, box_height=None):
    """Text with its left edge at x, vertically centred in [y, y + box_height) when given."""
    f = font(size)
    left, top, right, bottom = draw.textbbox((0, 0), text, font=f)
    x, y = xy
    if box_height is not None:
        y = y + (box_height - (bottom - top)) / 2 - top
    draw.text((round(x - left), round(y)), text, font=f, fill=fill, stroke_width=1 if bold else 0,
              stroke_fill=fill if bold else None)


def key_corners(img, radius):
    """Marks the pixels outside a rounded rectangle of the whole image with the transparent colour
    (hard-edged, so that no blended pixel is left out or kept by mistake)."""
    w, h = img.size
    px = img.load()
    for y in range(h):
        for x in range(w):
            cx = min(max(x + 0.5, radius), w - radius)
            cy = min(max(y + 0.5, radius), h - radius)
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > radius ** 2:
                px[x, y] = KEY


def group(draw, top, bottom, heading):
    """A framed group from x 12 to 410 with a header strip of 23 rows carrying the heading."""
    left, right = 12, 410
    draw.rounded_rectangle([left, top, right, bottom], radius=5, fill=PANEL, outline=GROUP_LINE)
    header = [left + 1, top + 1, right - 1, top + 22]
    vertical_gradient(draw, header, HEADER_TOP, HEADER_BOTTOM)
    # Redraw the rounded top of the frame over the gradient's square corners.
    draw.rounded_rectangle([left, top, right, bottom], radius=5, outline=GROUP_LINE)
    draw.line([(left + 1, top + 22), (right - 1, top + 22)], fill=GROUP_LINE)
    draw.rectangle([left + 8, top + 6, left + 10, top + 17], fill=ACCENT)
    text_at(draw, (left + 17, top + 1), heading, 13, ACCENT, box_height=22)


def settings_background():
    """423 x 456; the window shows its top 452 rows."""
    w, h = 423, 456
    shown_bottom = 451
    img = Image.new("RGB", (w, h), BODY)
    d = ImageDraw.Draw(img)
    # Caption band: the drag strip (rows 0 to 28) and the title tab.
    vertical_gradient(d, [0, 0, w - 1, 29], BAND_TOP, BAND_BOTTOM)
    d.line([(0, 29), (w - 1, 29)], fill=FRAME)
    tab = [8, 5, 104, 29]
    d.rounded_rectangle(tab, radius=5, fill=BODY, outline=FRAME)
    d.rectangle([tab[0] + 1, 25, tab[2] - 1, 29], fill=BODY)  # the tab opens into the body
    d.line([(tab[0] + 4, tab[1] + 1), (tab[2] - 4, tab[1] + 1)], fill=ACCENT)
    d.line([(tab[0] + 3, tab[1] + 2), (tab[2] - 3, tab[1] + 2)], fill=mix(ACCENT, BODY, 0.5))
    text_centered(d, [tab[0], tab[1] + 3, tab[2], 29], "参数设置", 14, ACCENT)
    # The three groups: start-up (Panel1 at 61..148), closing (Panel2 at 190..274), hot key.
    group(d, 38, 154, "启动选项")
    group(d, 167, 282, "关闭选项")
    group(d, 296, 396, "热键设置")
    # A quiet rule above the buttons.
    d.line([(12, 406), (410, 406)], fill=mix(GROUP_LINE, BODY, 0.4))
    # Outer frame along the shown edges; the rows below the shown area repeat the body.
    d.rounded_rectangle([0, 0, w - 1, shown_bottom], radius=5, outline=FRAME)
    return img


def button_face(text, w=79, h=22):
    img = Image.new("RGB", (w, h), KEY)
    d = ImageDraw.Draw(img)
    vertical_gradient(d, [0, 0, w - 1, h - 1], (252, 253, 255), (208, 222, 245))
    d.line([(2, 1), (w - 3, 1)], fill=WHITE)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=4, outline=FRAME)
    text_centered(d, [0, 0, w, h - 1], text, 13, ACCENT)
    key_corners(img, 4)
    return img


def close_cross(size=18):
    img = Image.new("RGB", (size, size), KEY)
    d = ImageDraw.Draw(img)
    vertical_gradient(d, [0, 0, size - 1, size - 1], (250, 252, 255), (206, 220, 244))
    d.rounded_rectangle([0, 0, size - 1, size - 1], radius=3, outline=FRAME)
    # The cross, drawn at four times the size and reduced, for clean diagonals.
    big = Image.new("L", (size * 4, size * 4), 0)
    bd = ImageDraw.Draw(big)
    a, b = 5.5 * 4, (size - 5.5) * 4
    bd.line([(a, a), (b, b)], fill=255, width=8)
    bd.line([(a, b), (b, a)], fill=255, width=8)
    mask = big.resize((size, size), Image.LANCZOS)
    img.paste(Image.new("RGB", (size, size), ACCENT), (0, 0), mask)
    key_corners(img, 3)
    return img


def first_run_background():
    """300 x 150, stretched to the 354 x 211 window: caption band, the shortcut area and the
    reminder strip (rows 110 on, where the window's row 155 and below land)."""
    w, h = 300, 150
    img = Image.new("RGB", (w, h), CHECK_AREA)
    d = ImageDraw.Draw(img)
    vertical_gradient(d, [0, 0, w - 1, 23], BAND_TOP, BAND_BOTTOM)
    d.line([(0, 24), (w - 1, 24)], fill=mix(FRAME, BAND_BOTTOM, 0.35))
    d.rectangle([0, 110, w - 1, h - 1], fill=REMIND_AREA)
    d.line([(0, 110), (w - 1, 110)], fill=mix(GROUP_LINE, REMIND_AREA, 0.3))
    d.rectangle([0, 0, w - 1, h - 1], outline=FRAME)
    return img


def save(img, name):
    os.makedirs(OUT, exist_ok=True)
    img.save(os.path.join(OUT, name), format="BMP")


def main():
    save(settings_background(), "SettingsBackground.bmp")
    save(button_face("确 定"), "ButtonOk.bmp")
    save(button_face("取 消"), "ButtonCancel.bmp")
    save(close_cross(), "CloseCross.bmp")
    save(first_run_background(), "FirstRunBackground.bmp")


if __name__ == "__main__":
    main()
