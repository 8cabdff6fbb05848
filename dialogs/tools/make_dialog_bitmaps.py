#!/usr/bin/python3
"""Draws the pictures of the settings and first-run dialogs deterministically, at every scale the
program carries (100, 150 and 200 %).

The look is the light-blue theme of the skinned main window: a light-blue caption band, a blue frame,
a dark-blue accent for headings and button texts, and light panels. Chinese texts are drawn with the
WenQuanYi Micro Hei font (Debian package fonts-wqy-microhei); drawing needs python3-pil (Debian's
python3 has it). The PNG files are written by this script itself (zlib and struct of the standard
library), so that the same drawing always gives the same bytes.

Every picture is designed at 100 % (96 DPI) and drawn anew at each scale: a design coordinate or size
v becomes floor(v * percent / 100 + 1/2) pixels, the rounding the program's tk::DpiScale applies to
its controls, so the pictures fit the controls placed over them at that scale.

Re-make the committed files with:
    /usr/bin/python3 dialogs/tools/make_dialog_bitmaps.py
The pictures go to dialogs/bitmaps/ as <Name><percent>.png and are embedded by dialogs/Dialogs.rc as
resources of type PNG named VELMORA_DLG_<NAME>_<percent>.
"""
import os
import struct
import zlib

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "bitmaps")
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
PERCENTS = (100, 150, 200)

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


class Scale:
    """Design units (pixels at 100 %) to pixels at one scale."""

    def __init__(self, percent):
        self.percent = percent

    def px(self, v):
        """A design coordinate or size in pixels, rounded half up as tk::DpiScale rounds."""
        return (v * self.percent + 50) // 100

    def f(self, v):
        """A design length as an exact (fractional) length at this scale."""
        return v * self.percent / 100

    def box(self, x0, y0, x1, y1):
        """A box of design pixels x0..x1, y0..y1 (inclusive) as the pixels it covers here."""
        return [self.px(x0), self.px(y0), self.px(x1 + 1) - 1, self.px(y1 + 1) - 1]

    def line(self):
        return max(1, self.px(1))


def font(size):
    return ImageFont.truetype(FONT_PATH, size)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def vertical_gradient(draw, box, top, bottom):
    x0, y0, x1, y1 = box
    span = max(1, y1 - y0)
    for y in range(y0, y1 + 1):
        draw.line([(x0, y), (x1, y)], fill=mix(top, bottom, (y - y0) / span))


def text_centered(draw, box, text, size, fill):
    f = font(size)
    x0, y0, x1, y1 = box
    left, top, right, bottom = draw.textbbox((0, 0), text, font=f)
    x = x0 + (x1 - x0 - (right - left)) / 2 - left
    y = y0 + (y1 - y0 - (bottom - top)) / 2 - top
    draw.text((round(x), round(y)), text, font=f, fill=fill)


def text_at(draw, xy, text, size, fill, box_height):
    """Text with its left edge at x, vertically centred in [y, y + box_height)."""
    f = font(size)
    left, top, right, bottom = draw.textbbox((0, 0), text, font=f)
    x, y = xy
    y = y + (box_height - (bottom - top)) / 2 - top
    draw.text((round(x - left), round(y)), text, font=f, fill=fill)


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


def group(draw, s, top, bottom, heading):
    """A framed group from x 12 to 410 with a header strip of 23 rows carrying the heading."""
    left, right = 12, 410
    line = s.line()
    frame = s.box(left, top, right, bottom)
    draw.rounded_rectangle(frame, radius=s.px(5), fill=PANEL, outline=GROUP_LINE, width=line)
    vertical_gradient(draw, s.box(left + 1, top + 1, right - 1, top + 22), HEADER_TOP, HEADER_BOTTOM)
    # Redraw the rounded top of the frame over the gradient's square corners.
    draw.rounded_rectangle(frame, radius=s.px(5), outline=GROUP_LINE, width=line)
    draw.rectangle(s.box(left + 1, top + 22, right - 1, top + 22), fill=GROUP_LINE)
    draw.rectangle(s.box(left + 8, top + 6, left + 10, top + 17), fill=ACCENT)
    text_at(draw, (s.px(left + 17), s.px(top + 1)), heading, s.px(13), ACCENT, box_height=s.px(22))


def settings_background(s):
    """423 x 456 design pixels; the window shows its top 452 rows."""
    w, h = s.px(423), s.px(456)
    img = Image.new("RGB", (w, h), BODY)
    d = ImageDraw.Draw(img)
    line = s.line()
    # Caption band: the drag strip (rows 0 to 28) and the title tab.
    vertical_gradient(d, s.box(0, 0, 422, 29), BAND_TOP, BAND_BOTTOM)
    d.rectangle(s.box(0, 29, 422, 29), fill=FRAME)
    tab = s.box(8, 5, 104, 29)
    d.rounded_rectangle(tab, radius=s.px(5), fill=BODY, outline=FRAME, width=line)
    # The tab opens into the body.
    d.rectangle([tab[0] + line, s.px(25), tab[2] - line, s.px(30) - 1], fill=BODY)
    d.rectangle(s.box(12, 6, 100, 6), fill=ACCENT)
    d.rectangle(s.box(11, 7, 101, 7), fill=mix(ACCENT, BODY, 0.5))
    text_centered(d, [tab[0], s.px(8), tab[2], s.px(29)], "参数设置", s.px(14), ACCENT)
    # The three groups: start-up (Panel1 at 61..148), closing (Panel2 at 190..274), hot key.
    group(d, s, 38, 154, "启动选项")
    group(d, s, 167, 282, "关闭选项")
    group(d, s, 296, 396, "热键设置")
    # A quiet rule above the buttons.
    d.rectangle(s.box(12, 406, 410, 406), fill=mix(GROUP_LINE, BODY, 0.4))
    # Outer frame along the shown edges (rows 0 to 451); the rows below repeat the body.
    d.rounded_rectangle(s.box(0, 0, 422, 451), radius=s.px(5), outline=FRAME, width=line)
    return img


