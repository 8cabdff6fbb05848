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

def S(design, scale):
    """A design size at 100 % in pixels at `scale` (percent), rounded half up as the program's
    MulDiv rounds, so every drawn piece has exactly the size the program expects at that scale."""
    return (design * scale + 50) // 100


class Metrics:
    """The frame's sizes at one scale (percent). At 100 %:
    caption band 32 high (CaptionHeight), side edges 4 wide and bottom edge 4 high, strip tiles 64
    long, corner pieces 8 wide, upper edge pieces 8 high below the caption, buttons 20 x 22 (20 wide:
    the three buttons, W - 3 x 20 - 8, leave room for the caption's hot-key link to their left)."""

    def __init__(self, scale):
        self.scale = scale
        self.caption_h = S(32, scale)
        self.edge = S(4, scale)
        self.tile = S(64, scale)
        self.corner_w = S(8, scale)
        self.upper_h = S(8, scale)
        self.button_w, self.button_h = S(20, scale), S(22, scale)
        # Where the window places the buttons in the caption.
        self.button_top = (self.caption_h - self.button_h) // 2 + S(1, scale)
        self.line = S(1, scale)  # the width of the outline and the inner lines
        # The virtual window the frame pieces are cut from.
        self.frame_w, self.frame_h = S(256, scale), S(160, scale)
        self.corner_cut = corner_cut(S(9, scale))


def corner_cut(diameter):
    """Pixels of each corner that the window's rounded region (corner ellipses `diameter` across)
    leaves out, as (dx, dy) from the corner pixel inward. At 9 (100 %): (0, 0), (1, 0), (2, 0),
    (0, 1), (0, 2)."""
    r = diameter / 2
    cut = set()
    for dy in range(diameter):
        for dx in range(diameter):
            if ((dx + 0.5 - r) ** 2 + (dy + 0.5 - r) ** 2) ** 0.5 > r - 0.1 and dx < r and dy < r:
                cut.add((dx, dy))
    return cut


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def outside(m, x, y, w, h):
    """Whether (x, y) lies outside the rounded window shape."""
    dx = x if x < w // 2 else w - 1 - x
    dy = y if y < h // 2 else h - 1 - y
    return (dx, dy) in m.corner_cut


def on_outline(m, x, y, w, h):
    t = m.line
    if x < t or x >= w - t or y < t or y >= h - t:
        return True
    return any(outside(m, x + i, y + j, w, h) for i in range(-t, t + 1) for j in range(-t, t + 1))


def caption_colour(m, y, active):
    top, bottom = (CAPTION_TOP, CAPTION_BOTTOM) if active else (CAPTION_TOP_INACTIVE, CAPTION_BOTTOM_INACTIVE)
    t = m.line
    if t <= y < 2 * t:
        return HIGHLIGHT
    return lerp(top, bottom, max(0.0, (y - 2 * t) / (m.caption_h - 3 * t)))


def frame_pixel(m, x, y, active):
    """The frame's colour at (x, y), or None inside the client area."""
    w, h, t, e = m.frame_w, m.frame_h, m.line, m.edge
    if outside(m, x, y, w, h):
        return MAGENTA
    if on_outline(m, x, y, w, h):
        return BORDER
    if y < m.caption_h:
        if y >= m.caption_h - t and e - t <= x < w - e + t:
            return INNER
        return caption_colour(m, y, active)
    if x < e - t or x >= w - e + t or y >= h - e + t:
        return SIDE
    if x < e or x >= w - e or y >= h - e:
        return INNER
    return None


def cut(m, x0, y0, width, height, active=True):
    rows = []
    for y in range(y0, y0 + height):
        row = []
        for x in range(x0, x0 + width):
            c = frame_pixel(m, x, y, active)
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


# The glyphs are drawn about the centre (14, 11) in design pixels; this moves them to the button's
# own centre (20 design pixels wide).
GLYPH_SHIFT = 14 - 20 / 2


def glyph(kind, px, py):
    """Coverage test of a glyph at the sample point (design coordinates, centre (14, 11))."""
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


def button(m, kind, state):
    """One face: state is 'normal', 'over' or 'down'. The shape and the glyph are drawn in design
    coordinates, sampled at the scale's pixels."""
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
    k = m.scale / 100
    bw, bh = m.button_w / k, m.button_h / k  # the button in design pixels
    ss = 4
    rows = []
    for y in range(m.button_h):
        behind = caption_colour(m, y + m.button_top, True)  # what the caption shows under this row
        row = []
        for x in range(m.button_w):
            shape = inner = ink_cov = 0
            for sy in range(ss):
                for sx in range(ss):
                    px = (x + (sx + 0.5) / ss) / k
                    py = (y + (sy + 0.5) / ss) / k
                    if fill is not None:
                        shape += rounded_coverage(px, py, 0, 0, bw, bh, 3.5)
                        inner += rounded_coverage(px, py, 1, 1, bw - 1, bh - 1, 2.5)
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


def skin_images(m):
    right_x = m.frame_w - m.edge
    right_corner_x = m.frame_w - m.corner_w
    middle = 2 * m.tile
    ch, e, fh = m.caption_h, m.edge, m.frame_h
    images = {
        'TopActivate': cut(m, middle, 0, m.tile, ch),
        'TopdeActivate': cut(m, middle, 0, m.tile, ch, active=False),
        'Bottom': cut(m, middle, fh - e, m.tile, e),
        'Left': cut(m, 0, ch + m.upper_h, e, m.tile),
        'Right': cut(m, right_x, ch + m.upper_h, e, m.tile),
        'TopLeftActivate': cut(m, 0, 0, m.corner_w, ch),
        'TopLeftdeActivate': cut(m, 0, 0, m.corner_w, ch, active=False),
        'TopRightActivate': cut(m, right_corner_x, 0, m.corner_w, ch),
        'TopRightdeActivate': cut(m, right_corner_x, 0, m.corner_w, ch, active=False),
        'BottomLeft': cut(m, 0, fh - m.corner_w, m.corner_w, m.corner_w),
        'BottomRight': cut(m, right_corner_x, fh - m.corner_w, m.corner_w, m.corner_w),
        'TopLeft_1': cut(m, 0, ch, e, m.upper_h),
        'TopRight_1': cut(m, right_x, ch, e, m.upper_h),
    }
    for name, kind in (('Min', 'min'), ('Max', 'max'), ('Close', 'close'), ('Orig', 'orig')):
        for face, state in (('Normal', 'normal'), ('Over', 'over'), ('Down', 'down')):
            images['btn_%s_%s' % (name, face)] = button(m, kind, state)
    return images


# The scales drawn: 100 % in the skin folder, the others in subfolders named after their percent.
SCALES = (100, 150, 200)
# The caption icon's sizes: the small-icon sizes at 100, 125, 150 and 200 %.
ICON_SIZES = [16, 20, 24, 32]


def main():
    skin = os.path.join(HERE, '..', 'Skin', 'Blue')
    for scale in SCALES:
        out = skin if scale == 100 else os.path.join(skin, str(scale))
        os.makedirs(out, exist_ok=True)
        images = skin_images(Metrics(scale))
        assert len(images) == 25
        for name, rows in sorted(images.items()):
            write_bmp(os.path.join(out, name + '.bmp'), rows)
    make_app_icon.write_ico(os.path.join(skin, 'SysMenu.ico'), ICON_SIZES)


if __name__ == '__main__':
    main()
