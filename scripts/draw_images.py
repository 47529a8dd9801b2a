#!/usr/bin/env python3
"""Draw the program's toolbar bitmap and icons.

Every image is drawn here from rectangles, lines, polygons and small
hand-made pixel maps, and written as BMP / ICO bytes packed with struct, so
the build needs nothing beyond the Python standard library and the output is
the same bytes on every run.

    python3 draw_images.py OUTPUT_DIR            write the images
    python3 draw_images.py --check OUTPUT_DIR    re-read and verify them
    python3 draw_images.py --self-test           prove --check spots damage

Files written:
    toolbar.bmp  24-bit strip, 129 x 16: eight 16 x 16 toolbar images from
                 x = 0 (new, open, save, print, cut, copy, paste, help); the
                 last column is background.  The image list is loaded without
                 a mask colour, so the background is the classic button face
                 grey, RGB 212,208,200, and is shown as it is.
    toolbar-N.bmp the same eight images drawn at N x N (N = 20, 24, 28, 32,
                 40, 48) for screens scaled to 125 % ... 300 %: the strip is
                 8 * N + 1 wide.  They are drawn at that size from the same
                 design, never enlarged from the 16-pixel images.
    app.ico      class icon: 32 x 32 and 16 x 16, and the big-icon sizes of
                 the larger scales, 32-bit BGRA
    small.ico    small class icon: 16 x 16 and the small-icon sizes of the
                 larger scales, 32-bit BGRA
    tray.ico     notification-area icon: 32 x 32, 24 x 24 and 16 x 16, and the
                 small-icon sizes of the larger scales
"""

import argparse
import hashlib
import math
import os
import struct
import sys
import tempfile

# ---------------------------------------------------------------------------
# Colours (RGB).  The toolbar keeps to the classic 16-colour look: black
# outlines, white paper, greys, navy, yellow.
# ---------------------------------------------------------------------------

BUTTON_FACE = (212, 208, 200)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
NAVY = (0, 0, 128)
BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)
DARK_YELLOW = (192, 160, 0)
MAROON = (128, 0, 0)
GREEN = (0, 192, 0)
BROWN = (160, 96, 32)

# Book icon colours.
COVER = (176, 24, 24)
COVER_LIGHT = (216, 64, 56)
COVER_DARK = (112, 8, 8)
PAPER = (250, 244, 224)
PAPER_EDGE = (200, 188, 160)
GOLD = (252, 212, 96)

TRANSPARENT = None  # an icon pixel left out of the shape

TOOLBAR_CELL = 16
# The image sizes of the screen scales the program draws for: 100 %, 125 %,
# 150 %, 175 %, 200 %, 250 % and 300 %.
TOOLBAR_CELLS = (16, 20, 24, 28, 32, 40, 48)
SMALL_ICON_SIZES = (20, 24, 28, 32, 40, 48)
BIG_ICON_SIZES = (40, 48, 56, 64, 80, 96)
ICON_SIZES = {
    "app.ico": (32, 16) + BIG_ICON_SIZES,
    "small.ico": (16,) + SMALL_ICON_SIZES,
    "tray.ico": (32, 24, 16) + tuple(s for s in SMALL_ICON_SIZES if s not in (24, 32)),
}


def toolbar_name(cell):
    return "toolbar.bmp" if cell == TOOLBAR_CELL else f"toolbar-{cell}.bmp"


def toolbar_size(cell):
    """The strip's width and height: eight cells and one spare column."""
    return (8 * cell + 1, cell)


