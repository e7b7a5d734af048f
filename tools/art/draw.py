#!/usr/bin/python3
"""Draws the built-in pictures and writes pictures/art/ImageN.txt.

Usage:  tools/art/draw.py          To look at the result:  tools/art/contact_sheet.py --art

Every picture is built from masks (sets of pixels: polygons, ellipses, thick
lines, arcs) that are painted in flat colour with a black outline of one weight
per figure.  Colours are named as in pictures/palette.txt, which gives each its
letter.  Pose pairs are drawn by one function with a pose argument, so the shared
parts come out identical pixel for pixel.
"""
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
ART = os.path.join(ROOT, 'pictures', 'art')


def read_letters():
    """colour name -> letter, from pictures/palette.txt."""
    letters = {}
    with open(os.path.join(ROOT, 'pictures', 'palette.txt')) as f:
        for line in f:
            if line.strip() and not line.startswith('#'):
                parts = line.split()
                letters[' '.join(parts[4:])] = parts[0]
    return letters


LETTERS = read_letters()
BACKGROUND = 'background grey'


# ---------------------------------------------------------------- canvas
class Pic:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[BACKGROUND] * w for _ in range(h)]

    def set(self, x, y, c):
        if c not in LETTERS:
            sys.exit(f'draw.py: colour {c!r} is not in pictures/palette.txt')
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def paint(self, mask, col, outline='black', t=1):
        """Fill mask with col; pixels within t of the mask's edge are outline."""
        mask = {(x, y) for (x, y) in mask if 0 <= x < self.w and 0 <= y < self.h}
        inner = shrunk(mask, t)
        for (x, y) in mask:
            self.set(x, y, col if (outline is None or (x, y) in inner) else outline)

    def outline(self, mask, t):
        """Only the rim of a mask, t pixels wide."""
        self.fill(mask - shrunk(mask, t), 'black')

    def fill(self, mask, col):
        for (x, y) in mask:
            self.set(x, y, col)

    def close_pinholes(self, largest=3):
        """Grey specks shut in where two outlines meet at a sharp angle become outline."""
        seen = set()
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] != BACKGROUND or (x, y) in seen:
                    continue
                speck, todo, open_ = [], [(x, y)], False
                seen.add((x, y))
                while todo:
                    a, b = todo.pop()
                    speck.append((a, b))
                    open_ |= a in (0, self.w - 1) or b in (0, self.h - 1)
                    for q in ((a + 1, b), (a - 1, b), (a, b + 1), (a, b - 1)):
                        if (0 <= q[0] < self.w and 0 <= q[1] < self.h and q not in seen
                                and self.px[q[1]][q[0]] == BACKGROUND):
                            seen.add(q)
                            todo.append(q)
                if not open_ and len(speck) <= largest:
                    self.fill(speck, 'black')
        return self

    def text(self):
        return '\n'.join(''.join(LETTERS[c] for c in r) for r in self.px) + '\n'

    def flipped(self):
        p = Pic(self.w, self.h)
        p.px = [list(reversed(r)) for r in self.px]
        return p


# ---------------------------------------------------------------- masks
def shrunk(mask, t):
    """The mask without the pixels within t of its edge."""
    for _ in range(t):
        mask = {(x, y) for (x, y) in mask
                if (x - 1, y) in mask and (x + 1, y) in mask
                and (x, y - 1) in mask and (x, y + 1) in mask}
    return mask


def poly(pts):
    """Filled polygon (even-odd), sampled at pixel centres."""
    out = set()
    ys = [p[1] for p in pts]
    n = len(pts)
    for y in range(int(math.floor(min(ys))), int(math.ceil(max(ys))) + 1):
        yc = y + 0.5
        xs = []
        for i in range(n):
            (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
            if (y0 <= yc < y1) or (y1 <= yc < y0):
                xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                out.add((x, y))
    return out


def ellipse(cx, cy, rx, ry):
    out = set()
    for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
        for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
            dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                out.add((x, y))
    return out


def rect(x, y, w, h):
    return {(i, j) for i in range(x, x + w) for j in range(y, y + h)}


def line(x0, y0, x1, y1, r):
    """Thick segment: pixels whose centre lies within r of the segment."""
    out = set()
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9
    for y in range(int(min(y0, y1) - r) - 1, int(max(y0, y1) + r) + 2):
        for x in range(int(min(x0, x1) - r) - 1, int(max(x0, x1) + r) + 2):
            px, py = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / ll))
            qx, qy = x0 + t * dx - px, y0 + t * dy - py
            if qx * qx + qy * qy <= r * r:
                out.add((x, y))
    return out


