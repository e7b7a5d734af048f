#!/usr/bin/env bash
# Installs the Debian packages listed in tools/packages.txt, or in the lists given as
# arguments, that are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- "$here/packages.txt"
mapfile -t wanted < <(cat "$@" | grep -v '^\s*#' | grep -v '^\s*$')
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing ${#missing[@]} packages: ${missing[*]}"
# dpkg's line for every unpacked package goes to a log, shown only if something fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
         -o Dpkg::Use-Pty=0 --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "setup: installing the packages failed" >&2
  exit 1
fi
echo "Installed."