# ---------------------------------------------------------------------------
# A small raster with the drawing operations the images need.
# Coordinates are inclusive pixel positions, (0, 0) at the top left.
# ---------------------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.rows = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        # Drawing outside the canvas is a mistake in the drawing code, not
        # something to clip quietly: it would spill into a neighbouring
        # toolbar cell.
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise ValueError(f"pixel ({x}, {y}) outside {self.width}x{self.height}")
        self.rows[y][x] = colour

    def get(self, x, y):
        return self.rows[y][x]

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.put(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        """Bresenham line, both ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.put(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rect(self, x0, y0, x1, y1, fill=None, outline=None):
        if fill is not None:
            for y in range(y0, y1 + 1):
                self.hline(x0, x1, y, fill)
        if outline is not None:
            self.hline(x0, x1, y0, outline)
            self.hline(x0, x1, y1, outline)
            self.vline(x0, y0, y1, outline)
            self.vline(x1, y0, y1, outline)

    def polygon(self, points, fill=None, outline=None):
        """Fill the pixels whose centres lie inside, then stroke the edges.

        The outline covers the boundary pixels, so how the fill treats
        pixels exactly on an edge never shows.
        """
        if fill is not None:
            ys = [p[1] for p in points]
            edges = list(zip(points, points[1:] + points[:1]))
            for y in range(min(ys), max(ys) + 1):
                crossings = []
                for (xa, ya), (xb, yb) in edges:
                    if (ya <= y < yb) or (yb <= y < ya):
                        crossings.append(xa + (y - ya) * (xb - xa) / (yb - ya))
                crossings.sort()
                for left, right in zip(crossings[0::2], crossings[1::2]):
                    start = int(-(-left // 1))  # ceil
                    for x in range(start, int(right // 1) + 1):
                        self.put(x, y, fill)
        if outline is not None:
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                self.line(xa, ya, xb, yb, outline)

    def pixels(self, x, y, rows, palette):
        """Stamp a hand-made pixel map; characters not in palette are skipped."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in palette:
                    self.put(x + dx, y + dy, palette[ch])

    def blit(self, other, x, y):
        for dy in range(other.height):
            for dx in range(other.width):
                self.put(x + dx, y + dy, other.get(dx, dy))


# ---------------------------------------------------------------------------
# Drawing one 16 x 16 design at any size.
# ---------------------------------------------------------------------------

def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def stroke(canvas, corners, width, colour):
    """A polyline through canvas coordinates: every pixel whose centre lies
    within width / 2 of it."""
    segments = list(zip(corners, corners[1:])) or [(corners[0], corners[0])]
    half = width / 2
    for y in range(canvas.height):
        for x in range(canvas.width):
            if min(_segment_distance(x + 0.5, y + 0.5, *a, *b) for a, b in segments) <= half:
                canvas.put(x, y, colour)


class Grid:
    """A canvas of size x size addressed in the pixels of the 16 x 16 design.

    Design pixel v covers canvas pixels lo(v) .. hi(v), so lines keep their
    share of the image and shapes land where the design puts them.  At 16
    every operation is exactly the Canvas one; at other sizes polygons and
    strokes are rasterised from their geometry, never enlarged from pixels.
    """

    def __init__(self, size, background):
        self.canvas = Canvas(size, size, background)
        self.k = size / TOOLBAR_CELL

    def lo(self, v):
        return int(v * self.k + 1e-9)

    def hi(self, v):
        return int((v + 1) * self.k + 1e-9) - 1

    def _fill(self, x0, y0, x1, y1, colour):
        for y in range(self.lo(y0), self.hi(y1) + 1):
            self.canvas.hline(self.lo(x0), self.hi(x1), y, colour)

    def put(self, x, y, colour):
        self._fill(x, y, x, y, colour)

    def hline(self, x0, x1, y, colour):
        self._fill(min(x0, x1), y, max(x0, x1), y, colour)

    def vline(self, x, y0, y1, colour):
        self._fill(x, min(y0, y1), x, max(y0, y1), colour)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None):
        if fill is not None:
            self._fill(x0, y0, x1, y1, fill)
        if outline is not None:
            self.hline(x0, x1, y0, outline)
            self.hline(x0, x1, y1, outline)
            self.vline(x0, y0, y1, outline)
            self.vline(x1, y0, y1, outline)

    def _centre(self, x, y):
        """A design pixel's centre in canvas coordinates."""
        return ((x + 0.5) * self.k, (y + 0.5) * self.k)

    def _cover(self, inside):
        c = self.canvas
        for y in range(c.height):
            for x in range(c.width):
                colour = inside(x + 0.5, y + 0.5)
                if colour is not None:
                    c.put(x, y, colour)

    def polygon(self, points, fill=None, outline=None):
        if self.k == 1:
            self.canvas.polygon(points, fill, outline)
            return
        corners = [self._centre(x, y) for x, y in points]
        edges = list(zip(corners, corners[1:] + corners[:1]))
        half = self.k / 2

        def inside(px, py):
            near = min(_segment_distance(px, py, *a, *b) for a, b in edges)
            if outline is not None and near <= half:
                return outline
            if fill is None:
                return None
            crossings = sum(1 for (ax, ay), (bx, by) in edges
                            if (ay <= py < by or by <= py < ay)
                            and px < ax + (py - ay) * (bx - ax) / (by - ay))
            return fill if crossings % 2 or near <= half else None
        self._cover(inside)

    def stroke(self, points, width, colour):
        """A polyline through design coordinates, width in design pixels."""
        stroke(self.canvas, [self._centre(x, y) for x, y in points], width * self.k, colour)

    def ring(self, cx, cy, outer, inner, colour):
        """A ring around a design point, radii in design pixels."""
        ox, oy = self._centre(cx, cy)

        def inside(px, py):
            d = math.hypot(px - ox, py - oy)
            return colour if inner * self.k <= d <= outer * self.k else None
        self._cover(inside)

    def pixels(self, x, y, rows, palette):
        """A hand-made pixel map: only ever stamped at the design's own size."""
        assert self.k == 1, "pixel maps are not enlarged"
        self.canvas.pixels(x, y, rows, palette)


