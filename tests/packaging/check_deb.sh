#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and lets lintian judge it: no error and
# no warning, and the manual page inside. Usage: check_deb.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1 scratch=$2
for tool in cpack lintian dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
fail() { echo "debian package: $*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  fail "cpack failed: $(tail -3 "$scratch/cpack.log")"
debs=("$scratch"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made ${#debs[@]} packages"
deb=${debs[0]}

contents=$(dpkg-deb --contents "$deb")
grep -q '/usr/share/man/man1/animatsiya\.1\.gz$' <<<"$contents" || fail "no manual page"
grep -q '/usr/share/doc/animatsiya/changelog\.gz$' <<<"$contents" || fail "no changelog"
dpkg-deb --field "$deb" Recommends | grep -qw qt6-wayland || fail "qt6-wayland is not recommended"

# lintian warns that it runs as root; only its tags count.
report=$(lintian "$deb" 2>/dev/null || true)
if grep -E '^[EW]: ' <<<"$report"; then fail "lintian has errors or warnings"; fi
echo "lintian accepts $(basename "$deb")"
