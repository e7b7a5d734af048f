#!/usr/bin/env bash
# Runs every benchmark and prints one table: figure, target, measured, pass or fail.
# The tick costs run headless, each as a multiple of one copy of the stage buffer measured
# in the same run; the window's figures come from the real window under a virtual
# display. Takes about a minute.
#
# It measures the build a user gets: build/, configured as tools/run.sh configures it,
# with the project's default build type.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target tick_cost_bench window_driver >/dev/null
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' build/CMakeCache.txt)
ticks=$(build/bin/tick_cost_bench 2>/dev/null | sed -n '/^figure/,$p')
window=$(xvfb-run -a -s "-screen 0 1024x768x24" build/bin/window_driver 2>/dev/null)
printf '%s\n' "$ticks" | sed '/^(/d'
printf '%s\n' "$window" | sed '/^figure/d;/^(/d'
printf '%s\n' "$ticks" "$window" | sed -n '/^(/p'
echo "(build type: ${build_type:-none})"
