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
# The flags the stage and its compositor are built with: those of the default build type
# unless build/ was configured with another.
flags=$(sed -n 's/^CXX_FLAGS = //p' build/stage/CMakeFiles/animatsiya_stage.dir/flags.make)
ticks=$(build/bin/tick_cost_bench 2>/dev/null | sed -n '/^figure/,$p')
window=$(xvfb-run -a -s "-screen 0 1024x768x24" build/bin/window_driver 2>/dev/null)
web=$(tools/build-web.sh >/dev/null && node bench/web_bench.mjs build-web/site)
printf '%s\n' "$ticks" | sed '/^(/d'
printf '%s\n' "$window" "$web" | sed '/^figure/d;/^(/d'
printf '%s\n' "$ticks" "$window" "$web" | sed -n '/^(/p'
echo "(built with: ${flags%% -W*})"
