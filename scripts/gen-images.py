#!/usr/bin/env python3
"""Draws every picture of Lentora and writes resources/icons/*.ico, resources/images.rc and
resources/image_ids.h.

Run by hand after changing a drawing:  python3 scripts/gen-images.py [--sheet contact.png]
It needs Pillow (Debian: python3-pil). Only developers run it: its outputs are committed, so the
build and CI do not need Pillow.

Every picture is drawn on a 16 x 16 unit grid at 8x the target size and averaged down, which gives
exact anti-aliasing; axis-aligned edges snap to whole pixels, so the 16 px versions stay crisp.

The .ico entries below 32 px are 32-bit BGRA DIBs with an AND mask, the form every LoadImage reads;
from 32 px up they are PNG (read by Windows since Vista and by Wine), which keeps the exe small.
"""
import argparse
import io
import math
import pathlib
import struct

from PIL import Image, ImageDraw

SS = 8  # supersampling factor
PNG_FROM = 32  # entries at least this large are stored as PNG (Windows reads them since Vista)

# Palette: few colours, each readable on light and dark backgrounds.
GREEN = (33, 163, 102)
GREEN_DARK = (16, 124, 65)
GREEN_LIGHT = (60, 196, 122)
GREY = (128, 134, 144)
BLUE = (43, 124, 211)
RED = (209, 52, 56)
RED_DARK = (164, 38, 44)
PINK = (231, 72, 86)
ROSE = (240, 120, 124)
ORANGE = (247, 99, 12)
AMBER = (255, 185, 0)
AMBER_DARK = (232, 150, 0)
SLATE = (96, 108, 122)
DARK = (52, 58, 66)
WHITE = (255, 255, 255)
PAPER = (250, 251, 252)
BEIGE = (246, 214, 160)
SKY = (170, 205, 240)
TEAL = (3, 131, 135)
TEAL_DARK = (2, 94, 97)
CLEAR = (0, 0, 0, 0)


def rgba(color):
    return color if len(color) == 4 else color + (255,)


