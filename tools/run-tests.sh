#!/usr/bin/env bash
# Builds the project and runs the whole test suite. The window tests start their own X
# server under xvfb-run, so no display is needed.
#
#   BUILD_DIR   build directory (default build)
#   CMAKE_ARGS  extra arguments for cmake's configure step, e.g. -DANIMATSIYA_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
read -r -a extra_args <<< "${CMAKE_ARGS:-}"
# Qt wants a private runtime folder; a bare environment has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
cmake -S . -B "$build_dir" -DANIMATSIYA_WERROR="${ANIMATSIYA_WERROR:-OFF}" "${extra_args[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
