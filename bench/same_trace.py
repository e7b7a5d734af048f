#!/usr/bin/env python3
"""Runs long random scripts through two builds of the trace tool and compares every output
byte for byte: the JSON lines and each frame and composition written as PPM.

    bench/same_trace.py OLD_TRACE NEW_TRACE [scripts, default 20] [commands each, default 400]

Exits 0 when every output agrees; otherwise names the first script and output that differ.
"""
import filecmp
import os
import random
import subprocess
import sys
import tempfile


def script(rng, commands, outdir):
    lines = []
    for n in range(commands):
        roll = rng.random()
        if roll < 0.55:
            lines.append(f"tick {rng.choice([1, 1, 2, 3, 7, 20, 60, 150, 400])}")
        elif roll < 0.80:
            lines.append(f"scene {rng.randint(1, 6)}")
        elif roll < 0.86:
            lines.append(f"speed {rng.choice(['normal', 'fast'])}")
        elif roll < 0.96:
            lines.append(f"frame {outdir}/frame{n}.ppm")
        else:
            lines.append(f"compose {outdir}/compose{n}.ppm")
    return "\n".join(lines) + "\n"


def run(tool, seed, text, outdir):
    os.makedirs(outdir)
    result = subprocess.run([tool, "--seed", str(seed)], input=text.replace("@OUT@", outdir),
                            capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"same_trace: {tool} failed on seed {seed}: {result.stderr.strip()}")
    return result.stdout


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[2].strip())
    old, new = sys.argv[1], sys.argv[2]
    scripts = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    commands = int(sys.argv[4]) if len(sys.argv) > 4 else 400
    with tempfile.TemporaryDirectory() as tmp:
        for seed in range(1, scripts + 1):
            rng = random.Random(seed)
            text = script(rng, commands, "@OUT@")
            a = run(old, seed, text, f"{tmp}/old{seed}")
            b = run(new, seed, text, f"{tmp}/new{seed}")
            if a != b:
                sys.exit(f"same_trace: the JSON of script {seed} differs")
            files = sorted(os.listdir(f"{tmp}/old{seed}"))
            if files != sorted(os.listdir(f"{tmp}/new{seed}")):
                sys.exit(f"same_trace: script {seed} wrote different files")
            for name in files:
                if not filecmp.cmp(f"{tmp}/old{seed}/{name}", f"{tmp}/new{seed}/{name}", shallow=False):
                    sys.exit(f"same_trace: {name} of script {seed} differs")
            print(f"script {seed}: {len(a.splitlines())} JSON lines and {len(files)} pictures agree")
    print(f"all {scripts} scripts agree")


if __name__ == "__main__":
    main()
