#!/usr/bin/env bash
# Builds the web edition and serves its static site on http://127.0.0.1:PORT/ (default
# 8000) with Python's plain static server; the page needs no server code of its own.
#
#   tools/run-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-${PORT:-8000}}
tools/build-web.sh
echo "Анимация in the browser: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