def button_face(s, text, w=79, h=22):
    w, h = s.px(w), s.px(h)
    img = Image.new("RGB", (w, h), KEY)
    d = ImageDraw.Draw(img)
    line = s.line()
    vertical_gradient(d, [0, 0, w - 1, h - 1], (252, 253, 255), (208, 222, 245))
    d.rectangle([s.px(2), line, w - 1 - s.px(2), 2 * line - 1], fill=WHITE)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=s.px(4), outline=FRAME, width=line)
    text_centered(d, [0, 0, w, h - line], text, s.px(13), ACCENT)
    key_corners(img, s.f(4))
    return img


def close_cross(s, design_size=18):
    size = s.px(design_size)
    img = Image.new("RGB", (size, size), KEY)
    d = ImageDraw.Draw(img)
    vertical_gradient(d, [0, 0, size - 1, size - 1], (250, 252, 255), (206, 220, 244))
    d.rounded_rectangle([0, 0, size - 1, size - 1], radius=s.px(3), outline=FRAME, width=s.line())
    # The cross, drawn at four times the size and reduced, for clean diagonals.
    big = Image.new("L", (size * 4, size * 4), 0)
    bd = ImageDraw.Draw(big)
    a, b = s.f(5.5) * 4, (size - s.f(5.5)) * 4
    width = round(s.f(8))
    bd.line([(a, a), (b, b)], fill=255, width=width)
    bd.line([(a, b), (b, a)], fill=255, width=width)
    mask = big.resize((size, size), Image.LANCZOS)
    img.paste(Image.new("RGB", (size, size), ACCENT), (0, 0), mask)
    key_corners(img, s.f(3))
    return img


def first_run_background(s):
    """354 x 211 design pixels, the window's client area: caption band (rows 0 to 33), the shortcut
    area and the reminder strip (rows 155 on)."""
    w, h = s.px(354), s.px(211)
    img = Image.new("RGB", (w, h), CHECK_AREA)
    d = ImageDraw.Draw(img)
    vertical_gradient(d, s.box(0, 0, 353, 32), BAND_TOP, BAND_BOTTOM)
    d.rectangle(s.box(0, 33, 353, 33), fill=mix(FRAME, BAND_BOTTOM, 0.35))
    d.rectangle(s.box(0, 155, 353, 210), fill=REMIND_AREA)
    d.rectangle(s.box(0, 155, 353, 155), fill=mix(GROUP_LINE, REMIND_AREA, 0.3))
    d.rectangle([0, 0, w - 1, h - 1], outline=FRAME, width=s.line())
    return img


def png_bytes(img):
    """The image as a PNG file: 8-bit RGB, each row with the filter that compresses it best by the
    usual measure (the smallest sum of the filtered bytes taken as signed), no other chunks."""
    w, h = img.size
    raw = img.tobytes()
    stride = w * 3
    out = bytearray()
    previous = bytes(stride)
    for y in range(h):
        row = raw[y * stride:(y + 1) * stride]
        candidates = [bytes([0]) + row]
        sub = bytearray(stride)
        up = bytearray(stride)
        avg = bytearray(stride)
        paeth = bytearray(stride)
        for i in range(stride):
            a = row[i - 3] if i >= 3 else 0
            b = previous[i]
            c = previous[i - 3] if i >= 3 else 0
            x = row[i]
            sub[i] = (x - a) & 0xFF
            up[i] = (x - b) & 0xFF
            avg[i] = (x - ((a + b) >> 1)) & 0xFF
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            predictor = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            paeth[i] = (x - predictor) & 0xFF
        for kind, data in ((1, sub), (2, up), (3, avg), (4, paeth)):
            candidates.append(bytes([kind]) + bytes(data))
        out += min(candidates, key=lambda line: sum(v if v < 128 else 256 - v for v in line[1:]))
        previous = row

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(out), 9)) +
            chunk(b"IEND", b""))


def save(img, name):
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(png_bytes(img))


def main():
    for percent in PERCENTS:
        s = Scale(percent)
        save(settings_background(s), f"SettingsBackground{percent}.png")
        save(button_face(s, "确 定"), f"ButtonOk{percent}.png")
        save(button_face(s, "取 消"), f"ButtonCancel{percent}.png")
        save(close_cross(s), f"CloseCross{percent}.png")
        save(first_run_background(s), f"FirstRunBackground{percent}.png")


if __name__ == "__main__":
    main()
