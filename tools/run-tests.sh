#!/usr/bin/env bash
# Builds the project in build/ and runs the whole test suite. The window tests start
# their own X server under xvfb-run, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DANIMATSIYA_WERROR="${ANIMATSIYA_WERROR:-OFF}" >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
