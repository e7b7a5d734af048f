#!/usr/bin/env bash
# Runs every benchmark and prints one table: figure, target, measured, pass or fail.
# The tick costs run headless; the window's figures come from the real window under a
# virtual display. Takes about a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target tick_cost_bench window_driver >/dev/null
ticks=$(build/bin/tick_cost_bench 2>/dev/null | sed -n '/^figure/,$p')
window=$(xvfb-run -a -s "-screen 0 1024x768x24" build/bin/window_driver 2>/dev/null)
printf '%s\n' "$ticks"
printf '%s\n' "$window" | sed '/^figure/d'
tools/build-web.sh >/dev/null && node bench/web_bench.mjs build-web/site | sed '/^figure/d'