# ---------------------------------------------------------------------------
# Toolbar images, one cell each, designed on a 16 x 16 grid.
# ---------------------------------------------------------------------------

def draw_sheet(c, x0, y0, x1, y1, text=None):
    """A sheet of paper with a folded top-right corner, optionally with
    lines of text."""
    fold = 3
    outline = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.polygon(outline, fill=WHITE, outline=BLACK)
    # The turned-down corner.
    c.vline(x1 - fold, y0, y0 + fold, BLACK)
    c.hline(x1 - fold, x1, y0 + fold, BLACK)
    c.put(x1 - fold + 1, y0 + fold - 1, SILVER)
    if text is not None:
        for y in range(y0 + 3, y1 - 1, 2):
            right = x1 - 2 if y > y0 + fold else x1 - fold - 1
            c.hline(x0 + 2, right, y, text)


def draw_new_page(size):
    c = Grid(size, BUTTON_FACE)
    draw_sheet(c, 3, 1, 12, 14)
    # A faint shade along the inner right and bottom edges gives the blank
    # sheet some body without suggesting text.
    c.vline(11, 5, 13, SILVER)
    c.hline(4, 11, 13, SILVER)
    return c.canvas


def draw_open_folder(size):
    c = Grid(size, BUTTON_FACE)
    # Back of the folder with its tab.
    back = [(1, 3), (2, 2), (5, 2), (6, 3), (12, 3), (12, 13), (1, 13)]
    c.polygon(back, fill=DARK_YELLOW, outline=BLACK)
    c.hline(2, 5, 3, YELLOW)
    c.vline(2, 4, 11, YELLOW)
    # Front flap swinging open towards the viewer.
    front = [(1, 13), (4, 7), (15, 7), (12, 13)]
    c.polygon(front, fill=YELLOW, outline=BLACK)
    c.hline(5, 13, 8, WHITE)
    return c.canvas


def draw_diskette(size):
    c = Grid(size, BUTTON_FACE)
    body = [(1, 1), (13, 1), (14, 2), (14, 14), (1, 14)]
    c.polygon(body, fill=NAVY, outline=BLACK)
    # Metal shutter with its window.
    c.rect(4, 1, 11, 5, fill=SILVER, outline=BLACK)
    c.rect(8, 2, 9, 4, fill=NAVY)
    # Paper label.
    c.rect(3, 8, 12, 14, fill=WHITE, outline=BLACK)
    c.hline(4, 11, 10, GREY)
    c.hline(4, 11, 12, GREY)
    return c.canvas


def draw_printer(size):
    c = Grid(size, BUTTON_FACE)
    # Paper waiting in the feeder.
    c.rect(4, 1, 11, 6, fill=WHITE, outline=BLACK)
    c.hline(6, 9, 3, GREY)
    # Body with a lit top edge and shaded base.
    c.rect(1, 6, 14, 12, fill=SILVER, outline=BLACK)
    c.hline(2, 13, 7, WHITE)
    c.hline(2, 13, 11, GREY)
    c.put(12, 9, GREEN)
    # Printed page coming out of the front.
    c.rect(3, 10, 12, 14, fill=WHITE, outline=BLACK)
    c.hline(5, 10, 12, GREY)
    return c.canvas


