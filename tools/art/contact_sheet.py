#!/usr/bin/python3
"""Lays the built-in pictures out on one PNG, at 1x and at 4x, each with its name.

Needs Pillow (Debian's python3-pil).  Usage:

    tools/art/contact_sheet.py [-o sheet.png] [--trace PATH | --ppm DIR | --art] [--strict]
                               [--only Image17,Image18] [--scale N ...] [--width PIXELS]

By default the pictures come from the program itself: the trace tool's `pictures DIR`
command writes one PPM per picture, and the sheet shows exactly those pixels.  When the
trace tool is missing or fails, the sheet is drawn from pictures/art/*.txt with the
program's derivations, says so in its heading and warns on stderr; --strict makes that an
error.  --ppm reads PPMs written earlier; --art always draws from the text.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont, ImageOps

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
ART = os.path.join(ROOT, 'pictures', 'art')
PALETTE_FILE = os.path.join(ROOT, 'pictures', 'palette.txt')
DEFAULT_TRACE = os.path.join(ROOT, 'build', 'bin', 'animatsiya-trace')


class Failure(Exception):
    pass


def read_palette():
    """letter -> (name, (r, g, b)) from pictures/palette.txt."""
    palette = {}
    with open(PALETTE_FILE) as f:
        for n, line in enumerate(f, 1):
            if not line.strip() or line.startswith('#'):
                continue
            parts = line.split()
            if len(parts) < 5:
                raise Failure(f'{PALETTE_FILE}:{n}: expected letter, r, g, b, name')
            palette[parts[0]] = (' '.join(parts[4:]), tuple(int(v) for v in parts[1:4]))
    return palette


PALETTE = read_palette()
RGB = {letter: rgb for letter, (_, rgb) in PALETTE.items()}
NAMED = {name: rgb for name, rgb in PALETTE.values()}


def order(name):
    return int(name[len('Image'):])


def read_art(name):
    path = os.path.join(ART, name + '.txt')
    try:
        with open(path) as f:
            rows = f.read().split()
    except OSError as e:
        raise Failure(f'{path}: {e.strerror}')
    for n, row in enumerate(rows, 1):
        if len(row) != len(rows[0]):
            raise Failure(f'{path}:{n}: row is {len(row)} wide, the first row is {len(rows[0])}')
        bad = set(row) - set(RGB)
        if bad:
            raise Failure(f'{path}:{n}: letters outside the palette: {"".join(sorted(bad))}')
    pic = Image.new('RGB', (len(rows[0]), len(rows)))
    pic.putdata([RGB[c] for row in rows for c in row])
    return pic


def recoloured(pic, old, new):
    out = pic.copy()
    out.putdata([new if p == old else p for p in pic.getdata()])
    return out


def from_art():
    """The set as the program derives it from the drawn pictures (pictures/art/README.md)."""
    pics = {f[:-4]: read_art(f[:-4]) for f in os.listdir(ART) if re.fullmatch(r'Image\d+\.txt', f)}
    red, blue = NAMED['red'], NAMED['blue']
    ufo = recoloured(pics['Image2'], blue, red)
    pics['Image1'] = ImageOps.expand(ufo, (0, 0, 0, 1), fill=NAMED['background grey'])
    pics['Image4'] = pics['Image2']
    pics['Image8'] = recoloured(pics['Image7'], red, blue)
    pics['Image10'] = recoloured(pics['Image9'], red, blue)
    pics['Image40'] = pics['Image37']
    return pics


def from_ppm_dir(directory):
    names = [f[:-4] for f in os.listdir(directory) if re.fullmatch(r'Image\d+\.ppm', f)]
    if not names:
        raise Failure(f'{directory}: no Image*.ppm')
    return {n: Image.open(os.path.join(directory, n + '.ppm')).convert('RGB') for n in names}


def from_program(trace):
    if not os.access(trace, os.X_OK):
        raise Failure(f'{trace}: no trace tool (build it with cmake --build build)')
    with tempfile.TemporaryDirectory() as tmp:
        # the trace tool reads its commands from standard input, one a line
        run = subprocess.run([trace], input=f'pictures {tmp}\n', capture_output=True, text=True)
        if run.returncode != 0:
            msg = run.stderr.strip().splitlines()
            raise Failure(f'{trace} pictures: exit {run.returncode}' + (f': {msg[0]}' if msg else ''))
        return from_ppm_dir(tmp)


def build_sheet(items, heading, scales, width):
    font = ImageFont.load_default()
    gap, label = 12, 14
    # lay every section out first to know the height
    sections, y = [], gap + 2 * label
    for k in scales:
        top, cells, x, row_h = y, [], gap, 0
        y += label
        for name, pic in items:
            w, h = pic.width * k + 2, pic.height * k + 2 + label
            w = max(w, int(font.getlength(f'{name} {pic.width}x{pic.height}')))
            if x + w + gap > width and x > gap:
                x, y, row_h = gap, y + row_h + gap, 0
            cells.append((name, pic, x, y))
            x, row_h = x + w + gap, max(row_h, h)
        sections.append((k, cells, top))
        y += row_h + 2 * gap
    sheet = Image.new('RGB', (width, y), 'white')
    draw = ImageDraw.Draw(sheet)
    draw.text((gap, gap), heading, fill='black', font=font)
    for k, cells, top in sections:
        draw.text((gap, top), f'at {k}x', fill='black', font=font)
        for name, pic, x, y in cells:
            draw.text((x, y), f'{name} {pic.width}x{pic.height}', fill='black', font=font)
            # a one-pixel frame just outside the picture shows where its grey ends
            draw.rectangle((x, y + label, x + pic.width * k + 1, y + label + pic.height * k + 1),
                           outline=(96, 96, 96))
            sheet.paste(pic.resize((pic.width * k, pic.height * k), Image.NEAREST),
                        (x + 1, y + label + 1))
    return sheet


def main():
    ap = argparse.ArgumentParser(description='Contact sheet of the built-in pictures.')
    ap.add_argument('-o', '--output', default='contact-sheet.png')
    src = ap.add_mutually_exclusive_group()
    src.add_argument('--trace', default=DEFAULT_TRACE, help='trace tool to ask for the pictures')
    src.add_argument('--ppm', help='read DIR/<PictureId>.ppm written earlier')
    src.add_argument('--art', action='store_true', help='draw from pictures/art/*.txt')
    ap.add_argument('--strict', action='store_true', help='fail rather than fall back to the art')
    ap.add_argument('--only', help='comma-separated PictureIds to show')
    ap.add_argument('--scale', type=int, action='append', help='scales to show (default 1 and 4)')
    ap.add_argument('--width', type=int, default=1900, help='sheet width in pixels')
    args = ap.parse_args()

    try:
        if args.art:
            pics, source = from_art(), 'from pictures/art'
        else:
            try:
                if args.ppm:
                    pics, source = from_ppm_dir(args.ppm), 'from ' + args.ppm
                else:
                    pics, source = from_program(args.trace), 'from the program'
            except (Failure, OSError) as e:
                if args.strict or args.ppm:
                    raise
                print(f'contact_sheet: {e}; drawing from pictures/art instead', file=sys.stderr)
                pics, source = from_art(), 'from pictures/art (no trace tool)'
            else:
                # a program built before the last change to the art shows stale pictures
                art = from_art()
                stale = sorted((n for n in pics if n not in art or pics[n].tobytes() != art[n].tobytes()
                                or pics[n].size != art[n].size), key=order)
                if stale:
                    print(f'contact_sheet: differs from pictures/art (rebuild?): {", ".join(stale)}',
                          file=sys.stderr)
        wanted = sorted(pics, key=order)
        if args.only:
            wanted = [n.strip() for n in args.only.split(',')]
            unknown = [n for n in wanted if n not in pics]
            if unknown:
                raise Failure(f'--only: no picture named {", ".join(unknown)}')
        sheet = build_sheet([(n, pics[n]) for n in wanted], f'Picture set {source}',
                            args.scale or [1, 4], max(args.width, 200))
        tmp = args.output + '.part'
        sheet.save(tmp, 'PNG')
        os.replace(tmp, args.output)
    except (Failure, OSError) as e:
        print(f'contact_sheet: {e}', file=sys.stderr)
        return 1
    print(args.output)
    return 0


if __name__ == '__main__':
    sys.exit(main())