class Canvas:
    """A square picture in design units (0..16), drawn supersampled."""

    def __init__(self, size):
        self.size = size
        self.k = size * SS / 16.0
        self.img = Image.new("RGBA", (size * SS, size * SS), CLEAR)
        self.draw = ImageDraw.Draw(self.img)

    # Units of n device pixels, and the two stroke weights of the set.
    def px(self, n):
        return n * 16.0 / self.size

    @property
    def bold(self):
        return self.px({16: 2, 20: 2, 24: 3, 32: 4, 40: 4, 48: 5, 64: 6}.get(self.size, self.size / 10))

    @property
    def thin(self):
        return self.px({16: 1, 20: 1, 24: 1, 32: 2, 40: 2, 48: 2, 64: 3}.get(self.size, self.size / 20))

    def snap(self, u):
        return math.floor(u * self.size / 16.0 + 0.5) * 16.0 / self.size

    def _pt(self, x, y):
        return (x * self.k - 0.5, y * self.k - 0.5)

    def poly(self, pts, color):
        self.draw.polygon([self._pt(x, y) for x, y in pts], fill=rgba(color))

    def circle(self, cx, cy, r, color):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, color)

    def shaded_circle(self, cx, cy, r, top, bottom):
        """A disc shaded from top to bottom colour."""
        k = self.k
        mask = Image.new("L", self.img.size, 0)
        ImageDraw.Draw(mask).ellipse(((cx - r) * k, (cy - r) * k, (cx + r) * k - 1, (cy + r) * k - 1), fill=255)
        ramp = Image.linear_gradient("L").resize(self.img.size)
        fill = Image.composite(Image.new("RGBA", self.img.size, rgba(bottom)),
                               Image.new("RGBA", self.img.size, rgba(top)), ramp)
        self.img.paste(fill, (0, 0), mask)

    def ellipse(self, x0, y0, x1, y1, color):
        k = self.k
        self.draw.ellipse((x0 * k, y0 * k, x1 * k - 1, y1 * k - 1), fill=rgba(color))

    def rect(self, x0, y0, x1, y1, color, r=0.0, snap=True):
        if snap:  # snap the origin and the size, so equal parts get equal pixel widths
            w, h = max(self.px(1), self.snap(x1 - x0)), max(self.px(1), self.snap(y1 - y0))
            x0, y0 = self.snap(x0), self.snap(y0)
            x1, y1 = x0 + w, y0 + h
        k = self.k
        box = (round(x0 * k), round(y0 * k), round(x1 * k) - 1, round(y1 * k) - 1)
        if r > 0:
            self.draw.rounded_rectangle(box, radius=r * k, fill=rgba(color))
        else:
            self.draw.rectangle(box, fill=rgba(color))

    def framed(self, x0, y0, x1, y1, fill, edge, r=0.0, w=None):
        """A rectangle with an inner outline of width w (default: thin)."""
        w = self.thin if w is None else w
        self.rect(x0, y0, x1, y1, edge, r)
        self.rect(x0 + w, y0 + w, x1 - w, y1 - w, fill, max(0.0, r - w))

    def stroke(self, pts, w, color, caps=True):
        """A polyline with round joins (and round caps unless caps is False)."""
        h = w / 2
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            dx, dy = x1 - x0, y1 - y0
            n = math.hypot(dx, dy) or 1.0
            nx, ny = -dy / n * h, dx / n * h
            self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], color)
        joints = pts if caps else pts[1:-1]
        for x, y in joints:
            self.circle(x, y, h, color)

    def arc(self, cx, cy, r, a0, a1, w, color):
        """A band along a circle from angle a0 to a1 (degrees, clockwise from east)."""
        steps = max(8, int(abs(a1 - a0) / 4))
        angles = [math.radians(a0 + (a1 - a0) * i / steps) for i in range(steps + 1)]
        outer = [(cx + (r + w / 2) * math.cos(a), cy + (r + w / 2) * math.sin(a)) for a in angles]
        inner = [(cx + (r - w / 2) * math.cos(a), cy + (r - w / 2) * math.sin(a)) for a in angles]
        self.poly(outer + inner[::-1], color)

    def arrow_head(self, tip, direction_deg, length, width, color):
        a = math.radians(direction_deg)
        dx, dy = math.cos(a), math.sin(a)
        bx, by = tip[0] - dx * length, tip[1] - dy * length
        self.poly([tip, (bx - dy * width / 2, by + dx * width / 2), (bx + dy * width / 2, by - dx * width / 2)], color)

    def result(self):
        return self.img.resize((self.size, self.size), Image.BOX)

    def pixels(self, art, color):
        """Paints the '#' cells of a hand-made pixel pattern as whole device pixels."""
        mask = Image.new("L", (self.size, self.size), 0)
        for y, row in enumerate(art):
            for x, cell in enumerate(row):
                if cell == "#":
                    mask.putpixel((x, y), 255)
        self.img.paste(Image.new("RGBA", self.img.size, rgba(color)), (0, 0), mask.resize(self.img.size, Image.NEAREST))


# ---------------------------------------------------------------------------------------------
# Shared parts

def disc(c, color, r=7.0):
    c.circle(8, 8, r, color)


# Badge glyphs drawn pixel by pixel for 16 px: the badge is only 8 pixels wide there.
BADGE_16 = {
    "tick": """
........
........
......#.
.....##.
.#..##..
.####...
..##....
........""",
    "cross": """
........
.#....#.
..#..#..
...##...
...##...
..#..#..
.#....#.
........""",
    "clock": """
........
...#....
...#....
...#....
...###..
........
........
........""",
    "arrows": """
........
...###.#
..#...##
.#...###
.#......
.#.....#
..#...#.
...###..""",
    "swap": """
........
....#...
.#####..
....#...
...#....
..#####.
...#....
........""",
    "pause": """
........
........
.##..##.
.##..##.
.##..##.
.##..##.
........
........""",
    "stop": """
........
........
..####..
..####..
..####..
..####..
........
........""",
}


