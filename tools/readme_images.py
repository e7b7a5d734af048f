#!/usr/bin/python3
"""Makes the README's pictures of the six scenes from the program itself.

For each scene the trace tool plays a stretch of its loop and writes every frame; the
still is one of them, the animation all of them, at the timer's normal 50 ms a tick. An
animated GIF stores after its first frame only the rectangle that changed, so the files
stay small. Usage: tools/readme_images.py [BUILD_DIR] (default build); writes docs/.
"""
import pathlib
import subprocess
import sys
import tempfile

from PIL import Image

ROOT = pathlib.Path(__file__).resolve().parent.parent
SEED = 1
TICK_MS = 50
LARGEST_GIF = 1_100_000

# scene: (first tick shown, ticks shown, tick of the still), where each scene's action is
SCENES = {
    1: (60, 100, 112),
    2: (1, 80, 40),
    3: (170, 100, 235),
    4: (30, 110, 100),
    5: (120, 80, 150),
    6: (1, 100, 60),
}


def fail(message):
    print(f"readme_images: {message}", file=sys.stderr)
    sys.exit(1)


def frames(trace, scene, first, count, folder):
    """Plays the scene up to its first shown tick and writes count frames from there."""
    lines = [f"scene {scene}"]
    if first > 1:
        lines.append(f"tick {first - 1}")
    paths = []
    for i in range(count):
        path = folder / f"scene{scene}-{i:03}.ppm"
        lines += ["tick", f"frame {path}"]
        paths.append(path)
    run = subprocess.run([str(trace), "--seed", str(SEED)], input="\n".join(lines) + "\n",
                         text=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if run.returncode != 0:
        fail(f"the trace tool failed for scene {scene}: {run.stderr.strip()}")
    return [Image.open(p).convert("RGB") for p in paths]


def exact_palette(shots):
    """One palette with every colour of every frame: the artwork's few and the caption's."""
    colours = set()
    for shot in shots:
        found = shot.getcolors(maxcolors=256)
        if found is None:
            fail("a frame has more than 256 colours")
        colours.update(colour for _, colour in found)
    if len(colours) > 256:
        fail(f"the frames have {len(colours)} colours, more than a GIF holds")
    palette = Image.new("P", (1, 1))
    flat = [channel for colour in sorted(colours) for channel in colour]
    palette.putpalette(flat + flat[-3:] * (256 - len(colours)))
    return palette


def main():
    build = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"
    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build)], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(build), "--target", "animatsiya-trace"], check=True,
                   stdout=subprocess.DEVNULL)
    trace = build / "bin" / "animatsiya-trace"
    docs = ROOT / "docs"
    docs.mkdir(exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        for scene, (first, count, still) in SCENES.items():
            shots = frames(trace, scene, first, count, pathlib.Path(scratch))
            shots[still - first].save(docs / f"scene{scene}.png", optimize=True)
            gif = docs / f"scene{scene}.gif"
            paletted = [s.quantize(palette=palette, dither=Image.Dither.NONE)
                        for palette in [exact_palette(shots)] for s in shots]
            paletted[0].save(gif, save_all=True, append_images=paletted[1:], duration=TICK_MS, loop=0,
                             optimize=False, disposal=1)
            size = gif.stat().st_size
            if size > LARGEST_GIF:
                fail(f"{gif} is {size} bytes; show fewer ticks of scene {scene}")
            print(f"{gif.relative_to(ROOT)}: {count} frames, {size // 1024} KiB")


if __name__ == "__main__":
    main()
