#!/usr/bin/env bash
# Builds the web edition with Debian's Emscripten into build-web/: build-web/site/ is the
# whole static site (HTML, script, style, module) and build-web/trace/animatsiya-trace.js
# the trace tool for Node.
#
#   WEB_BUILD_DIR  build directory (default build-web)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${WEB_BUILD_DIR:-build-web}
# Debian's Node does not search /usr/share/nodejs, where emcc's optimizer finds acorn.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
  -DANIMATSIYA_WERROR="${ANIMATSIYA_WERROR:-OFF}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