def draw_scissors(size):
    c = Grid(size, BUTTON_FACE)
    if size == TOOLBAR_CELL:
        c.pixels(0, 0, [
            "..K..........K..",
            "..KK........KK..",
            "..KWK......KWK..",
            "...KWK....KWK...",
            "...KSWK..KWSK...",
            "....KSWKKWSK....",
            ".....KSWWSK.....",
            "......KSSK......",
            "......KKKK......",
            ".....RRKKRR.....",
            "..RRRRR..RRRRR..",
            ".RR...R..R...RR.",
            ".R....R..R....R.",
            ".R...RR..RR...R.",
            ".RRRRR....RRRRR.",
            "..RRR......RRR..",
        ], {"K": BLACK, "W": WHITE, "S": SILVER, "R": MAROON})
        return c.canvas
    # The same scissors from their geometry: two outlined blades crossing at
    # the pivot, and a ring handle below each.
    for blade in ([(2.5, 0.5), (8.5, 8.5)], [(13.5, 0.5), (7.5, 8.5)]):
        c.stroke(blade, 2.6, BLACK)
        c.stroke(blade, 1.0, SILVER)
    c.stroke([(7.5, 8.5), (8.5, 8.5)], 1.6, BLACK)
    for cx in (4.2, 11.8):
        c.stroke([(7.5, 9.0), (cx + 1.2, 10.6)], 1.4, MAROON)
        c.ring(cx, 12.4, 3.0, 1.7, MAROON)
    return c.canvas


def draw_copy_pages(size):
    c = Grid(size, BUTTON_FACE)
    draw_sheet(c, 1, 0, 9, 10, text=NAVY)
    draw_sheet(c, 6, 5, 14, 15, text=NAVY)
    return c.canvas


def draw_paste_clipboard(size):
    c = Grid(size, BUTTON_FACE)
    # Board.
    c.rect(1, 2, 11, 14, fill=BROWN, outline=BLACK)
    # Metal clip across the top edge.
    c.rect(3, 0, 9, 3, fill=SILVER, outline=BLACK)
    c.hline(5, 7, 1, BLACK)
    # The page that is about to be pasted, lying on the board.
    draw_sheet(c, 6, 5, 14, 15, text=NAVY)
    return c.canvas


def draw_help(size):
    c = Grid(size, BUTTON_FACE)
    if size == TOOLBAR_CELL:
        c.pixels(0, 0, [
            "................",
            ".....NNNNNN.....",
            "....NNBBBBNN....",
            "...NNN....NNN...",
            "...NNN....NNN...",
            "..........NNN...",
            ".........NNN....",
            "........NNN.....",
            ".......NNN......",
            ".......NNN......",
            ".......NNN......",
            "................",
            ".......NNN......",
            ".......NNN......",
            ".......NNN......",
            "................",
        ], {"N": NAVY, "B": BLUE})
        return c.canvas
    # The question mark from its geometry: a hook drawn as one thick stroke
    # with its lit top, and the dot below.
    hook = [(4.0, 4.0), (4.0, 3.0), (5.5, 1.6), (9.5, 1.6), (11.0, 3.0), (11.0, 4.6),
            (8.0, 7.6), (8.0, 10.0)]
    c.stroke(hook, 2.8, NAVY)
    c.stroke([(6.0, 2.0), (9.0, 2.0)], 0.8, BLUE)
    c.stroke([(8.0, 12.6), (8.0, 13.4)], 2.8, NAVY)
    return c.canvas


TOOLBAR_IMAGES = [
    draw_new_page,         # 0 blank page
    draw_open_folder,      # 1 opening folder
    draw_diskette,         # 2 diskette
    draw_printer,          # 3 printer
    draw_scissors,         # 4 scissors
    draw_copy_pages,       # 5 two pages
    draw_paste_clipboard,  # 6 clipboard with a page
    draw_help,             # 7 question mark
]


def draw_toolbar(cell=TOOLBAR_CELL):
    width, height = toolbar_size(cell)
    strip = Canvas(width, height, BUTTON_FACE)
    for index, draw in enumerate(TOOLBAR_IMAGES):
        strip.blit(draw(cell), index * cell, 0)
    return strip


# ---------------------------------------------------------------------------
# Icons: a closed red dictionary with the character 文 ("writing, language")
# on its cover.
# ---------------------------------------------------------------------------

GLYPH_WEN_SMALL = [
    "...#...",
    "#######",
    ".#...#.",
    "..#.#..",
    "...#...",
    ".##.##.",
    "##...##",
]

GLYPH_WEN_MEDIUM = [
    "....##....",
    "....##....",
    "##########",
    "##########",
    "..##..##..",
    "..##..##..",
    "...####...",
    "....##....",
    "...####...",
    ".###..###.",
    "##......##",
]

GLYPH_WEN_LARGE = [
    "......##......",
    "......##......",
    "##############",
    "##############",
    "...##....##...",
    "...##....##...",
    "....##..##....",
    "....##..##....",
    ".....####.....",
    "......##......",
    ".....####.....",
    "...###..###...",
    ".###......###.",
    "##..........##",
]

