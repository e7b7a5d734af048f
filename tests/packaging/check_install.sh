#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop finds there: the
# program alone in bin, one desktop entry, its icon and its AppStream data under one id,
# each accepted by the validators. Usage: check_install.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1 prefix=$2
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
fail() { echo "install layout: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

[ "$(ls "$prefix/bin")" = animatsiya ] || fail "bin holds $(ls "$prefix/bin" | tr '\n' ' ')"
shopt -s nullglob
entries=("$prefix"/share/applications/*.desktop)
[ ${#entries[@]} -eq 1 ] || fail "${#entries[@]} desktop entries"
id=$(basename "${entries[0]}" .desktop)
grep -qx "Icon=$id" "${entries[0]}" || fail "the desktop entry's Icon is not $id"
grep -qx "Exec=animatsiya" "${entries[0]}" || fail "the desktop entry does not run animatsiya"
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no $metainfo"
grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"

grep -q "SIL OPEN FONT LICENSE Version 1.1" "$prefix/share/doc/animatsiya/copyright" ||
  fail "the copyright file lacks the caption font's licence"

icons=("$prefix"/share/icons/hicolor/*/apps/"$id".png)
[ ${#icons[@]} -gt 0 ] || fail "no icon named $id"
for icon in "${icons[@]}"; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$icon")
  [ "${w}x${h}" = "$size" ] || fail "$icon is ${w}x${h}"
done

desktop-file-validate "${entries[0]}"
appstreamcli validate --no-net "$metainfo"
echo "installed ${#icons[@]} icons, desktop entry and AppStream data for $id"
