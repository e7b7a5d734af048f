#!/usr/bin/env bash
# Builds the program in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target animatsiya
exec build/bin/animatsiya