def badge(c, color, glyph=None, glyph_color=WHITE):
    """A round badge in the lower-right quarter, cut free from what lies beneath it.
    glyph names a pattern of BADGE_16 and a drawing function of the same name for larger sizes."""
    gap = c.px(1) if c.size <= 24 else c.px(c.size / 20)
    c.circle(12, 12, 4 + gap, CLEAR)
    c.circle(12, 12, 4, color)
    if glyph and c.size == 16:
        rows = BADGE_16[glyph].split()
        c.pixels(["." * 16] * 8 + ["." * 8 + row for row in rows], glyph_color)
    elif glyph:
        GLYPHS[glyph](c, color=glyph_color)


def glyph_tick(c, cx=12, cy=12, s=1.0, color=WHITE, w=None):
    w = w or (c.px(1.6) if c.size <= 20 else c.bold * 0.55)
    c.stroke([(cx - 2.2 * s, cy + 0.1 * s), (cx - 0.7 * s, cy + 1.6 * s), (cx + 2.2 * s, cy - 1.5 * s)], w, color)


def glyph_cross(c, cx=12, cy=12, s=1.0, color=WHITE, w=None):
    w = w or (c.px(1.5) if c.size <= 20 else c.bold * 0.55)
    d = 1.6 * s
    c.stroke([(cx - d, cy - d), (cx + d, cy + d)], w, color)
    c.stroke([(cx - d, cy + d), (cx + d, cy - d)], w, color)


def glyph_plus(c, cx=12, cy=12, s=1.0, color=WHITE):
    h = c.bold * (0.5 if c.size <= 24 else 0.4)
    d = 2.5 * s
    c.rect(cx - d, cy - h, cx + d, cy + h, color)
    c.rect(cx - h, cy - d, cx + h, cy + d, color)


def glyph_pause(c, cx=12, cy=12, s=1.0, color=DARK):
    bw, gap, hh = (2.0 if c.size == 16 else 1.6) * s, 1.0 * s, 2.2 * s
    c.rect(cx - gap - bw, cy - hh, cx - gap, cy + hh, color)
    c.rect(cx + gap, cy - hh, cx + gap + bw, cy + hh, color)


def glyph_square(c, cx=12, cy=12, s=1.0, color=WHITE):
    d = 2.0 * s
    c.rect(cx - d, cy - d, cx + d, cy + d, color, r=0.4 * s)


def glyph_clock(c, cx=12, cy=12, s=1.0, color=WHITE):
    w = c.px(1.5) if c.size <= 20 else c.bold * 0.5
    c.stroke([(cx, cy - 2.4 * s), (cx, cy), (cx + 1.9 * s, cy + 1.1 * s)], w, color)