def polyline(pts, r):
    out = set()
    for a, b in zip(pts, pts[1:]):
        out |= line(a[0], a[1], b[0], b[1], r)
    return out


def arc(cx, cy, rx, ry, a0, a1, r, steps=60):
    """Thick elliptical arc from angle a0 to a1 (degrees, y down)."""
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return polyline(pts, r)


def ring(cx, cy, rx, ry, thick, a0=0, a1=360):
    """Elliptical band of the given thickness, within the angle range."""
    outer = ellipse(cx, cy, rx, ry)
    inner = ellipse(cx, cy, rx - thick, ry - thick)
    out = set()
    for (x, y) in outer - inner:
        a = math.degrees(math.atan2(y + 0.5 - cy, x + 0.5 - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        ok = (lo <= a <= hi) if lo <= hi else (a >= lo or a <= hi)
        if a1 - a0 >= 360 or ok:
            out.add((x, y))
    return out


# ---------------------------------------------------------------- pictures
def saucer():
    """Image2: blue saucer, 68 x 51."""
    p = Pic(68, 51)
    dome = ellipse(34, 19, 15, 15) & rect(0, 0, 68, 20)
    p.paint(dome, 'blue')
    hull = ellipse(34, 27, 31, 12)
    p.paint(hull, 'blue')
    # keep the dome's outline where it meets the hull
    deck = ellipse(34, 19, 15, 15) & rect(0, 0, 68, 17)
    p.paint(deck, 'blue')
    # lower skirt and a short foot
    skirt = poly([(14, 36), (54, 36), (46, 44), (22, 44)])
    p.paint(skirt, 'blue')
    p.fill(rect(0, 26, 68, 2), 'black')              # rim line beyond the hull
    # portholes: two rows of four, evenly spaced about the middle (x 33.5); the lower
    # row closer together, as the hull narrows below the rim
    for i in range(4):
        p.fill(rect(16 + 11 * i, 21, 3, 3), BACKGROUND)
        p.fill(rect(19 + 9 * i, 31, 3, 2), BACKGROUND)
    # dome window
    p.fill(rect(31, 8, 6, 1), BACKGROUND)
    return p


def saucer_burst():
    """Image3: five blue shards flying apart, 75 x 54."""
    p = Pic(75, 54)
    shards = [
        [(2, 18), (24, 4), (20, 24)],
        [(32, 1), (52, 8), (38, 20)],
        [(55, 14), (74, 22), (57, 32)],
        [(8, 34), (30, 30), (18, 53)],
        [(40, 32), (66, 44), (42, 52)],
    ]
    for s in shards:
        p.paint(poly(s), 'blue')
    return p


def bar(w, h):
    p = Pic(w, h)
    p.paint(rect(0, 0, w, h), 'red')
    return p


def ball(w, h, col):
    p = Pic(w, h)
    p.paint(ellipse(w / 2, h / 2, w / 2, h / 2), col)
    return p


def apple(pic, x, y, rim):
    """A 10 x 8 apple with its top-left corner at x, y: round, but filling its box so
    that only its four corner pixels are grey."""
    box = rect(x, y, 10, 8) - {(x, y), (x + 9, y), (x, y + 7), (x + 9, y + 7)}
    pic.paint(box, 'magenta', rim)
    pic.fill({(x + 1, y + 1), (x + 8, y + 1), (x + 1, y + 6), (x + 8, y + 6)}, rim)


def filled(mask):
    """The mask with the gaps it encloses filled in."""
    xs, ys = [x for x, _ in mask], [y for _, y in mask]
    x0, x1, y0, y1 = min(xs) - 1, max(xs) + 1, min(ys) - 1, max(ys) + 1
    outside, todo = {(x0, y0)}, [(x0, y0)]
    while todo:
        a, b = todo.pop()
        for q in ((a + 1, b), (a - 1, b), (a, b + 1), (a, b - 1)):
            if x0 <= q[0] <= x1 and y0 <= q[1] <= y1 and q not in outside and q not in mask:
                outside.add(q)
                todo.append(q)
    return rect(x0, y0, x1 - x0 + 1, y1 - y0 + 1) - outside


def tree():
    """Image17: apple tree, 137 x 196."""
    p = Pic(137, 196)
    # trunk and its two boughs are one Y with one outline; the crown hides the boughs' ends
    trunk = (poly([(61, 170), (76, 170), (77, 182), (84, 197), (53, 197), (60, 182)])
             | line(66, 174, 50, 136, 3.4) | line(71, 174, 89, 134, 3.4))
    p.paint(trunk, 'brown')
    # the crown is a pile of round clumps of leaves, narrow at the top and wide at the
    # bottom, with one outline round the whole
    clumps = [(68, 18, 15), (68, 34, 12), (53, 40, 16), (84, 40, 16), (68, 50, 14),
              (41, 66, 19), (70, 66, 18), (97, 68, 19),
              (30, 95, 20), (58, 92, 20), (87, 94, 21), (112, 98, 18),
              (19, 123, 17), (44, 128, 19), (74, 126, 20), (103, 128, 19), (123, 124, 13)]
    crown = set()
    for (cx, cy, r) in clumps:
        crown |= ellipse(cx, cy, r, r * 0.95)
    crown = filled(crown)
    p.paint(crown, 'green')
    # inside the crown only the upper rim of each clump is drawn, like leaves
    for (cx, cy, r) in clumps[1:]:
        for (x, y) in arc(cx, cy, r - 0.5, r * 0.95 - 0.5, 205, 335, 0.5):
            if (x, y) in crown and p.get(x, y) == 'green':
                p.set(x, y, 'black')
    for (x, y) in ((63, 22), (46, 60), (84, 52), (58, 92), (100, 90), (80, 122), (30, 124)):
        apple(p, x, y, 'black')
    return p


def apple_pic():
    p = Pic(10, 8)
    apple(p, 0, 0, 'green')
    return p


def stick_man(pose):
    """Image19 (pose 1, legs apart) / Image20 (pose 0), 39 x 67, facing left; every
    line two pixels wide, the neck joining the head to the body."""
    p = Pic(39, 67)
    p.outline(ellipse(20, 9, 8, 8.5), 2)                          # head
    p.fill(rect(10, 9, 2, 2), 'black')                            # nose
    p.fill(rect(15, 6, 2, 2), 'black')                            # eye
    p.fill(rect(14, 13, 3, 1), 'black')                           # mouth
    p.fill(rect(20, 16, 2, 27), 'black')                          # neck and body
    r = 1.0
    if pose:                                                      # arms swing
        arms = polyline([(21, 23), (15.5, 30), (11, 36)], r) | \
            polyline([(21, 23), (25.5, 30), (29, 35)], r)
        legs = polyline([(21, 42), (13, 54), (7, 65), (3, 65)], r) | \
            polyline([(21, 42), (27, 54), (31, 65), (27, 65)], r)
    else:                                                         # the arm hangs straight
        arms = line(20, 23, 15, 38, r)
        legs = polyline([(21, 42), (19, 54), (19, 65), (14, 65)], r) | \
            polyline([(21, 42), (24, 54), (24, 65), (20, 65)], r)
    p.fill(arms | legs, 'black')
    return p


# -- letters of the banner: each a mask of thick strokes in a 60 x 92 box
def letter_masks():
    T = 8.5
    L = {}
    L['Э'] = ring(30, 46, 30, 46, 17, 215, 145) | line(20, 46, 52, 46, T - 1)
    L['В'] = (line(9, 6, 9, 86, T) | ring(24, 25, 26, 20, 16, 270, 90)
              | ring(26, 64, 30, 24, 16, 270, 90) | line(9, 8, 26, 8, T) | line(9, 44, 26, 44, T)
              | line(9, 85, 26, 85, T))
    L['Р'] = (line(9, 6, 9, 86, T) | ring(24, 28, 28, 23, 16, 270, 90)
              | line(9, 8, 26, 8, T) | line(9, 48, 26, 48, T))
    L['И'] = line(9, 6, 9, 86, T) | line(51, 6, 51, 86, T) | line(9, 84, 51, 8, T)
    L['К'] = line(9, 6, 9, 86, T) | line(12, 50, 51, 6, T) | line(18, 42, 51, 86, T)
    L['А'] = line(30, 5, 6, 86, T) | line(30, 5, 54, 86, T) | line(16, 60, 44, 60, T - 1.5)
    L['!'] = poly([(2, 2), (20, 2), (15, 64), (7, 64)]) | ellipse(11, 80, 9, 9)
    return L


def banner():
    """Image22: ЭВРИКА! 458 x 103."""
    p = Pic(458, 103)
    L = letter_masks()
    word = [('Э', 'red', 4, -3), ('В', 'blue', 74, 2), ('Р', 'yellow', 142, -2),
            ('И', 'magenta', 208, 3), ('К', 'crimson', 279, -1), ('А', 'green', 350, 2),
            ('!', 'sky blue', 424, -4)]
    for i, (ch, col, x0, tilt) in enumerate(word):
        y0 = 5 + (i % 2) * 4                      # letters bob up and down
        m = set()
        for (x, y) in L[ch]:
            # slight per-letter slant gives the hand-drawn look
            sx = x + int(round((46 - y) * tilt / 46.0))
            m.add((x0 + sx, y0 + y))
        p.paint(m, col, 'black', 2)
    return p


# -- people of scene 4: drawn facing left, the woman is flipped afterwards
def head(p, cx, cy, long_hair=False, s=1.0, t=1):
    """Profile head facing left, spiky hair, centred on cx, cy; the hair reaches 29 s
    above cy.  t is the outline's weight."""
    def q(v):
        return int(round(v * s))
    face = ellipse(cx, cy, 15 * s, 17 * s) | poly([(cx - 14 * s, cy - 2 * s), (cx - 20 * s, cy + 5 * s),
                                                   (cx - 13 * s, cy + 7 * s)])
    p.paint(face, 'orange', 'black', t)
    spikes = [(cx - 15 * s, cy - 4 * s)]
    n = 9
    for i in range(n + 1):
        a = math.radians(190 + 160 * i / n)
        rr = (26 if i % 2 == 0 else 15) * s
        spikes.append((cx + rr * math.cos(a), cy - 3 * s + rr * math.sin(a)))
    back = cy + (26 if long_hair else 12) * s
    spikes += [(cx + 22 * s, cy + 4 * s), (cx + 16 * s, cy + 6 * s), (cx + 20 * s, back),
               (cx + 10 * s, back - 6 * s), (cx + 6 * s, cy + 2 * s), (cx - 6 * s, cy - 6 * s)]
    p.paint(poly(spikes), 'black', None)
    eye = max(2, q(3))
    p.fill(rect(cx - q(9), cy - q(1), eye, eye), 'black')        # eye
    p.fill(rect(cx - q(13), cy + q(10), q(6), t), 'black')       # mouth
    p.fill(rect(cx + q(3), cy + q(1), max(2, q(3)), q(5)), 'black')   # ear


def limb(p, pts, r, col, t=1):
    p.paint(polyline(pts, r), col, 'black', t)


def person(w, female, pose):
    """Image23/24 (man) and Image25/26 (woman), 172 rows, facing left here; every
    outline two pixels wide."""
    p = Pic(w, 172)
    cx, cy = 58, 30                  # the head's centre; its hair stops short of row 0
    # legs and shoes behind everything
    if pose:
        legs = [[(cx - 3, 118), (cx - 14, 142), (cx - 24, 160)],
                [(cx + 5, 118), (cx + 14, 142), (cx + 22, 160)]]
    else:
        legs = [[(cx - 1, 118), (cx - 3, 160)], [(cx + 5, 118), (cx + 5, 160)]]
    for lg in legs:
        limb(p, lg, 5.5, 'orange', 2)
        fx, fy = lg[-1]
        p.paint(poly([(fx - 14, fy + 11), (fx + 6, fy + 11), (fx + 6, fy - 1), (fx - 6, fy + 1)]), 'black')
    # back arm (swung back when stepping), its hand part of the same outline
    if pose:
        back_arm = [(cx + 6, 58), (cx + 22, 84), (cx + 33, 102)]
        p.paint(polyline(back_arm, 5) | ellipse(cx + 34, 104, 6.5, 6.5), 'orange', 'black', 2)
    # neck and body
    p.paint(rect(cx - 5, cy + 10, 11, 52 - cy - 10), 'orange', 'black', 2)
    if female:
        body = poly([(cx - 14, 50), (cx + 14, 50), (cx + 20, 80), (cx + 34, 138),
                     (cx - 30, 138), (cx - 16, 80)])
        p.paint(body, 'red', 'black', 2)
    else:
        body = poly([(cx - 16, 50), (cx + 16, 50), (cx + 20, 80), (cx + 24, 122),
                     (cx - 24, 122), (cx - 20, 80)])
        p.paint(body, 'blue', 'black', 2)
        p.fill(rect(cx - 20, 92, 41, 3), 'black')          # belt
    head(p, cx, cy, long_hair=female, t=2)
    # front arm
    if pose:
        arm = [(cx - 2, 58), (cx - 20, 84), (cx - 33, 100)]
    else:
        arm = [(cx - 2, 58), (cx - 4, 86), (cx - 6, 110)]
    hx, hy = arm[-1]
    p.paint(polyline(arm, 6) | ellipse(hx - 1, hy + 3, 7, 7), 'orange', 'black', 2)
    p.paint(polyline(arm[:2], 7), 'red' if female else 'blue', 'black', 2)   # sleeve
    return p


def man(pose):
    return person(119, False, pose)


def woman(pose):
    return person(118, True, pose).flipped()


def swept_head(p, cx, cy, long_hair=False, t=2):
    """Profile head facing left whose spiky hair streams back in the wind, reaching
    25 pixels above cy."""
    face = ellipse(cx, cy, 15, 17) | poly([(cx - 14, cy - 2), (cx - 20, cy + 5), (cx - 13, cy + 7)])
    p.paint(face, 'orange', 'black', t)
    hair = [(cx - 15, cy - 3), (cx - 14, cy - 10)]
    # round the top and back of the skull, each tuft pointing backwards
    for a, tx, ty in ((235, 10, -12), (262, 14, -10), (290, 16, -6), (318, 16, -2),
                      (346, 16, 3), (14, 14, 7)):
        r = math.radians(a)
        bx, by = cx + 1 + 16 * math.cos(r), cy - 1 + 17 * math.sin(r)
        hair += [(bx, by), (bx + tx, by + 0.7 * ty)]
    if long_hair:
        hair += [(cx + 16, cy + 8), (cx + 44, cy + 12), (cx + 26, cy + 13), (cx + 38, cy + 20),
                 (cx + 14, cy + 16)]
    hair += [(cx + 12, cy + 12), (cx + 8, cy + 3), (cx - 4, cy - 7), (cx - 10, cy - 4)]
    p.paint(poly(hair), 'black', None)
    p.fill(rect(cx - 9, cy - 1, 3, 3), 'black')          # eye
    p.fill(rect(cx - 13, cy + 10, 6, t), 'black')        # mouth
    p.fill(rect(cx + 3, cy + 1, 3, 5), 'black')          # ear


def wing(root, raised, room):
    """A wing sweeping back and up (or back and down) from its root: long feathers under
    a rounded shoulder. A lowered wing is the raised one mirrored, flattened to fit the
    room below the body."""
    rx, ry = root
    shoulder = [(9, 0), (8, 14), (0, 28), (-14, 38), (-28, 41), (-34, 32), (-32, 16),
                (-24, 4), (-14, -2)]
    feathers = [((-16, 2), (-50, 2)), ((-22, 10), (-60, 13)), ((-27, 20), (-66, 25)),
                ((-28, 30), (-67, 37)), ((-22, 38), (-60, 47))]
    squash = min(1.0, room / 47.0)
    sign = -1 if raised else 1

    def at(pt):
        return (rx + 0.9 * pt[0], ry + sign * 0.9 * pt[1] * squash)
    shapes = []
    for (bx, by), (tx, ty) in feathers:
        mx, my = bx + (tx - bx) * 0.55, by + (ty - by) * 0.55
        shapes.append([at(pt) for pt in ((bx, by + 5), (mx, my + 4.5), (tx, ty),
                                         (mx, my - 4.5), (bx, by - 5))])
    shapes.append([at(pt) for pt in shoulder])
    return shapes


def paint_wing(p, shapes):
    # feathers nearest the body first, so each one's outline lies over the one before;
    # the lines between feathers are thin, the wing's own outline is the figure's
    whole = set()
    for shape in shapes:
        p.paint(poly(shape), 'yellow', 'black', 1)
        whole |= poly(shape)
    p.outline(whole, 2)


def flyer(w, h, female, raised):
    """Image29-32: lying flat and flying, head and arms to the right, yellow wings;
    every outline two pixels wide, as on the standing people."""
    p = Pic(w, h)
    mid = 52 if not female else 44                 # middle row of the body
    half = 10 if not female else 8                 # half the body's thickness
    shoulder = 146
    # the wing grows from the back and stands behind the body
    root = (124, mid - half + 3) if raised else (124, mid + half - 3)
    room = root[1] - 1 if raised else h - 1 - root[1]
    paint_wing(p, wing(root, raised, room / 0.9))
    # legs trail behind, soles to the left
    for dy in (-4, 4):
        limb(p, [(76, mid + dy), (20, mid + dy)], 4.5, 'orange', 2)
        p.paint(poly([(6, mid + dy - 6), (18, mid + dy - 6), (18, mid + dy + 5), (8, mid + dy + 4)]), 'black')
    if female:
        # the skirt widens back over the legs
        body = poly([(shoulder + 4, mid - half), (100, mid - half - 1), (64, mid - half - 4),
                     (62, mid - 3), (65, mid + 2), (62, mid + half + 5), (100, mid + half + 1),
                     (shoulder + 4, mid + half)])
        p.paint(body, 'red', 'black', 2)
    else:
        body = poly([(66, mid - half), (shoulder + 4, mid - half - 1),
                     (shoulder + 4, mid + half + 1), (66, mid + half)])
        p.paint(body, 'blue', 'black', 2)
        p.fill(rect(96, mid - half, 3, 2 * half + 1), 'black')          # belt
    # far arm, then the head lifted to look ahead, then the near arm below the chin
    p.paint(polyline([(shoulder - 4, mid - 3), (w - 12, mid - 7)], 3.6)
            | ellipse(w - 9, mid - 7, 5, 4.5), 'orange', 'black', 2)
    hp = Pic(70, 60)
    swept_head(hp, 20, 30, long_hair=female)
    hp = hp.flipped()                              # now facing right, its centre at x 49
    # the head rests low on the shoulders, so that its hair stays inside the picture
    hx, hy = shoulder + 28 - 49, mid - 18 - 30
    for y in range(hp.h):
        for x in range(hp.w):
            c = hp.get(x, y)
            if c != BACKGROUND:
                p.set(hx + x, hy + y, c)
    p.paint(polyline([(shoulder - 6, mid + 4), (w - 14, mid + 4)], 3.8)
            | ellipse(w - 11, mid + 4, 5.5, 5), 'orange', 'black', 2)
    return p


def heart():
    p = Pic(167, 126)
    m = ellipse(44, 42, 43, 42) | ellipse(123, 42, 43, 42) | \
        poly([(4, 60), (83.5, 125), (163, 60), (83.5, 40)])
    p.paint(m, 'magenta', 'black', 2)
    return p


# -- the dragger of scene 5
GROUND = 94                                  # the row the soles and the corpse lie on


def corpse(p):
    """Purple corpse on its back along the bottom, head to the left, toes up: a head, a
    body of three heads' length, legs a little longer, one arm folded on the belly."""
    g = GROUND
    p.paint(polyline([(166, g - 6), (226, g - 5)], 5), 'purple')                    # legs
    for x in (224, 233):                                                    # feet, toes up
        p.paint(poly([(x - 3, g), (x + 5, g), (x + 6, g - 15), (x + 1, g - 16), (x - 3, g - 11)]),
                'purple')
    p.paint(poly([(117, g - 12), (121, g - 15), (164, g - 15), (172, g - 12), (174, g), (117, g)]),
            'purple')                                                       # body
    p.paint(ellipse(109, g - 10, 11, 10.5), 'purple')                      # head
    for x in (104, 114):                                                    # crossed-out eyes
        y = g - 14
        p.fill(line(x - 2.5, y - 2.5, x + 2.5, y + 2.5, 0.7) | line(x - 2.5, y + 2.5, x + 2.5, y - 2.5, 0.7),
               'black')
    p.fill(rect(105, g - 6, 9, 1), 'black')                                 # mouth
    # the near arm: upper arm along the side, forearm across the belly, hand on top
    p.paint(polyline([(124, g - 5), (140, g - 6), (152, g - 14)], 3) | ellipse(154, g - 16, 4, 3.5),
            'purple')


def dragger(pose):
    """Image34 (pose 0, legs together, 97 rows), Image35 (pose 1, mid-stride, 96 rows),
    Image36 (pose 2, burst). The corpse and everything above the hips are shared; every
    outline one pixel wide."""
    h = 97 if pose == 0 else 96
    p = Pic(252, h)
    corpse(p)
    g = GROUND
    rope_end = (98, g - 12)                        # where the rope is tied round the neck
    if pose == 2:
        # the rope lies slack on the ground from the corpse's head
        p.fill(polyline([rope_end, (92, g - 2), (80, g), (66, g - 1), (50, g), (38, g - 1)], 0.9), 'brown')
        # green shards of the man, flying out from where he stood
        shards = [((12, 10), 8, 20), ((36, 8), 8, 70), ((62, 12), 9, 130), ((80, 30), 7, 10),
                  ((8, 40), 7, 200), ((30, 32), 11, 100), ((56, 44), 10, 250), ((82, 56), 7, 40),
                  ((14, 64), 8, 300), ((40, 62), 9, 160), ((64, 76), 8, 80), ((22, 84), 7, 230),
                  ((46, 86), 6, 330)]
        for (cx, cy), size, turn in shards:
            a = math.radians(turn)
            tri = [(cx + size * math.cos(a), cy + size * math.sin(a)),
                   (cx + size * 0.8 * math.cos(a + 2.3), cy + size * 0.8 * math.sin(a + 2.3)),
                   (cx + size * 0.6 * math.cos(a + 4.1), cy + size * 0.6 * math.sin(a + 4.1))]
            p.paint(poly(tri), 'green')
        return p
    # legs (the only part that differs between the two poses)
    hip = (50, 62)
    if pose == 0:
        legs = [[(hip[0] + 3, hip[1]), (53, 78), (52, 89)], [hip, (47, 78), (45, 89)]]
    else:
        legs = [[(hip[0] + 3, hip[1]), (61, 76), (66, 89)], [hip, (38, 76), (30, 89)]]
    for lg in legs:
        fx, fy = lg[-1]
        p.paint(polyline(lg, 3.6), 'orange')
        p.paint(poly([(fx - 9, g + 1), (fx + 4, g + 1), (fx + 4, fy - 1), (fx - 3, fy + 1)]), 'black')
    # the rope rises from the corpse's neck to his back, crosses the top of his shoulder
    # once and comes down in front to his fist
    shoulder_top = (41, 27)
    p.fill(line(rope_end[0], rope_end[1], shoulder_top[0] + 4, shoulder_top[1] + 2, 0.9), 'brown')
    # body bent forward, tunic to the thighs
    p.paint(line(50, 60, 38, 38, 10) | poly([(38, 60), (60, 55), (66, 70), (42, 74)]), 'green')
    p.fill(line(40, 63, 60, 58, 0.9), 'black')                   # belt
    p.paint(line(25, 30, 34, 36, 4), 'orange')                   # neck
    head(p, 20, 24, s=0.7)
    p.fill(polyline([(shoulder_top[0] + 4, shoulder_top[1] + 2), shoulder_top, (33, 30), (25, 46)], 0.9),
           'brown')
    # one arm: sleeve from the shoulder to the elbow, forearm up to the fist on the rope
    p.paint(polyline([(37, 36), (35, 52), (27, 45)], 3.2), 'orange')
    p.paint(line(37, 36, 35, 50, 4.4), 'green')
    p.paint(ellipse(26, 44, 3.8, 3.6), 'orange')
    p.fill(line(25.5, 47, 23.5, 53, 0.9), 'brown')               # the rope's end below the fist
    return p


def scythe_blade():
    """Crescent blade fixed to the top of the shaft, curving right and down to its tip."""
    outer = ellipse(50, 27, 15, 23)
    inner = ellipse(46.5, 30, 13.5, 22)
    return {(x, y) for (x, y) in outer - inner if x >= 47}


def bony_hand(p, hx, hy):
    """A pale, bony hand closed round the shaft: a knuckle on the near side and three
    finger bones across the shaft, with the shaft showing between them."""
    p.fill(ellipse(hx + 3, hy + 0.5, 2, 3), 'white')
    for k in range(3):
        p.fill(line(hx + 3, hy - 1.5 + 2 * k, hx - 3, hy - 0.5 + 2 * k, 0.5), 'white')


SHAFT = ((6, 104), (49, 8))          # the scythe's shaft, from its foot to the blade


def reaper():
    """Image37: hooded reaper with a scythe, 70 x 107."""
    p = Pic(70, 107)
    robe = poly([(33, 1), (43, 6), (48, 20), (47, 34), (56, 60), (60, 106),
                 (6, 106), (10, 60), (19, 34), (18, 20), (23, 6)])
    p.fill(robe, 'black')
    # face in the hood
    p.fill(rect(25, 16, 4, 3), 'white')
    p.fill(rect(37, 16, 4, 3), 'white')
    p.fill(rect(32, 24, 2, 2), 'white')
    # scythe: the shaft in front of the robe, bottom left to top right, whole between
    # the two hands that hold it
    (x0, y0), (x1, y1) = SHAFT
    p.paint(line(x0, y0, x1, y1, 2.2), 'orange')
    p.paint(scythe_blade(), 'orange')
    for t in (0.38, 0.66):
        bony_hand(p, int(round(x0 + (x1 - x0) * t)), int(round(y0 + (y1 - y0) * t)))
    return p


def reaper_burst():
    """Image38: the reaper in black triangular shards flying out from its middle, with
    the pieces of the scythe among them; every piece stands apart."""
    p = Pic(64, 107)
    shards = [[(10, 4), (22, 14), (6, 22)], [(28, 2), (38, 12), (26, 20)],
              [(4, 32), (16, 36), (6, 50)], [(22, 28), (34, 30), (26, 42)],
              [(44, 30), (58, 38), (46, 46)], [(8, 58), (20, 62), (4, 72)],
              [(40, 56), (56, 62), (42, 70)], [(20, 76), (30, 90), (14, 88)],
              [(44, 80), (58, 94), (40, 96)], [(26, 98), (36, 104), (22, 106)]]
    for s in shards:
        p.fill(poly(s), 'black')
    p.paint(arc(40, 26, 18, 19, 250, 330, 2.6), 'orange')     # the blade, its tip down
    p.paint(line(4, 100, 12, 86, 2.2), 'orange')               # the shaft in three
    p.paint(line(28, 68, 36, 50, 2.2), 'orange')
    p.paint(line(44, 104, 60, 98, 2.2), 'orange')
    return p


def pictures():
    return {
        'Image2': saucer(), 'Image3': saucer_burst(),
        'Image7': bar(91, 17), 'Image9': bar(17, 92),
        'Image15': ball(36, 33, 'magenta'), 'Image16': ball(32, 29, 'yellow'),
        'Image17': tree(), 'Image18': apple_pic(),
        'Image19': stick_man(1), 'Image20': stick_man(0),
        'Image22': banner(),
        'Image23': man(0), 'Image24': man(1),
        'Image25': woman(0), 'Image26': woman(1),
        'Image29': flyer(208, 94, False, True), 'Image30': flyer(208, 94, False, False),
        'Image31': flyer(209, 75, True, True), 'Image32': flyer(209, 75, True, False),
        'Image33': heart(),
        'Image34': dragger(0), 'Image35': dragger(1), 'Image36': dragger(2),
        'Image37': reaper(), 'Image38': reaper_burst(),
    }


def main():
    # every picture is drawn before any file is written, so a fault leaves the old set
    texts = {name: p.close_pinholes().text() for name, p in pictures().items()}
    for name, text in texts.items():
        path = os.path.join(ART, name + '.txt')
        with open(path + '.part', 'w') as f:
            f.write(text)
        os.replace(path + '.part', path)


if __name__ == '__main__':
    main()
