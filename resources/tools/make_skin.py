#!/usr/bin/env python3
"""Draws the default skin, resources/Skin/Blue/: the 25 frame bitmaps and SysMenu.ico.

A light-blue theme around the caption colour RGB(97, 120, 178): a caption band with a soft vertical
gradient (a paler variant while the window is inactive), thin edges with a one-pixel outline and an
inner line that frames the client area, rounded corners whose outside is magenta (see-through), and
minimize, maximize, restore and close buttons with distinct normal, hover and pressed faces.

The frame pieces are all cut from one frame drawn at a virtual window size, so they fit together
wherever the window puts them. Deterministic and standard library only:
    python3 resources/tools/make_skin.py
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_app_icon  # noqa: E402  (the system-menu icon reuses the application icon's design)

# The palette shared with the dialogs.
BORDER = (97, 120, 178)        # frame outline, caption text
ACCENT = (38, 68, 144)         # glyphs
CAPTION_TOP = (222, 233, 250)  # caption gradient, active
CAPTION_BOTTOM = (190, 210, 240)
PANEL = (240, 245, 250)

HIGHLIGHT = (246, 250, 255)    # the line under the caption's top outline
INNER = (160, 184, 226)        # the line that frames the client area
SIDE = CAPTION_BOTTOM          # the edge band, seamless with the caption's foot
CAPTION_TOP_INACTIVE = (240, 243, 248)
CAPTION_BOTTOM_INACTIVE = (214, 222, 236)
MAGENTA = (255, 0, 255)

CAPTION_H = 32   # height of the caption band (CaptionHeight)
EDGE = 4         # width of the side edges and height of the bottom edge
TILE = 64        # length of the repeating strip tiles
CORNER_W = 8     # width of the corner pieces
UPPER_H = 8      # height of the upper edge pieces below the caption
# 20 wide: the three buttons (W - 3 x 20 - 8) then leave room for the caption's hot-key link to their left.
BUTTON_W, BUTTON_H = 20, 22
BUTTON_TOP = (CAPTION_H - BUTTON_H) // 2 + 1  # where the window places the buttons in the caption

# The virtual window the frame pieces are cut from.
FRAME_W, FRAME_H = 256, 160

# Pixels of each corner that the window's 9 x 9 rounded region leaves out, as (dx, dy) from the
# corner pixel, measured from the top-left corner inward.
CORNER_CUT = {(0, 0), (1, 0), (2, 0), (0, 1), (0, 2)}


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def outside(x, y, w, h):
    """Whether (x, y) lies outside the rounded window shape."""
    dx = x if x < w // 2 else w - 1 - x
    dy = y if y < h // 2 else h - 1 - y
    return (dx, dy) in CORNER_CUT


def on_outline(x, y, w, h):
    if x in (0, w - 1) or y in (0, h - 1):
        return True
    return any(outside(x + i, y + j, w, h) for i in (-1, 0, 1) for j in (-1, 0, 1))


def caption_colour(y, active):
    top, bottom = (CAPTION_TOP, CAPTION_BOTTOM) if active else (CAPTION_TOP_INACTIVE, CAPTION_BOTTOM_INACTIVE)
    if y == 1:
        return HIGHLIGHT
    return lerp(top, bottom, (y - 2) / (CAPTION_H - 3))


def frame_pixel(x, y, active, w=FRAME_W, h=FRAME_H):
    """The frame's colour at (x, y), or None inside the client area."""
    if outside(x, y, w, h):
        return MAGENTA
    if on_outline(x, y, w, h):
        return BORDER
    if y < CAPTION_H:
        if y == CAPTION_H - 1 and EDGE - 1 <= x <= w - EDGE:
            return INNER
        return caption_colour(y, active)
    if x < EDGE - 1 or x > w - EDGE or y > h - EDGE:
        return SIDE
    if x == EDGE - 1 or x == w - EDGE or y == h - EDGE:
        return INNER
    return None


def cut(x0, y0, width, height, active=True):
    rows = []
    for y in range(y0, y0 + height):
        row = []
        for x in range(x0, x0 + width):
            c = frame_pixel(x, y, active)
            row.append(MAGENTA if c is None else c)
        rows.append(row)
    return rows


# --- caption buttons -------------------------------------------------------------------------

def rounded_coverage(px, py, x0, y0, x1, y1, r):
    """1 if the sample point lies in the rounded rectangle [x0,x1) x [y0,y1) with radius r."""
    if not (x0 <= px < x1 and y0 <= py < y1):
        return 0
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return 1 if (px - cx) ** 2 + (py - cy) ** 2 <= r * r else 0