def circling_arrows(c, cx, cy, r, w, color, head, pair=True):
    """Arrows chasing each other round a circle (one arrow when pair is False)."""
    spans = [(-60, 110), (120, 290)] if pair else [(-40, 250)]
    length = head * 1.1
    at = lambda a: (cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
    for a0, a1 in spans:
        base = a1 - math.degrees(length / r)
        c.arc(cx, cy, r, a0, base + 2, w, color)
        (bx, by), tip = at(base), at(a1)
        c.arrow_head(tip, math.degrees(math.atan2(tip[1] - by, tip[0] - bx)), length, head * 1.8, color)


def glyph_arrows(c, cx=12, cy=12, s=1.0, color=WHITE):
    small = c.size <= 20
    w = c.px(1.3) if small else c.bold * 0.45
    circling_arrows(c, cx, cy, 2.3 * s, w, color, head=1.5 * s, pair=not small)


def glyph_swap(c, cx=12, cy=12, s=1.0, color=WHITE):
    w = c.px(1.2) if c.size <= 20 else c.bold * 0.42
    hl = 1.3 * s
    c.stroke([(cx - 2.4 * s, cy - 1.2 * s), (cx + 2.6 * s - hl, cy - 1.2 * s)], w, color)
    c.arrow_head((cx + 2.6 * s, cy - 1.2 * s), 0, hl, 2.2 * s, color)
    c.stroke([(cx + 2.4 * s, cy + 1.3 * s), (cx - 2.6 * s + hl, cy + 1.3 * s)], w, color)
    c.arrow_head((cx - 2.6 * s, cy + 1.3 * s), 180, hl, 2.2 * s, color)


GLYPHS = {"tick": glyph_tick, "cross": glyph_cross, "clock": glyph_clock, "arrows": glyph_arrows,
          "swap": glyph_swap, "pause": glyph_pause, "stop": glyph_square}


# The running figure: joints in units, for an emblem of radius 8 centred at (8, 8).
FIGURE_HEAD = (10.2, 3.5, 1.75)
FIGURE_LIMBS = [
    [(9.0, 6.0), (7.3, 9.4)],                       # torso
    [(9.0, 6.1), (6.9, 6.6), (5.4, 8.6)],            # back arm
    [(9.0, 6.1), (10.7, 7.9), (12.5, 7.0)],          # front arm
    [(7.3, 9.4), (5.9, 11.3), (3.7, 11.6)],          # back leg
    [(7.3, 9.4), (9.7, 10.5), (9.3, 13.3)],          # front leg
]


# The same figure drawn pixel by pixel for 16 px, where strokes would blur.
FIGURE_16 = """
................
................
..........##....
.........####...
.........####...
..........##....
......####......
.....##.###.....
....##..##.##...
.......##...#...
......#####.....
.....##...##....
...###.....#....
...#.......##...
................
................
""".split()


def emblem(c, color, shaded=False):
    """The running figure, white, on a disc of the given colour filling the picture."""
    if shaded and c.size >= 32:
        c.shaded_circle(8, 8, 8, GREEN_LIGHT, GREEN_DARK)
    else:
        c.circle(8, 8, 8, color)
    if c.size == 16:
        c.pixels(FIGURE_16, WHITE)
        return
    w = c.px(c.size * 0.115)
    for limb in FIGURE_LIMBS:
        c.stroke(limb, w, WHITE)
    c.circle(*FIGURE_HEAD, WHITE)


GLOBE_16 = """
................
................
.......##.......
......#..#......
.....#....#.....
..############..
.....#....#.....
.....#....#.....
.....#....#.....
.....#....#.....
..############..
.....#....#.....
......#..#......
.......##.......
................
................
""".split()


def globe(c, color=BLUE):
    disc(c, color, 7)
    if c.size == 16:
        c.pixels(GLOBE_16, WHITE)
        return
    w = c.px(1) if c.size <= 24 else c.thin
    c.ellipse(4.6, 1, 11.4, 15, WHITE)
    c.ellipse(4.6 + w, 1 + w, 11.4 - w, 15 - w, color)
    c.rect(1, 8 - w / 2, 15, 8 + w / 2, WHITE, snap=False)
    c.rect(8 - w / 2, 1, 8 + w / 2, 15, WHITE, snap=False)
    for y in (4.6, 11.4):
        c.rect(2.2, y - w / 2, 13.8, y + w / 2, WHITE, snap=False)


def paper(c, x0, y0, x1, y1):
    c.framed(x0, y0, x1, y1, PAPER, SLATE, r=c.px(1) if c.size > 16 else 0.6)


def text_lines(c, x0, x1, rows, color=SLATE):
    """Lines of text: (top, share of the full length) for each."""
    for y, share in rows:
        c.rect(x0, y, x0 + (x1 - x0) * share, y + c.thin, color)


def trash_can(c, color=SLATE):
    w = c.thin
    c.rect(6, 1.5, 10, 3.5, color, r=0.5)
    c.rect(6 + w, 1.5 + w, 10 - w, 3.5, CLEAR)
    c.rect(2.5, 3, 13.5, 5, color, r=0.5)
    c.poly([(3.5, 5.5), (12.5, 5.5), (11.6, 15), (4.4, 15)], color)
    for x in (6.5, 9.5):  # the slots: one pixel wide at 16 px
        c.rect(x - c.thin / 2, 7, x + c.thin / 2, 13, WHITE)


def check_rows(c, checked):
    """Two check boxes with their labels: all ticked or all empty."""
    r = 1.0 if c.size == 16 else 1.2
    for y in (1, 9):
        if checked:
            c.rect(1, y, 7, y + 6, BLUE, r=r)
            glyph_tick(c, 4, y + 3.1, s=0.95, w=c.px(1.5) if c.size <= 20 else c.bold * 0.45)
        else:
            c.framed(1, y, 7, y + 6, PAPER, SLATE, r=r, w=max(c.thin, c.px(1)))
        c.rect(9, y + 2.5, 15, y + 3.5 + (c.px(1) if c.size > 16 else 0), SLATE)


def capsule_outline(c, cx, cy, length, radius, angle, w, color):
    """The outline of a pill shape whose axis lies at angle degrees."""
    ux, uy = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    pts = []
    for end in (1, -1):
        ex, ey = cx + ux * length / 2 * end, cy + uy * length / 2 * end
        start = angle - 90 if end == 1 else angle + 90
        for i in range(0, 181, 10):
            t = math.radians(start + i)
            pts.append((ex + radius * math.cos(t), ey + radius * math.sin(t)))
    c.stroke(pts + pts[:1], w, color)


# ---------------------------------------------------------------------------------------------
# The pictures

def draw_add(c):
    disc(c, GREEN)
    glyph_plus(c, 8, 8, s=1.6)


def draw_edit(c):
    d = (1 / math.sqrt(2), -1 / math.sqrt(2))
    n = (-d[1], d[0])
    tip = (2.0, 14.0)
    h = 2.05
    at = lambda t, s: (tip[0] + d[0] * t + n[0] * s, tip[1] + d[1] * t + n[1] * s)
    cone, body, cap = 3.6, 11.2, 13.6
    c.poly([at(0, 0), at(cone, h), at(cap, h), at(cap, -h), at(cone, -h)], DARK)
    c.poly([at(1.5, 0.85), at(cone, h), at(cone, -h), at(1.5, -0.85)], BEIGE)
    c.poly([at(cone, h), at(body, h), at(body, -h), at(cone, -h)], AMBER)
    c.poly([at(cone, 0), at(body, 0), at(body, -h), at(cone, -h)], AMBER_DARK)
    c.poly([at(body + c.px(1), h), at(cap, h), at(cap, -h), at(body + c.px(1), -h)], PINK)


def draw_delete(c):
    trash_can(c)


def draw_options(c):
    cx = cy = 8
    ro, ri, teeth = 7.4, 5.5, 8
    pts = []
    for i in range(teeth):
        base = i * 360 / teeth
        for a, r in ((base - 17, ri), (base - 11, ro), (base + 11, ro), (base + 17, ri)):
            pts.append((cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))))
    c.poly(pts, SLATE)
    c.circle(cx, cy, ri + 0.05, SLATE)
    c.circle(cx, cy, 2.4, CLEAR)


