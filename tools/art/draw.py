#!/usr/bin/env python3
"""Draws the built-in pictures and writes pictures/art/ImageN.txt.

Standard library only.  Usage:  python3 tools/art/draw.py [--preview DIR]

Every picture is built from masks (sets of pixels: polygons, ellipses, thick
lines, arcs) that are painted in flat colour with a black outline.  Pose pairs
are drawn by one function with a pose argument, so the shared parts come out
identical pixel for pixel.
"""
import math
import os
import random
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.normpath(os.path.join(HERE, '..', '..', 'pictures', 'art'))

PALETTE = {
    '.': (192, 192, 192), 'k': (0, 0, 0), 'w': (255, 255, 255),
    'r': (255, 0, 0), 'b': (0, 0, 255), 'y': (255, 255, 0),
    'm': (255, 0, 255), 'c': (255, 0, 128), 'g': (0, 128, 0),
    's': (0, 128, 255), 'o': (255, 128, 64), 'n': (128, 64, 0),
    'p': (128, 0, 128),
}


# ---------------------------------------------------------------- canvas
class Pic:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [['.'] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def paint(self, mask, col, outline='k', t=1):
        """Fill mask with col; pixels within t of the mask's edge are outline."""
        mask = {(x, y) for (x, y) in mask if 0 <= x < self.w and 0 <= y < self.h}
        inner = mask
        for _ in range(t):
            inner = {(x, y) for (x, y) in inner
                     if (x - 1, y) in inner and (x + 1, y) in inner
                     and (x, y - 1) in inner and (x, y + 1) in inner}
        for (x, y) in mask:
            self.set(x, y, col if (outline is None or (x, y) in inner) else outline)

    def fill(self, mask, col):
        for (x, y) in mask:
            self.set(x, y, col)

    def text(self):
        return '\n'.join(''.join(r) for r in self.px) + '\n'

    def flipped(self):
        p = Pic(self.w, self.h)
        p.px = [list(reversed(r)) for r in self.px]
        return p


# ---------------------------------------------------------------- masks
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


def outline_only(pic, mask, col='k'):
    """Draw just the edge pixels of a mask (one pixel wide)."""
    for (x, y) in mask:
        if not ((x - 1, y) in mask and (x + 1, y) in mask
                and (x, y - 1) in mask and (x, y + 1) in mask):
            pic.set(x, y, col)


# ---------------------------------------------------------------- pictures
def saucer():
    """Image2: blue saucer, 68 x 51."""
    p = Pic(68, 51)
    dome = ellipse(34, 19, 15, 15) & rect(0, 0, 68, 20)
    p.paint(dome, 'b')
    hull = ellipse(34, 27, 31, 12)
    p.paint(hull, 'b')
    # keep the dome's outline where it meets the hull
    deck = ellipse(34, 19, 15, 15) & rect(0, 0, 68, 17)
    p.paint(deck, 'b')
    # lower skirt and a short foot
    skirt = poly([(14, 36), (54, 36), (46, 44), (22, 44)])
    p.paint(skirt, 'b')
    p.fill(rect(0, 26, 68, 2), 'k')              # rim line beyond the hull
    # portholes: two rows of four
    for x in (17, 28, 37, 48):
        p.fill(rect(x, 21, 3, 3), '.')
        p.fill(rect(x + 1, 31, 3, 2), '.')
    # dome window
    p.fill(rect(31, 8, 6, 1), '.')
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
        p.paint(poly(s), 'b')
    return p


def bar(w, h):
    p = Pic(w, h)
    p.paint(rect(0, 0, w, h), 'r')
    return p


def ball(w, h, col):
    p = Pic(w, h)
    p.paint(ellipse(w / 2, h / 2, w / 2, h / 2), col)
    return p


def apple(pic, x, y, rim):
    """A 10 x 8 apple with its top-left corner at x, y."""
    pic.paint({(x + i, y + j) for (i, j) in ellipse(5, 4, 5, 4)}, 'm', rim)


def tree():
    """Image17: apple tree, 137 x 196."""
    p = Pic(137, 196)
    trunk = poly([(60, 140), (77, 140), (80, 196), (57, 196)])
    p.paint(trunk, 'n')
    # crown: a roughly triangular cloud of round leaf clumps
    crown = poly([(68, 8), (128, 140), (8, 140)])
    for (cx, cy, rx, ry) in ((68, 16, 15, 16), (54, 38, 17, 16), (82, 38, 17, 16),
                             (44, 64, 21, 19), (68, 58, 20, 18), (92, 64, 21, 19),
                             (30, 96, 24, 21), (68, 90, 26, 22), (106, 96, 24, 21),
                             (18, 130, 18, 18), (50, 134, 26, 20), (86, 134, 26, 20),
                             (119, 130, 18, 18)):
        crown |= ellipse(cx, cy, rx, ry)
    p.paint(crown, 'g', 'k', 1)
    # branches
    for s in ([(68, 150), (68, 60)], [(68, 120), (40, 100)], [(68, 105), (98, 88)],
              [(68, 80), (52, 66)]):
        p.fill(polyline(s, 1.3), "n")
    for (x, y) in ((63, 30), (44, 58), (84, 64), (60, 98), (100, 108),
                   (34, 128), (90, 136)):
        apple(p, x, y, 'k')
    return p


def apple_pic():
    p = Pic(10, 8)
    apple(p, 0, 0, 'g')
    return p


def stick_man(pose):
    """Image19 (pose 1, legs apart) / Image20 (pose 0), 39 x 67, facing left."""
    p = Pic(39, 67)
    head = ellipse(20, 9, 8, 8.5)
    outline_only(p, head)
    p.set(11, 9, 'k'); p.set(11, 10, 'k'); p.set(10, 10, 'k')    # nose
    p.set(15, 7, 'k')                                             # eye
    p.fill(rect(14, 13, 3, 1), 'k')                               # mouth
    body = line(20, 18, 21, 41, 0.7)
    p.fill(body, 'k')
    p.fill(polyline([(20.5, 22), (14, 30), (9, 30)], 0.7), 'k')   # front arm
    p.fill(polyline([(20.5, 22), (25, 31), (23, 38)], 0.7), 'k')  # back arm
    if pose:
        legs = polyline([(21, 42), (13, 54), (7, 65), (3, 65)], 0.7) | \
               polyline([(21, 42), (27, 54), (31, 65), (27, 65)], 0.7)
    else:
        legs = polyline([(21, 42), (19, 54), (19, 65), (14, 65)], 0.7) | \
               polyline([(21, 42), (23, 54), (24, 65), (20, 65)], 0.7)
    p.fill(legs, 'k')
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
    word = [('Э', 'r', 4, -3), ('В', 'b', 74, 2), ('Р', 'y', 142, -2),
            ('И', 'm', 208, 3), ('К', 'c', 279, -1), ('А', 'g', 350, 2),
            ('!', 's', 424, -4)]
    for i, (ch, col, x0, tilt) in enumerate(word):
        y0 = 5 + (i % 2) * 4                      # letters bob up and down
        m = set()
        for (x, y) in L[ch]:
            # slight per-letter slant gives the hand-drawn look
            sx = x + int(round((46 - y) * tilt / 46.0))
            m.add((x0 + sx, y0 + y))
        p.paint(m, col, 'k', 2)
    return p


# -- people of scene 4: drawn facing left, the woman is flipped afterwards
def head(p, cx, cy, long_hair=False):
    """Profile head facing left, spiky hair, centred on cx, cy (radius ~17)."""
    face = ellipse(cx, cy, 15, 17) | poly([(cx - 14, cy - 2), (cx - 20, cy + 5), (cx - 13, cy + 7)])
    p.paint(face, 'o')
    spikes = [(cx - 15, cy - 4)]
    n = 9
    for i in range(n + 1):
        a = math.radians(190 + 160 * i / n)
        rr = 27 if i % 2 == 0 else 15
        spikes.append((cx + rr * math.cos(a), cy - 3 + rr * math.sin(a)))
    back = cy + (26 if long_hair else 12)
    spikes += [(cx + 22, cy + 4), (cx + 16, cy + 6), (cx + 20, back), (cx + 10, back - 6),
               (cx + 6, cy + 2), (cx - 6, cy - 6)]
    p.paint(poly(spikes), 'k', None)
    p.fill(rect(cx - 9, cy - 1, 3, 3), 'k')          # eye
    p.fill(rect(cx - 13, cy + 10, 6, 1), 'k')        # mouth
    p.fill(rect(cx + 3, cy + 1, 3, 5), 'k')          # ear


def limb(p, pts, r, col):
    p.paint(polyline(pts, r), col)


def person(w, female, pose):
    """Image23/24 (man) and Image25/26 (woman), 172 rows, facing left here."""
    p = Pic(w, 172)
    cx = 58
    # legs and shoes behind everything
    if pose:
        legs = [[(cx - 3, 118), (cx - 14, 142), (cx - 24, 160)],
                [(cx + 5, 118), (cx + 14, 142), (cx + 22, 160)]]
    else:
        legs = [[(cx - 1, 118), (cx - 3, 160)], [(cx + 5, 118), (cx + 5, 160)]]
    for lg in legs:
        limb(p, lg, 5.5, 'o')
        fx, fy = lg[-1]
        p.paint(poly([(fx - 14, fy + 11), (fx + 6, fy + 11), (fx + 6, fy - 1), (fx - 6, fy + 1)]), 'k')
    # back arm (swung back when stepping)
    if pose:
        limb(p, [(cx + 6, 58), (cx + 22, 84), (cx + 34, 104)], 5, 'o')
    # neck and body
    p.paint(rect(cx - 5, 38, 11, 14), 'o')
    if female:
        body = poly([(cx - 14, 50), (cx + 14, 50), (cx + 20, 80), (cx + 34, 138),
                     (cx - 30, 138), (cx - 16, 80)])
        p.paint(body, 'r', 'k', 2)
    else:
        body = poly([(cx - 16, 50), (cx + 16, 50), (cx + 20, 80), (cx + 24, 122),
                     (cx - 24, 122), (cx - 20, 80)])
        p.paint(body, 'b', 'k', 2)
        p.fill(rect(cx - 20, 92, 41, 3), 'k')          # belt
    head(p, cx, 24, long_hair=female)
    # front arm
    if pose:
        arm = [(cx - 2, 58), (cx - 20, 84), (cx - 34, 102)]
    else:
        arm = [(cx - 2, 58), (cx - 4, 86), (cx - 6, 112)]
    p.paint(polyline(arm, 6), 'o')
    p.paint(polyline(arm[:2], 7), 'r' if female else 'b', 'k', 2)   # sleeve
    hx, hy = arm[-1]
    p.paint(ellipse(hx, hy + 2, 6, 6), 'o')
    return p


def man(pose):
    return person(119, False, pose)


def woman(pose):
    return person(118, True, pose).flipped()


def flyer(w, h, female, raised):
    """Image29-32: flying flat, head to the right, yellow wings."""
    p = Pic(w, h)
    band = 38 if not female else 28          # top row of the body
    # wing behind the body
    wx = 102 if not female else 100
    if raised:
        wing = [(wx + 28, band + 6), (wx - 38, band + 6), (wx - 58, 2), (wx - 40, 8),
                (wx - 30, 0), (wx - 14, 8), (wx, 0), (wx + 10, 10), (wx + 24, 2)]
    else:
        bot = h - 1
        wing = [(wx + 28, band + 14), (wx - 38, band + 14), (wx - 58, bot), (wx - 40, bot - 6),
                (wx - 30, bot), (wx - 14, bot - 6), (wx, bot), (wx + 10, bot - 8), (wx + 24, bot)]
    p.paint(poly(wing), 'y', 'k', 2)
    # feather lines
    for i in range(3):
        fx = wx - 36 + i * 18
        if raised:
            p.fill(line(fx + 6, band + 4, fx - 4, 14, 0.6), 'k')
        else:
            p.fill(line(fx + 6, band + 16, fx - 4, h - 14, 0.6), 'k')
    mid = band + 11
    # legs to the left
    for dy in (-4, 4):
        limb(p, [(72, mid + dy), (18, mid + dy)], 4.5, 'o')
        p.paint(poly([(4, mid + dy - 6), (16, mid + dy - 6), (16, mid + dy + 5), (6, mid + dy + 4)]), 'k')
    # body
    if female:
        body = poly([(50, mid - 9), (150, mid - 10), (150, mid + 10), (50, mid + 12), (40, mid + 16)])
        p.paint(body, 'r', 'k', 2)
    else:
        body = poly([(64, mid - 11), (150, mid - 12), (150, mid + 11), (64, mid + 11)])
        p.paint(body, 'b', 'k', 2)
        p.fill(rect(96, mid - 11, 3, 23), 'k')          # belt
    # head raised, looking ahead (to the right)
    hp = Pic(40, 46)
    head(hp, 22, 24, long_hair=female)
    hp = hp.flipped()
    hx, hy = 150, mid - 36
    for y in range(hp.h):
        for x in range(hp.w):
            c = hp.get(x, y)
            if c != '.':
                p.set(hx + x, hy + y, c)
    # both arms stretched out to the right under the chin
    for dy in (0, 7):
        limb(p, [(144, mid + dy - 2), (w - 10, mid + dy - 2)], 3.8, 'o')
        p.paint(ellipse(w - 8, mid + dy - 2, 5, 4.5), 'o')
    return p


def heart():
    p = Pic(167, 126)
    m = ellipse(44, 42, 43, 42) | ellipse(123, 42, 43, 42) | \
        poly([(4, 60), (83.5, 125), (163, 60), (83.5, 40)])
    p.paint(m, 'm', 'k', 2)
    return p


# -- the dragger of scene 5
def corpse(p):
    """Purple corpse on its back along the bottom, head to the left."""
    g = 94                                   # ground row (shared by 34, 35, 36)
    p.paint(ellipse(112, g - 10, 11, 10), 'p', 'k', 2)                # head
    for (x, y) in ((107, g - 14), (115, g - 14)):                     # crossed-out eyes
        p.fill(line(x - 2, y - 2, x + 2, y + 2, 0.6) | line(x - 2, y + 2, x + 2, y - 2, 0.6), 'k')
    p.fill(rect(108, g - 6, 8, 1), 'k')
    p.paint(poly([(122, g - 18), (196, g - 16), (196, g), (122, g)]), 'p', 'k', 2)   # body
    p.paint(polyline([(196, g - 10), (236, g - 8)], 6), 'p', 'k', 2)              # legs
    p.paint(poly([(232, g - 30), (244, g - 30), (244, g - 2), (232, g - 2)]), 'p', 'k', 2)  # feet up
    p.paint(polyline([(134, g - 15), (160, g - 22), (180, g - 22)], 4), 'p', 'k', 2)  # arm folded


def dragger(pose):
    """Image34 (pose 0, 97 rows), Image35 (pose 1, 96 rows), Image36 (pose 2, burst)."""
    h = 97 if pose == 0 else 96
    p = Pic(252, h)
    corpse(p)
    g = 94
    if pose == 2:
        # slack rope on the ground from the corpse's head to the left
        p.fill(polyline([(100, g - 8), (80, g), (50, g), (30, g - 1)], 1.0), 'n')
        rnd = random.Random(36)
        for i in range(9):
            cx, cy = 8 + (i % 3) * 26 + rnd.randint(-4, 4), 8 + (i // 3) * 28 + rnd.randint(-4, 4)
            a = rnd.uniform(0, 6.28)
            s = rnd.randint(8, 13)
            tri = [(cx + s * math.cos(a + k * 2.2), cy + s * math.sin(a + k * 2.1)) for k in range(3)]
            p.paint(poly(tri), 'g', 'k', 1)
        return p
    # legs (only these differ between 34 and 35)
    hip = (44, 56)
    if pose == 0:
        legs = [[hip, (42, 76), (40, 90)], [(hip[0] + 4, hip[1]), (47, 76), (46, 90)]]
    else:
        legs = [[hip, (30, 74), (20, 88)], [(hip[0] + 4, hip[1]), (56, 74), (64, 88)]]
    for lg in legs:
        p.paint(polyline(lg, 4.5), 'o')
        fx, fy = lg[-1]
        foot = poly([(fx - 12, fy + 6), (fx + 5, fy + 6), (fx + 5, fy - 2), (fx - 4, fy)])
        if pose == 1:                        # one row shorter: soles on row 94
            foot = {(x, y) for (x, y) in foot if y <= 94}
        p.paint(foot, 'k')
    # rope from the shoulder to the corpse's head
    p.fill(polyline([(52, 30), (75, 52), (101, 82)], 1.0), 'n')
    # bent body: tunic leaning forward to the left
    body = poly([(24, 24), (48, 18), (60, 30), (54, 60), (34, 60)])
    p.paint(body, 'g', 'k', 2)
    p.fill(rect(34, 50, 22, 2), 'k')          # belt
    hp = Pic(40, 46)
    head(hp, 22, 24)
    for y in range(hp.h):
        for x in range(hp.w):
            c = hp.get(x, y)
            if c != '.':
                p.set(x - 4, y - 2, c)
    # arms reaching over the shoulder to the rope
    p.paint(polyline([(40, 30), (28, 42), (46, 30)], 4), 'o')
    p.paint(polyline([(48, 26), (54, 34)], 4), 'o')
    p.fill(line(44, 22, 56, 34, 1.0), 'n')    # rope over the shoulder
    return p


def scythe_blade(cx, cy):
    """Crescent blade whose inner end sits at cx, cy, curving right and down."""
    outer = ellipse(cx + 4, cy + 20, 18, 22)
    inner = ellipse(cx + 0, cy + 24, 16, 21)
    return {(x, y) for (x, y) in outer - inner if x >= cx - 2}


def reaper():
    """Image37: hooded reaper with a scythe, 70 x 107."""
    p = Pic(70, 107)
    robe = poly([(33, 1), (43, 6), (48, 20), (47, 34), (56, 60), (60, 106),
                 (6, 106), (10, 60), (19, 34), (18, 20), (23, 6)])
    p.fill(robe, 'k')
    # face in the hood
    p.fill(rect(25, 16, 4, 3), 'w')
    p.fill(rect(37, 16, 4, 3), 'w')
    p.fill(rect(32, 24, 2, 2), 'w')
    # scythe: handle in front of the robe, bottom left to top right
    p.paint(line(5, 104, 50, 10, 2.2), 'o', 'k', 1)
    p.paint(scythe_blade(49, 5), 'o', 'k', 1)
    # hands gripping the handle
    p.fill(ellipse(20, 74, 4.5, 4.5) | ellipse(36, 42, 4.5, 4.5), 'k')
    return p


def reaper_burst():
    """Image38: black shards and orange scythe pieces, 64 x 107."""
    p = Pic(64, 107)
    rnd = random.Random(38)
    for i in range(10):
        cx = 10 + (i % 3) * 21 + rnd.randint(-3, 3)
        cy = 14 + (i // 3) * 26 + rnd.randint(-4, 4)
        a = rnd.uniform(0, 6.28)
        s = rnd.randint(7, 12)
        tri = [(cx + s * math.cos(a + k * 2.1), cy + s * math.sin(a + k * 2.25)) for k in range(3)]
        p.fill(poly(tri), 'k')
    p.paint(line(4, 100, 18, 82, 2.4), 'o', 'k', 1)
    p.paint(line(38, 96, 56, 86, 2.4), 'o', 'k', 1)
    p.paint(line(26, 60, 36, 44, 2.4), 'o', 'k', 1)
    p.paint(arc(44, 22, 18, 16, 250, 330, 3.2), 'o', 'k', 1)
    return p


def pictures():
    return {
        'Image2': saucer(), 'Image3': saucer_burst(),
        'Image7': bar(91, 17), 'Image9': bar(17, 92),
        'Image15': ball(36, 33, 'm'), 'Image16': ball(32, 29, 'y'),
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


# ---------------------------------------------------------------- preview
def write_png(path, pic_rows, scale=1):
    h = len(pic_rows)
    w = len(pic_rows[0])
    raw = bytearray()
    for row in pic_rows:
        line_ = bytearray()
        for c in row:
            line_ += bytes(PALETTE[c]) * scale
        for _ in range(scale):
            raw += b'\x00' + line_
    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w * scale, h * scale, 8, 2, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)


def main():
    pics = pictures()
    for name, p in pics.items():
        with open(os.path.join(ART, name + '.txt'), 'w') as f:
            f.write(p.text())
    if '--preview' in sys.argv:
        out = sys.argv[sys.argv.index('--preview') + 1]
        os.makedirs(out, exist_ok=True)
        for name, p in pics.items():
            rows = [''.join(r) for r in p.px]
            write_png(os.path.join(out, name + '.png'), rows, 1)
            write_png(os.path.join(out, name + '_4x.png'), rows, 4)
        # everything side by side on a 773-wide grey sheet
        W = 773
        sheet = [['.'] * W for _ in range(900)]
        x = y = 2
        rowh = 0
        for name, p in pics.items():
            if x + p.w > W:
                x, y, rowh = 2, y + rowh + 4, 0
            for j in range(p.h):
                for i in range(p.w):
                    sheet[y + j][x + i] = p.px[j][i]
            x += p.w + 4
            rowh = max(rowh, p.h)
        sheet = sheet[:y + rowh + 2]
        write_png(os.path.join(out, 'sheet.png'), [''.join(r) for r in sheet], 1)
        write_png(os.path.join(out, 'sheet_2x.png'), [''.join(r) for r in sheet], 2)


if __name__ == '__main__':
    main()