# Per icon size, laid out by hand so the small images stay crisp instead of
# being scaled from the large one:
#   cover     front cover rectangle (x0, y0, x1, y1)
#   depth     how far the block of pages shows below and right of the cover
#   back      whether the back cover shows as a rim beyond the pages
#   spine     width of the dark band along the hinge
#   glyph     the character's pixel map and its top-left corner
#   bands     rows of the gold rules above and below the character
BOOK_LAYOUTS = {
    32: dict(cover=(2, 1, 24, 26), depth=3, back=True, spine=3,
             glyph=GLYPH_WEN_LARGE, glyph_at=(9, 7), bands=(4, 23)),
    24: dict(cover=(2, 1, 18, 19), depth=2, back=True, spine=2,
             glyph=GLYPH_WEN_MEDIUM, glyph_at=(7, 5), bands=()),
    16: dict(cover=(0, 0, 12, 13), depth=2, back=False, spine=1,
             glyph=GLYPH_WEN_SMALL, glyph_at=(4, 3), bands=()),
}


def book_layout(size):
    """The hand-made layout where there is one; otherwise the 32-pixel one in
    proportion, with the character drawn at that size (a pixel map for the
    small sizes, strokes for the large ones)."""
    if size in BOOK_LAYOUTS:
        return BOOK_LAYOUTS[size]
    k = size / 32
    depth = max(2, round(3 * k))
    # The back cover ends on the last pixel, as in the 32-pixel layout.
    x0, y0 = round(2 * k), round(k)
    x1, y1 = min(round(24 * k), size - 3 - depth), size - 3 - depth
    layout = dict(cover=(x0, y0, x1, y1), depth=depth, back=True,
                  spine=max(1, round(3 * k)), bands=())
    if size >= 40:
        layout.update(glyph=None, glyph_at=(round(9 * k), round(7 * k)), glyph_size=round(14 * k),
                      bands=(round(4 * k), round(23 * k)))
        return layout
    glyph = GLYPH_WEN_SMALL if size < 24 else GLYPH_WEN_MEDIUM
    inner_x0 = x0 + layout["spine"] + 2
    gx = inner_x0 + (x1 - inner_x0 - len(glyph[0])) // 2
    gy = y0 + (y1 - y0 + 1 - len(glyph)) // 2
    layout.update(glyph=glyph, glyph_at=(gx, gy))
    return layout


def draw_wen(c, x, y, size, colour):
    """The character 文 in a size x size box: the dot, the bar, and the two
    sweeping strokes that cross below it."""
    w = max(2.0, size / 7)

    def at(u, v):
        return (x + u * size, y + v * size)
    stroke(c, [at(0.5, 0.02), at(0.5, 0.16)], w, colour)
    stroke(c, [at(0.02, 0.2), at(0.98, 0.2)], w, colour)
    stroke(c, [at(0.74, 0.34), at(0.04, 0.97)], w, colour)
    stroke(c, [at(0.26, 0.34), at(0.96, 0.97)], w, colour)


def draw_book(size):
    """The dictionary at one of the icon sizes."""
    layout = book_layout(size)
    x0, y0, x1, y1 = layout["cover"]
    d = layout["depth"]
    c = Canvas(size, size, TRANSPARENT)

    # The book's thickness: the back cover, then the block of pages, each
    # showing past the bottom-right of the front cover.
    if layout["back"]:
        c.rect(x0 + d + 1, y0 + d + 1, x1 + d + 2, y1 + d + 2,
               fill=COVER_DARK, outline=BLACK)
    c.rect(x0 + d, y0 + d, x1 + d, y1 + d, fill=PAPER, outline=BLACK)
    # Page edges: lines parallel to the cover along the fore-edge and foot.
    for k in range(2, d, 2):
        c.vline(x1 + k, y0 + d + 1, y1 + k, PAPER_EDGE)
        c.hline(x0 + d + 1, x1 + k, y1 + k, PAPER_EDGE)

    # Front cover with a dark spine band, a lit edge along the hinge and
    # the top, and the gold decoration.
    c.rect(x0, y0, x1, y1, fill=COVER, outline=BLACK)
    spine = layout["spine"]
    c.rect(x0 + 1, y0 + 1, x0 + spine, y1 - 1, fill=COVER_DARK)
    c.vline(x0 + spine + 1, y0 + 1, y1 - 1, COVER_LIGHT)
    c.hline(x0 + spine + 2, x1 - 1, y0 + 1, COVER_LIGHT)
    for y in layout["bands"]:
        c.hline(x0 + spine + 4, x1 - 3, y, GOLD)
    gx, gy = layout["glyph_at"]
    if layout["glyph"] is None:
        draw_wen(c, gx, gy, layout["glyph_size"], GOLD)
    else:
        c.pixels(gx, gy, layout["glyph"], {"#": GOLD})
    return c