def draw_log(c):
    paper(c, 2.5, 1, 13.5, 15)
    rows = [(4, 1), (7, 0.75), (10, 1)] + ([(12.5, 0.5)] if c.size > 16 else [])
    text_lines(c, 5, 11, rows, color=BLUE)


def draw_start(c):
    disc(c, GREEN)
    c.poly([(6.1, 4.3), (6.1, 11.7), (12.0, 8.0)], WHITE)


ARROWS_16 = """
................
................
................
......####......
.....#....#.....
....#......#....
.........#####..
....#.....###...
...###.....#....
..#####.........
....#......#....
.....#....#.....
......####......
................
................
................
""".split()


def draw_running(c):
    disc(c, BLUE)
    if c.size == 16:
        c.pixels(ARROWS_16, WHITE)
    else:
        circling_arrows(c, 8, 8, 3.9, c.px(1.6) if c.size <= 20 else c.bold * 0.55, WHITE, head=1.9)


def draw_about(c):
    disc(c, BLUE)
    c.circle(8, 4.7, 1.2, WHITE)
    c.rect(7, 6.8, 9, 12, WHITE)


CROSS_16 = """
................
................
................
................
....##....##....
....###..###....
.....######.....
......####......
......####......
.....######.....
....###..###....
....##....##....
................
................
................
................
""".split()


def draw_close(c):
    disc(c, RED)
    if c.size == 16:
        c.pixels(CROSS_16, WHITE)
    else:
        glyph_cross(c, 8, 8, s=1.75, w=c.bold * 0.7)


