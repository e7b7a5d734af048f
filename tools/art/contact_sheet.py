#!/usr/bin/env python3
"""Lays all 30 built-in pictures out on one PNG, at 1x and at 4x, each with its name.

Standard library only.  Usage:

    python3 tools/art/contact_sheet.py [-o sheet.png] [--trace PATH | --ppm DIR | --art]
                                       [--only Image17,Image18] [--scale N]

By default the pictures come from the program itself: the trace tool's `pictures DIR`
command writes one PPM per picture, and the sheet shows exactly those pixels.  When the
trace tool is missing or cannot write them, the sheet is rendered from pictures/art/*.txt
with the same derivations as the program, says so in its heading, and a warning goes to
stderr; --strict makes that an error instead.  --ppm reads PPMs written earlier; --art
always renders from the text.
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
ART = os.path.join(ROOT, 'pictures', 'art')
DEFAULT_TRACE = os.path.join(ROOT, 'build', 'bin', 'animatsiya-trace')

PALETTE = {
    '.': (192, 192, 192), 'k': (0, 0, 0), 'w': (255, 255, 255),
    'r': (255, 0, 0), 'b': (0, 0, 255), 'y': (255, 255, 0),
    'm': (255, 0, 255), 'c': (255, 0, 128), 'g': (0, 128, 0),
    's': (0, 128, 255), 'o': (255, 128, 64), 'n': (128, 64, 0),
    'p': (128, 0, 128),
}
RED, BLUE, GREY = (255, 0, 0), (0, 0, 255), (192, 192, 192)

# PictureId order with the pixel sizes the program promises.
PICTURES = [
    ('Image1', 68, 52), ('Image2', 68, 51), ('Image3', 75, 54), ('Image4', 68, 51),
    ('Image7', 91, 17), ('Image8', 91, 17), ('Image9', 17, 92), ('Image10', 17, 92),
    ('Image15', 36, 33), ('Image16', 32, 29), ('Image17', 137, 196), ('Image18', 10, 8),
    ('Image19', 39, 67), ('Image20', 39, 67), ('Image22', 458, 103), ('Image23', 119, 172),
    ('Image24', 119, 172), ('Image25', 118, 172), ('Image26', 118, 172),
    ('Image29', 208, 94), ('Image30', 208, 94), ('Image31', 209, 75), ('Image32', 209, 75),
    ('Image33', 167, 126), ('Image34', 252, 97), ('Image35', 252, 96), ('Image36', 252, 96),
    ('Image37', 70, 107), ('Image38', 64, 107), ('Image40', 70, 107),
]


class Failure(Exception):
    pass


# A picture is (width, height, rows), each row a list of (r, g, b).

def read_ppm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while pos < len(data) and data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            while pos < len(data) and data[pos:pos + 1] != b'\n':
                pos += 1
            continue
        start = pos
        while pos < len(data) and not data[pos:pos + 1].isspace():
            pos += 1
        if start == pos:
            raise Failure(f'{path}: truncated PPM header')
        fields.append(data[start:pos])
    magic, w, h, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
    if maxval != 255:
        raise Failure(f'{path}: maximum value {maxval}, expected 255')
    if magic == b'P6':
        body = data[pos + 1:pos + 1 + 3 * w * h]
        if len(body) != 3 * w * h:
            raise Failure(f'{path}: {len(body)} bytes of pixels, expected {3 * w * h}')
        vals = list(body)
    elif magic == b'P3':
        vals = [int(v) for v in data[pos:].split()]
        if len(vals) != 3 * w * h:
            raise Failure(f'{path}: {len(vals) // 3} pixels, expected {w * h}')
    else:
        raise Failure(f'{path}: not a PPM (magic {magic!r})')
    rows = [[tuple(vals[3 * (y * w + x):3 * (y * w + x) + 3]) for x in range(w)]
            for y in range(h)]
    return (w, h, rows)


def read_art(name):
    path = os.path.join(ART, name + '.txt')
    try:
        with open(path) as f:
            lines = [l for l in f.read().split('\n') if l]
    except OSError as e:
        raise Failure(f'{path}: {e.strerror}')
    for n, l in enumerate(lines, 1):
        if len(l) != len(lines[0]):
            raise Failure(f'{path}:{n}: row is {len(l)} wide, the first row is {len(lines[0])}')
        bad = set(l) - set(PALETTE)
        if bad:
            raise Failure(f'{path}:{n}: letters outside the palette: {"".join(sorted(bad))}')
    return (len(lines[0]), len(lines), [[PALETTE[c] for c in l] for l in lines])


def recoloured(pic, old, new):
    w, h, rows = pic
    return (w, h, [[new if p == old else p for p in r] for r in rows])


def from_art():
    """The set as the program derives it from the drawn pictures."""
    drawn = {name: read_art(name) for name, _, _ in PICTURES
             if name not in ('Image1', 'Image4', 'Image8', 'Image10', 'Image40')}
    w, h, rows = recoloured(drawn['Image2'], BLUE, RED)
    drawn['Image1'] = (w, h + 1, rows + [[GREY] * w])
    drawn['Image4'] = drawn['Image2']
    drawn['Image8'] = recoloured(drawn['Image7'], RED, BLUE)
    drawn['Image10'] = recoloured(drawn['Image9'], RED, BLUE)
    drawn['Image40'] = drawn['Image37']
    return drawn


def from_ppm_dir(directory):
    pics = {}
    for name, _, _ in PICTURES:
        path = os.path.join(directory, name + '.ppm')
        if not os.path.exists(path):
            raise Failure(f'{path}: missing')
        pics[name] = read_ppm(path)
    return pics


def from_program(trace):
    if not os.access(trace, os.X_OK):
        raise Failure(f'{trace}: no trace tool (build it with cmake --build build)')
    with tempfile.TemporaryDirectory() as tmp:
        # the trace tool reads its commands from standard input, one a line
        run = subprocess.run([trace], input=f'pictures {tmp}\n', capture_output=True,
                             text=True)
        if run.returncode != 0:
            msg = run.stderr.strip().splitlines()
            raise Failure(f'{trace} pictures: exit {run.returncode}'
                          + (f': {msg[0]}' if msg else ''))
        return from_ppm_dir(tmp)


# ---------------------------------------------------------------- lettering
FONT = {
    'A': '01110 10001 10001 11111 10001 10001 10001',
    'B': '11110 10001 10001 11110 10001 10001 11110',
    'C': '01110 10001 10000 10000 10000 10001 01110',
    'D': '11110 10001 10001 10001 10001 10001 11110',
    'E': '11111 10000 10000 11110 10000 10000 11111',
    'F': '11111 10000 10000 11110 10000 10000 10000',
    'G': '01110 10001 10000 10111 10001 10001 01111',
    'H': '10001 10001 10001 11111 10001 10001 10001',
    'I': '01110 00100 00100 00100 00100 00100 01110',
    'J': '00111 00010 00010 00010 00010 10010 01100',
    'K': '10001 10010 10100 11000 10100 10010 10001',
    'L': '10000 10000 10000 10000 10000 10000 11111',
    'M': '10001 11011 10101 10101 10001 10001 10001',
    'N': '10001 10001 11001 10101 10011 10001 10001',
    'O': '01110 10001 10001 10001 10001 10001 01110',
    'P': '11110 10001 10001 11110 10000 10000 10000',
    'Q': '01110 10001 10001 10001 10101 10010 01101',
    'R': '11110 10001 10001 11110 10100 10010 10001',
    'S': '01111 10000 10000 01110 00001 00001 11110',
    'T': '11111 00100 00100 00100 00100 00100 00100',
    'U': '10001 10001 10001 10001 10001 10001 01110',
    'V': '10001 10001 10001 10001 10001 01010 00100',
    'W': '10001 10001 10001 10101 10101 10101 01010',
    'X': '10001 10001 01010 00100 01010 10001 10001',
    'Y': '10001 10001 01010 00100 00100 00100 00100',
    'Z': '11111 00001 00010 00100 01000 10000 11111',
    'a': '00000 00000 01110 00001 01111 10001 01111',
    'e': '00000 00000 01110 10001 11111 10000 01110',
    'g': '00000 01111 10001 10001 01111 00001 01110',
    'm': '00000 00000 11010 10101 10101 10001 10001',
    'x': '00000 00000 10001 01010 00100 01010 10001',
    '0': '01110 10001 10011 10101 11001 10001 01110',
    '1': '00100 01100 00100 00100 00100 00100 01110',
    '2': '01110 10001 00001 00010 00100 01000 11111',
    '3': '11111 00010 00100 00010 00001 10001 01110',
    '4': '00010 00110 01010 10010 11111 00010 00010',
    '5': '11111 10000 11110 00001 00001 10001 01110',
    '6': '00110 01000 10000 11110 10001 10001 01110',
    '7': '11111 00001 00010 00100 01000 01000 01000',
    '8': '01110 10001 10001 01110 10001 10001 01110',
    '9': '01110 10001 10001 01111 00001 00010 01100',
    ':': '00000 01100 01100 00000 01100 01100 00000',
    '.': '00000 00000 00000 00000 00000 01100 01100',
    ',': '00000 00000 00000 00000 01100 00100 01000',
    '/': '00001 00001 00010 00100 01000 10000 10000',
    '-': '00000 00000 00000 11111 00000 00000 00000',
    '(': '00010 00100 01000 01000 01000 00100 00010',
    ')': '01000 00100 00010 00010 00010 00100 01000',
    ' ': '00000 00000 00000 00000 00000 00000 00000',
}
TEXT_H = 9  # 7 rows of glyph and room below


def text_width(s, k=1):
    return 6 * k * len(s)


def draw_text(canvas, x, y, s, colour=(0, 0, 0), k=1):
    for i, ch in enumerate(s):
        glyph = FONT.get(ch, FONT.get(ch.upper(), FONT[' '])).split()
        for gy, bits in enumerate(glyph):
            for gx, bit in enumerate(bits):
                if bit == '1':
                    canvas.fill(x + 6 * k * i + gx * k, y + gy * k, k, k, colour)


# ---------------------------------------------------------------- sheet
class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.rows = [bytearray(bytes(colour) * w) for _ in range(h)]

    def fill(self, x, y, w, h, colour):
        c = bytes(colour)
        for yy in range(max(0, y), min(self.h, y + h)):
            x0, x1 = max(0, x), min(self.w, x + w)
            if x1 > x0:
                self.rows[yy][3 * x0:3 * x1] = c * (x1 - x0)

    def blit(self, pic, x, y, k):
        w, h, rows = pic
        for py in range(h):
            line = b''.join(bytes(p) * k for p in rows[py])
            for dy in range(k):
                self.rows[y + py * k + dy][3 * x:3 * x + len(line)] = line

    def png(self):
        raw = b''.join(b'\x00' + bytes(r) for r in self.rows)

        def chunk(t, d):
            return (struct.pack('>I', len(d)) + t + d
                    + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff))
        return (b'\x89PNG\r\n\x1a\n'
                + chunk(b'IHDR', struct.pack('>IIBBBBB', self.w, self.h, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def layout(items, scale, width, gap):
    """Places (name, pic) cells left to right, wrapping at width; returns cells and height."""
    cells, x, y, row_h = [], gap, 0, 0
    for name, pic in items:
        w, h, _ = pic
        cw = max(w * scale + 2, text_width(f'{name} {w}x{h}'))
        ch = TEXT_H + h * scale + 2
        if x + cw + gap > width and x > gap:
            x, y, row_h = gap, y + row_h + gap, 0
        cells.append((name, pic, x, y))
        x += cw + gap
        row_h = max(row_h, ch)
    return cells, y + row_h


def build_sheet(items, heading, scales, width):
    gap = 12
    frame = (96, 96, 96)
    sections = []
    total = gap + TEXT_H * 2 + gap
    for k in scales:
        cells, h = layout(items, k, width, gap)
        sections.append((k, cells, h))
        total += TEXT_H * 2 + h + 2 * gap
    sheet = Canvas(width, total, (255, 255, 255))
    draw_text(sheet, gap, gap, heading, k=2)
    y0 = gap + TEXT_H * 2 + gap
    for k, cells, h in sections:
        draw_text(sheet, gap, y0, f'AT {k}X', k=2)
        y0 += TEXT_H * 2
        for name, pic, x, y in cells:
            w, ph, _ = pic
            draw_text(sheet, x, y0 + y, f'{name} {w}x{ph}')
            # a one-pixel frame just outside the picture shows where its grey ends
            sheet.fill(x, y0 + y + TEXT_H, w * k + 2, ph * k + 2, frame)
            sheet.blit(pic, x + 1, y0 + y + TEXT_H + 1, k)
        y0 += h + 2 * gap
    return sheet


def main():
    ap = argparse.ArgumentParser(description='Contact sheet of the built-in pictures.')
    ap.add_argument('-o', '--output', default='contact-sheet.png')
    src = ap.add_mutually_exclusive_group()
    src.add_argument('--trace', default=DEFAULT_TRACE, help='trace tool to ask for the pictures')
    src.add_argument('--ppm', help='read DIR/<PictureId>.ppm written earlier')
    src.add_argument('--art', action='store_true', help='render from pictures/art/*.txt')
    ap.add_argument('--strict', action='store_true',
                    help='fail rather than fall back to the art text')
    ap.add_argument('--only', help='comma-separated PictureIds to show')
    ap.add_argument('--scale', type=int, action='append',
                    help='scales to show (default 1 and 4)')
    ap.add_argument('--width', type=int, default=1900, help='sheet width in pixels')
    args = ap.parse_args()

    try:
        wanted = [n for n, _, _ in PICTURES]
        if args.only:
            wanted = [n.strip() for n in args.only.split(',')]
            unknown = [n for n in wanted if n not in {p[0] for p in PICTURES}]
            if unknown:
                raise Failure(f'--only: no picture named {", ".join(unknown)}')
        if args.art:
            pics, source = from_art(), 'FROM PICTURES/ART'
        else:
            try:
                if args.ppm:
                    pics, source = from_ppm_dir(args.ppm), 'FROM ' + args.ppm
                else:
                    pics, source = from_program(args.trace), 'FROM THE PROGRAM'
            except Failure as e:
                if args.strict or args.ppm:
                    raise
                print(f'contact_sheet: {e}; drawing from pictures/art instead',
                      file=sys.stderr)
                pics, source = from_art(), 'FROM PICTURES/ART (NO TRACE TOOL)'
            else:
                # a program built before the last change to the art shows stale pictures
                art = from_art()
                stale = [n for n in wanted if pics[n] != art[n]]
                if stale:
                    print(f'contact_sheet: differs from pictures/art (rebuild?): '
                          f'{", ".join(stale)}', file=sys.stderr)
        sizes = {n: (w, h) for n, w, h in PICTURES}
        for n in wanted:
            if pics[n][:2] != sizes[n]:
                print(f'contact_sheet: {n} is {pics[n][0]}x{pics[n][1]}, '
                      f'expected {sizes[n][0]}x{sizes[n][1]}', file=sys.stderr)
        sheet = build_sheet([(n, pics[n]) for n in wanted], f'PICTURE SET {source}',
                            args.scale or [1, 4], max(args.width, 200))
        tmp = args.output + '.part'
        with open(tmp, 'wb') as f:
            f.write(sheet.png())
        os.replace(tmp, args.output)
    except (Failure, OSError) as e:
        print(f'contact_sheet: {e}', file=sys.stderr)
        return 1
    print(args.output)
    return 0


if __name__ == '__main__':
    sys.exit(main())