def draw_app_icon():
    return [draw_book(size) for size in ICON_SIZES["app.ico"]]


def draw_small_icon():
    return [draw_book(size) for size in ICON_SIZES["small.ico"]]


def draw_tray_icon():
    return [draw_book(size) for size in ICON_SIZES["tray.ico"]]


# ---------------------------------------------------------------------------
# File encoders.
# ---------------------------------------------------------------------------

def encode_bmp24(canvas):
    """A bottom-up 24-bit BMP with a BITMAPINFOHEADER."""
    stride = (canvas.width * 3 + 3) & ~3
    pixel_bytes = bytearray()
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in canvas.rows[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixel_bytes += row
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24,
                       0, len(pixel_bytes), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_bytes), 0, 0, offset)
    return header + info + bytes(pixel_bytes)


def encode_icon_image(canvas):
    """One 32-bit icon image: header with doubled height, BGRA rows, then
    the 1-bit AND mask (set where the pixel is transparent), both bottom-up."""
    w, h = canvas.width, canvas.height
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x, px in enumerate(canvas.rows[y]):
            if px is TRANSPARENT:
                colour += bytes(4)
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = px
                colour += bytes((b, g, r, 255))
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def encode_ico(canvases):
    images = [encode_icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 0, 0,
                           1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def render_all():
    """File name -> bytes for every output."""
    files = {toolbar_name(cell): encode_bmp24(draw_toolbar(cell)) for cell in TOOLBAR_CELLS}
    return {
        **files,
        "app.ico": encode_ico(draw_app_icon()),
        "small.ico": encode_ico(draw_small_icon()),
        "tray.ico": encode_ico(draw_tray_icon()),
    }


def write_all(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for name, data in render_all().items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


# ---------------------------------------------------------------------------
# Checking.  The reader below parses the files from their bytes alone, the way
# the resource compiler and Windows will, rather than comparing with what the
# encoders above would produce.
# ---------------------------------------------------------------------------

def check_bmp(data, cell=TOOLBAR_CELL):
    expected_size = toolbar_size(cell)
    problems = []
    if len(data) < 54:
        return ["file shorter than the BMP headers"]
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    (hsize, width, height, planes, bpp, compression,
     image_size, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if magic != b"BM":
        problems.append("missing BM signature")
    if file_size != len(data):
        problems.append(f"header says {file_size} bytes, file has {len(data)}")
    if hsize != 40:
        problems.append(f"info header size {hsize}, expected 40")
    if (width, height) != expected_size:
        problems.append(f"size {width}x{height}, expected {expected_size[0]}x{expected_size[1]}"
                        + (" (top-down)" if height < 0 else ""))
    if planes != 1 or bpp != 24 or compression != 0 or used != 0:
        problems.append(f"planes={planes} bpp={bpp} compression={compression} "
                        f"colours used={used}, expected an uncompressed 24-bit bitmap")
    stride = (abs(width) * 3 + 3) // 4 * 4
    needed = stride * abs(height)
    if offset != 54:
        problems.append(f"pixel data at {offset}, expected 54")
    if image_size not in (0, needed):
        problems.append(f"image size field {image_size}, expected {needed}")
    if offset + needed != len(data):
        problems.append(f"pixel data {len(data) - offset} bytes, expected {needed}")
    if problems:
        return problems

    def pixel(x, y):  # y counted from the top
        at = offset + (height - 1 - y) * stride + 3 * x
        b, g, r = data[at:at + 3]
        return (r, g, b)

    # Every cell's corner and the spare last column must be background:
    # with no mask colour, anything else shows as a smudge on the button.
    for y in range(height):
        if pixel(width - 1, y) != BUTTON_FACE:
            problems.append(f"last column not background at y={y}")
            break
    for image in range(len(TOOLBAR_IMAGES)):
        x = image * cell
        if pixel(x, 0) != BUTTON_FACE and pixel(x + cell - 1, cell - 1) != BUTTON_FACE:
            problems.append(f"image {image} has no background in its corners")
        drawn = sum(pixel(x + dx, y) != BUTTON_FACE
                    for dx in range(cell) for y in range(height))
        if drawn < cell * cell // 12:
            problems.append(f"image {image} is nearly empty ({drawn} pixels drawn)")
    return problems


def check_ico(data, sizes):
    problems = []
    if len(data) < 6:
        return ["file shorter than the icon directory"]
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        problems.append(f"directory reserved={reserved} type={kind}, expected 0 and 1")
    if count != len(sizes):
        problems.append(f"{count} images, expected {len(sizes)}")
    if 6 + 16 * count > len(data):
        return problems + ["directory runs past the end of the file"]
    seen = []
    end_of_previous = 6 + 16 * count
    for i in range(count):
        w, h, colours, res, planes, bpp, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        seen.append(w)
        label = f"image {i} ({w}x{h})"
        if w != h:
            problems.append(f"{label} is not square")
        if colours != 0 or res != 0 or planes != 1 or bpp != 32:
            problems.append(f"{label} entry colours={colours} reserved={res} "
                            f"planes={planes} bpp={bpp}, expected 0/0/1/32")
        if offset < end_of_previous or offset + length > len(data):
            problems.append(f"{label} data at {offset}+{length} overlaps or runs past the file")
            continue
        end_of_previous = offset + length
        image = data[offset:offset + length]
        if len(image) < 40:
            problems.append(f"{label} too short for its header")
            continue
        (hsize, bw, bh, bplanes, bbpp, compression,
         image_size, _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", image, 0)
        if (hsize, bw, bh, bplanes, bbpp, compression) != (40, w, 2 * h, 1, 32, 0):
            problems.append(f"{label} header {hsize}/{bw}x{bh}/{bplanes}/{bbpp}/{compression}, "
                            f"expected 40/{w}x{2 * h}/1/32/0")
            continue
        mask_stride = (w + 31) // 32 * 4
        colour_len = 4 * w * h
        expected = 40 + colour_len + mask_stride * h
        if length != expected:
            problems.append(f"{label} holds {length} bytes, expected {expected} "
                            "(colour rows and AND mask)")
            continue
        if image_size not in (0, expected - 40):
            problems.append(f"{label} image size field {image_size}, expected {expected - 40}")
        # The AND mask must agree with the alpha channel: Windows uses the
        # mask where it cannot blend, so a mismatch shows as a black or
        # hollow shape there.
        opaque = 0
        for row in range(h):
            for x in range(w):
                alpha = image[40 + 4 * (row * w + x) + 3]
                bit = image[40 + colour_len + row * mask_stride + x // 8] >> (7 - x % 8) & 1
                if (alpha == 0) != (bit == 1):
                    problems.append(f"{label} mask and alpha disagree at x={x}, row {row}")
                    break
                opaque += alpha == 255
            else:
                continue
            break
        if opaque < w * h // 4:
            problems.append(f"{label} is nearly empty ({opaque} opaque pixels)")
    if sorted(seen, reverse=True) != sorted(sizes, reverse=True):
        problems.append(f"image sizes {seen}, expected {list(sizes)}")
    if end_of_previous != len(data):
        problems.append(f"{len(data) - end_of_previous} stray bytes after the last image")
    return problems


def check_data(files):
    """File name -> bytes (or None when missing) -> list of problems."""
    problems = []
    cells = {toolbar_name(cell): cell for cell in TOOLBAR_CELLS}
    for name in list(cells) + list(ICON_SIZES):
        data = files.get(name)
        if data is None:
            problems.append(f"{name}: missing")
            continue
        found = check_bmp(data, cells[name]) if name in cells else check_ico(data, ICON_SIZES[name])
        problems += [f"{name}: {p}" for p in found]
    return problems


def check_dir(out_dir):
    files = {}
    for name in [toolbar_name(cell) for cell in TOOLBAR_CELLS] + list(ICON_SIZES):
        path = os.path.join(out_dir, name)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                files[name] = f.read()
    return check_data(files)


# The images shown at 100 %, as the program has always shipped them: drawing
# the other scales must leave these exactly as they are.
UNSCALED_TOOLBAR_SHA256 = "11ea1ecc57f96648de0ddebaa5963fc1b357f760dbe4e2fb91610a1b2f0c06c3"
UNSCALED_ICON_SHA256 = {
    16: "98504c30cb2014f1ad19c92b805cc2104e5ebc735ec0100b8867f5898c65e05f",
    24: "125591da84163b2809667e924fb55dd7676e42e67dc5aa1ae9ed061ff18eeefe",
    32: "0d9360bf832bfbaf3bb0ce4be4ba2fe5a3d990eafe27abd8504eb7f5a8698666",
}


def self_test():
    """Draw twice, check the result, then damage the files in ways a broken
    encoder could and make sure the checker notices each one."""
    failures = []
    first, second = render_all(), render_all()
    if first != second:
        failures.append("two renders differ: output is not deterministic")
    if hashlib.sha256(first["toolbar.bmp"]).hexdigest() != UNSCALED_TOOLBAR_SHA256:
        failures.append("the 16-pixel toolbar strip changed")
    for size, digest in UNSCALED_ICON_SHA256.items():
        if hashlib.sha256(encode_icon_image(draw_book(size))).hexdigest() != digest:
            failures.append(f"the {size}-pixel icon image changed")
    with tempfile.TemporaryDirectory() as tmp:
        write_all(tmp)
        problems = check_dir(tmp)
        if problems:
            failures.append("fresh output fails the check: " + "; ".join(problems))
        if check_dir(os.path.join(tmp, "absent")) == []:
            failures.append("an empty folder passes the check")

    def damaged(name, change):
        files = dict(first)
        files[name] = change(bytearray(files[name]))
        return check_data(files)

    def poke(offset, fmt, value):
        def change(b):
            struct.pack_into(fmt, b, offset, value)
            return bytes(b)
        return change

    bmp_row = (toolbar_size(TOOLBAR_CELL)[0] * 3 + 3) // 4 * 4
    # small.ico's first image, the 16 x 16 one, follows its directory.
    small = 6 + 16 * len(ICON_SIZES["small.ico"])
    cases = {
        "BMP signature": ("toolbar.bmp", poke(0, "<2s", b"MB")),
        "BMP width": ("toolbar.bmp", poke(18, "<i", 128)),
        "BMP top-down": ("toolbar.bmp", poke(22, "<i", -16)),
        "BMP 32-bit": ("toolbar.bmp", poke(28, "<H", 32)),
        "BMP truncated": ("toolbar.bmp", lambda b: bytes(b[:-1])),
        "BMP unpadded rows": ("toolbar.bmp", lambda b: bytes(b[:54 + 16 * 387])),
        "BMP last column drawn": ("toolbar.bmp", poke(54 + 5 * bmp_row + 128 * 3, "<3s", b"\0\0\0")),
        "ICO type cursor": ("app.ico", poke(2, "<H", 2)),
        "ICO one image short": ("tray.ico", poke(4, "<H", 2)),
        "BMP 24-pixel strip cut to 16 wide cells": ("toolbar-24.bmp", poke(18, "<i", 129)),
        "BMP 48-pixel strip truncated": ("toolbar-48.bmp", lambda b: bytes(b[:-1])),
        "ICO entry 8-bit": ("small.ico", poke(6 + 6, "<H", 8)),
        "ICO header height not doubled": ("small.ico", poke(small + 8, "<i", 16)),
        "ICO mask missing": ("small.ico", lambda b: bytes(b[:small + 40 + 16 * 16 * 4])),
        "ICO offset past end": ("app.ico", poke(6 + 12, "<I", 1 << 20)),
        "ICO mask bit flipped": ("small.ico", poke(small + 40 + 16 * 16 * 4, "<B", 0x00)),
        "ICO stray tail": ("tray.ico", lambda b: bytes(b) + b"\0"),
    }
    for label, (name, change) in cases.items():
        if not damaged(name, change):
            failures.append(f"damage not detected: {label}")
    return failures


def main(argv=None):
    parser = argparse.ArgumentParser(description="Draw the toolbar bitmap and icons.")
    parser.add_argument("--check", action="store_true",
                        help="verify the files already in OUTPUT_DIR instead of writing them")
    parser.add_argument("--self-test", action="store_true",
                        help="render in memory and make sure --check catches damaged files")
    parser.add_argument("output_dir", nargs="?", metavar="OUTPUT_DIR")
    args = parser.parse_args(argv)

    if args.self_test:
        failures = self_test()
        for failure in failures:
            print(f"self-test: {failure}", file=sys.stderr)
        print("self-test: " + ("FAILED" if failures else "ok"))
        return 1 if failures else 0
    if args.output_dir is None:
        parser.error("OUTPUT_DIR is required")
    if args.check:
        problems = check_dir(args.output_dir)
        for problem in problems:
            print(f"check: {problem}", file=sys.stderr)
        if not problems:
            print(f"check: images in {args.output_dir} are sound")
        return 1 if problems else 0
    write_all(args.output_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main())