def draw_ok(c):
    disc(c, GREEN)
    glyph_tick(c, 8, 8.4, s=1.7, w=c.bold * 0.7)


def task_rows(c, labelled=(True, True, True)):
    """Three list rows, a box and a label line each; a badge's place takes some labels."""
    for y, label in zip((1.5, 6.5, 11.5), labelled):
        c.rect(1.5, y, 4.5, y + 3, BLUE, r=0.5)
        if label:
            c.rect(6.5, y + 1, 14.5, y + 2, SLATE)


def draw_task_list(c):
    task_rows(c)


def draw_delete_all(c):
    task_rows(c, labelled=(True, False, False))
    badge(c, RED, "cross")


def draw_apply_language(c):
    globe(c)
    badge(c, GREEN_DARK, "tick")


def draw_change_language(c):
    globe(c)
    badge(c, DARK, "swap")


def draw_activate_all(c):
    check_rows(c, True)


def draw_deactivate_all(c):
    check_rows(c, False)


def draw_import(c):
    w = c.bold if c.size > 16 else c.px(2)
    c.stroke([(1.8, 9), (1.8, 14), (14.2, 14), (14.2, 9)], w, SLATE, caps=c.size > 16)
    c.rect(8 - w / 2, 1, 8 + w / 2, 8, BLUE)
    c.poly([(3.8, 7), (12.2, 7), (8, 11.6)], BLUE)


def draw_wait(c):
    c.rect(3, 1, 13, 2.5, SLATE, r=0.4)
    c.rect(3, 13.5, 13, 15, SLATE, r=0.4)
    glass = [(4, 2.5), (12, 2.5), (8.9, 8), (12, 13.5), (4, 13.5), (7.1, 8)]
    c.poly(glass, SLATE)
    w = c.thin
    inner = [(4 + 2 * w, 2.5), (12 - 2 * w, 2.5), (8.9 - w, 8), (12 - 2 * w, 13.5), (4 + 2 * w, 13.5), (7.1 + w, 8)]
    c.poly(inner, PAPER)
    c.poly([(5.8, 4.6), (10.2, 4.6), (8, 7.6)], AMBER)
    c.poly([(8, 10.2), (10.9, 13.5), (5.1, 13.5)], AMBER)


def draw_stop(c):
    disc(c, RED)
    c.rect(5, 5, 11, 11, WHITE, r=0.6)


def draw_show(c):
    c.framed(1, 2, 15, 14, PAPER, SLATE, r=1.0)
    c.rect(1, 2, 15, 5.5, BLUE, r=1.0)
    c.rect(1, 4, 15, 5.5, BLUE)


def draw_create_link(c):
    w = c.px(2) if c.size <= 20 else c.bold * 0.75
    capsule_outline(c, 5.6, 10.4, 3.2, 2.4, -45, w, BLUE)
    capsule_outline(c, 10.4, 5.6, 3.2, 2.4, -45, w, BLUE)


def draw_pause(c):
    disc(c, AMBER)
    glyph_pause(c, 8, 8, s=1.5)


def draw_about_program(c):
    emblem(c, GREEN)


def draw_check_updates(c):
    w = c.bold
    circling_arrows(c, 8, 8, 6 if c.size == 16 else 5.6, w, GREEN, head=2.6, pair=False)
    c.rect(8 - w / 2, 4.6, 8 + w / 2, 9.2, GREEN)
    c.poly([(5.6, 8.4), (10.4, 8.4), (8, 11.2)], GREEN)


def draw_donate(c):
    pts = []
    for i in range(0, 361, 5):
        t = math.radians(i)
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t))
        pts.append((8 + x * 0.43, 7.6 + y * 0.43))
    c.poly(pts, PINK)


def draw_license(c):
    paper(c, 1.5, 1, 12.5, 13)
    text_lines(c, 4, 10, [(3.5, 1), (6, 1), (8.5, 0.6)])
    c.circle(11, 10.2, 3.2 + c.px(1), CLEAR)
    c.poly([(9.2, 11), (9.2, 15.8), (11, 14.4), (12.8, 15.8), (12.8, 11)], RED_DARK)
    c.circle(11, 10.2, 3.2, RED)
    c.circle(11, 10.2, 1.3, ROSE)