def seg_dist(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def box_outline(px, py, x0, y0, x1, y1, top_thick):
    """Whether the point is on the one-pixel outline (top_thick at the top) of the box [x0,x1) x [y0,y1)."""
    if not (x0 <= px < x1 and y0 <= py < y1):
        return False
    return px < x0 + 1 or px >= x1 - 1 or py < y0 + top_thick or py >= y1 - 1


# The glyphs are drawn about the centre (14, 11); this moves them to the button's own centre.
GLYPH_SHIFT = 14 - BUTTON_W / 2


def glyph(kind, px, py):
    """Coverage test of a glyph at the sample point (button coordinates, centre (14, 11))."""
    if kind == 'min':
        return 9 <= px < 19 and 14 <= py < 16
    if kind == 'max':
        return box_outline(px, py, 9, 6, 19, 16, 2)
    if kind == 'orig':
        front = box_outline(px, py, 9, 8, 17, 16, 2)
        back = box_outline(px, py, 11, 6, 19, 14, 1)
        in_front = 9 <= px < 17 and 8 <= py < 16
        return front or (back and not in_front)
    if kind == 'close':
        return min(seg_dist(px, py, (9.5, 6.5), (18.5, 15.5)), seg_dist(px, py, (18.5, 6.5), (9.5, 15.5))) <= 0.85
    raise ValueError(kind)


def button(kind, state):
    """One face: state is 'normal', 'over' or 'down'."""
    close = kind == 'close'
    if state == 'normal':
        fill = edge = None
        ink = ACCENT
    elif state == 'over':
        fill, edge, ink = ((224, 67, 67), (186, 42, 42), (255, 255, 255)) if close else \
            ((250, 252, 255), (120, 146, 206), ACCENT)
    else:
        fill, edge, ink = ((168, 38, 38), (128, 24, 24), (255, 255, 255)) if close else \
            (BORDER, ACCENT, (255, 255, 255))
    shift = 1 if state == 'down' else 0
    ss = 4
    rows = []
    for y in range(BUTTON_H):
        behind = caption_colour(y + BUTTON_TOP, True)  # what the caption shows under this row
        row = []
        for x in range(BUTTON_W):
            shape = inner = ink_cov = 0
            for sy in range(ss):
                for sx in range(ss):
                    px = x + (sx + 0.5) / ss
                    py = y + (sy + 0.5) / ss
                    if fill is not None:
                        shape += rounded_coverage(px, py, 0, 0, BUTTON_W, BUTTON_H, 3.5)
                        inner += rounded_coverage(px, py, 1, 1, BUTTON_W - 1, BUTTON_H - 1, 2.5)
                    ink_cov += glyph(kind, px + GLYPH_SHIFT, py - shift)
            n = ss * ss
            shape, inner, ink_cov = shape / n, inner / n, ink_cov / n
            if fill is not None:
                if shape < 0.5:
                    row.append(MAGENTA)
                    continue
                base = lerp(edge, fill, inner)
                base = lerp(behind, base, shape)
            else:
                if ink_cov == 0:
                    row.append(MAGENTA)
                    continue
                base = behind
            row.append(lerp(base, ink, ink_cov))
        rows.append(row)
    return rows


# --- files -----------------------------------------------------------------------------------

def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + bytes(body))


def skin_images():
    right_x = FRAME_W - EDGE
    right_corner_x = FRAME_W - CORNER_W
    middle = 2 * TILE
    images = {
        'TopActivate': cut(middle, 0, TILE, CAPTION_H),
        'TopdeActivate': cut(middle, 0, TILE, CAPTION_H, active=False),
        'Bottom': cut(middle, FRAME_H - EDGE, TILE, EDGE),
        'Left': cut(0, CAPTION_H + UPPER_H, EDGE, TILE),
        'Right': cut(right_x, CAPTION_H + UPPER_H, EDGE, TILE),
        'TopLeftActivate': cut(0, 0, CORNER_W, CAPTION_H),
        'TopLeftdeActivate': cut(0, 0, CORNER_W, CAPTION_H, active=False),
        'TopRightActivate': cut(right_corner_x, 0, CORNER_W, CAPTION_H),
        'TopRightdeActivate': cut(right_corner_x, 0, CORNER_W, CAPTION_H, active=False),
        'BottomLeft': cut(0, FRAME_H - CORNER_W, CORNER_W, CORNER_W),
        'BottomRight': cut(right_corner_x, FRAME_H - CORNER_W, CORNER_W, CORNER_W),
        'TopLeft_1': cut(0, CAPTION_H, EDGE, UPPER_H),
        'TopRight_1': cut(right_x, CAPTION_H, EDGE, UPPER_H),
    }
    for name, kind in (('Min', 'min'), ('Max', 'max'), ('Close', 'close'), ('Orig', 'orig')):
        for face, state in (('Normal', 'normal'), ('Over', 'over'), ('Down', 'down')):
            images['btn_%s_%s' % (name, face)] = button(kind, state)
    return images


def main():
    out = os.path.join(HERE, '..', 'Skin', 'Blue')
    os.makedirs(out, exist_ok=True)
    images = skin_images()
    assert len(images) == 25
    for name, rows in sorted(images.items()):
        write_bmp(os.path.join(out, name + '.bmp'), rows)
    make_app_icon.write_ico(os.path.join(out, 'SysMenu.ico'), [16, 32])


if __name__ == '__main__':
    main()