def draw_components(c):
    c.rect(1.5, 4.5, 12.5, 15, BLUE, r=1.0)
    c.circle(7, 3.2, 2.2, BLUE)
    c.circle(13.2, 9.7, 2.2, BLUE)
    c.circle(1.3, 9.7, 2.0, CLEAR)
    c.circle(7, 15.3, 2.0, CLEAR)


def draw_app(c):
    emblem(c, GREEN, shaded=True)


def tray(figure_color, badge_color=None, glyph=None, glyph_color=WHITE):
    def draw(c):
        emblem(c, figure_color)
        if badge_color:
            badge(c, badge_color, glyph, glyph_color)
    return draw


def draw_card(c):
    c.rect(0.5, 3, 15.5, 13, BLUE, r=1.5)
    c.rect(0.5, 5, 15.5, 7, DARK)
    c.rect(2.5, 9, 6, 11, AMBER, r=0.4)
    c.rect(8.5, 9.5, 13.5, 10.5, SKY)


def draw_wallet(c):
    c.rect(2.5, 1.5, 12, 6, SKY, r=0.8)
    c.rect(0.5, 3.5, 15.5, 14.5, TEAL, r=1.6)
    c.rect(9, 7, 15.5, 11.5, TEAL_DARK, r=1.2)
    c.circle(11.4, 9.25, 0.9, AMBER)


# ---------------------------------------------------------------------------------------------
# Output

LIST_SIZES = [16, 20, 24, 32, 40, 48, 64]
TRAY_SIZES = [16, 20, 24, 32, 40, 48]
APP_SIZES = [16, 20, 24, 32, 40, 48, 64, 96, 128, 256]

# Index in the main image list, define name, drawing.
LIST_IMAGES = [
    (1, "ADD", draw_add),
    (2, "EDIT", draw_edit),
    (3, "DELETE", draw_delete),
    (4, "OPTIONS", draw_options),
    (5, "LOG", draw_log),
    (6, "START", draw_start),
    (7, "OK", draw_ok),
    (8, "RUNNING", draw_running),
    (10, "ABOUT", draw_about),
    (11, "CLOSE", draw_close),
    (12, "DELETE_ALL", draw_delete_all),
    (13, "APPLY_LANGUAGE", draw_apply_language),
    (15, "ACTIVATE_ALL", draw_activate_all),
    (16, "DEACTIVATE_ALL", draw_deactivate_all),
    (17, "IMPORT", draw_import),
    (18, "WAIT", draw_wait),
    (20, "STOP", draw_stop),
    (21, "TASK_LIST", draw_task_list),
    (22, "SHOW", draw_show),
    (23, "CHANGE_LANGUAGE", draw_change_language),
    (24, "CREATE_LINK", draw_create_link),
    (25, "PAUSE", draw_pause),
    (26, "ABOUT_PROGRAM", draw_about_program),
    (27, "CHECK_UPDATES", draw_check_updates),
    (29, "DONATE", draw_donate),
    (30, "LICENSE", draw_license),
    (31, "COMPONENTS", draw_components),
]

TRAY_IMAGES = [
    tray(GREY),
    tray(GREEN),
    tray(GREEN, ORANGE, "clock"),
    tray(GREEN, BLUE, "arrows"),
    tray(GREEN, AMBER, "pause", DARK),
    tray(GREEN, DARK, "stop"),
    tray(GREY, GREEN_DARK, "tick"),
    tray(GREEN, GREEN_DARK, "tick"),
]

IMG_BASE, TRAY_BASE = 200, 100
IMG_COUNT = 33


def render(draw, size):
    c = Canvas(size)
    draw(c)
    return c.result()


def dib_entry(im):
    w, h = im.size
    px = im.load()
    rows, mask = [], []
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            row += bytes((b, g, r, a)) if a else b"\0\0\0\0"
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
        mask.append(bytes(bits))
    data = b"".join(rows) + b"".join(mask)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(data), 0, 0, 0, 0)
    return header + data


def png_entry(im):
    out = io.BytesIO()
    im.save(out, format="PNG", optimize=True)
    return out.getvalue()


def ico_bytes(images):
    blobs = [png_entry(im) if im.size[0] >= PNG_FROM else dib_entry(im) for im in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for im, blob in zip(images, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def all_icons():
    """(define name, resource id, file name, drawing, sizes) of every icon."""
    icons = [("IDI_APP", 1, "app.ico", draw_app, APP_SIZES)]
    icons += [(f"IDI_TRAY{i}", TRAY_BASE + i, f"tray{i}.ico", d, TRAY_SIZES) for i, d in enumerate(TRAY_IMAGES)]
    icons += [(f"IDI_IMG_{name}", IMG_BASE + n, f"img{n:02d}.ico", d, LIST_SIZES) for n, name, d in LIST_IMAGES]
    icons += [
        ("IDI_LOGO", 300, "logo.ico", draw_app, [64, 96, 128]),
        ("IDI_PAY1", 301, "pay1.ico", draw_card, [32, 48, 64]),
        ("IDI_PAY2", 302, "pay2.ico", draw_wallet, [32, 48, 64]),
    ]
    return icons


GENERATED = "Generated by scripts/gen-images.py; do not edit."


def write_header(path, icons):
    lines = [f"// {GENERATED}", "// Icon resource ids; the main image list's picture n is IDI_IMG_BASE + n.",
             "#ifndef LENTORA_IMAGE_IDS_H", "#define LENTORA_IMAGE_IDS_H", "",
             f"#define IDI_TRAY_BASE {TRAY_BASE}", f"#define IDI_TRAY_COUNT {len(TRAY_IMAGES)}",
             f"#define IDI_IMG_BASE {IMG_BASE}",
             f"#define IDI_IMG_COUNT {IMG_COUNT}  // entries of the main image list; the others have no picture", ""]
    lines += [f"#define {name} {rid}" for name, rid, *_ in icons]
    lines += ["", "#endif", ""]
    path.write_text("\n".join(lines))


def write_rc(path, icons):
    lines = [f"// {GENERATED}", '#include "image_ids.h"', ""]
    lines += [f'{name} ICON "icons/{file}"' for name, _, file, *_ in icons]
    path.write_text("\n".join(lines) + "\n")


def contact_sheet(rendered, path):
    """Every icon at 16, 32 and 64 px on light and dark, the small sizes magnified 4x."""
    cell_w = 64 + 128 + 64 + 24
    sheet_cols = 2
    cell_h = 128 + 12
    rows = (len(rendered) + sheet_cols - 1) // sheet_cols
    sheet = Image.new("RGB", (sheet_cols * 2 * cell_w, rows * cell_h), (128, 128, 128))
    for i, (name, images) in enumerate(rendered):
        col, row = i % sheet_cols, i // sheet_cols
        for j, bg in enumerate(((243, 243, 243), (32, 32, 32))):
            x0, y0 = (col * 2 + j) * cell_w, row * cell_h
            tile = Image.new("RGBA", (cell_w, cell_h), bg + (255,))
            x = 4
            for size in (16, 32, 64):
                im = images.get(size) or images[max(images)].resize((size, size), Image.LANCZOS)
                scale = 4 if size <= 32 else 1
                big = im.resize((size * scale, size * scale), Image.NEAREST)
                tile.alpha_composite(big, (x, 4))
                x += size * scale + 8
            sheet.paste(tile.convert("RGB"), (x0, y0))
    sheet.save(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", help="also write a contact sheet PNG of every icon to this path")
    args = parser.parse_args()
    root = pathlib.Path(__file__).resolve().parent.parent / "resources"
    (root / "icons").mkdir(parents=True, exist_ok=True)
    icons = all_icons()
    rendered = []
    for name, _, file, draw, sizes in icons:
        images = {s: render(draw, s) for s in sizes}
        (root / "icons" / file).write_bytes(ico_bytes([images[s] for s in sizes]))
        rendered.append((name, images))
    write_header(root / "image_ids.h", icons)
    write_rc(root / "images.rc", icons)
    if args.sheet:
        contact_sheet(rendered, args.sheet)


if __name__ == "__main__":
    main()
