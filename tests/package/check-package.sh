#!/usr/bin/env bash
# Builds the Debian package of a configured and built tree into a temporary
# folder and checks what it holds and what it declares.
# usage: check-package.sh BUILD_DIR SOURCE_DIR [PLUGIN_FILE...]
# Each PLUGIN_FILE is a Qt plugin the program loads at run time; the package
# that owns it on this machine must be among the package's Depends.
set -euo pipefail

build=$1
source=$2
shift 2
plugins=("$@")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi

# The expected version is worked out here on its own rather than taken from
# the build, so a wrong conversion in cmake/packaging.cmake shows.
text=$(sed -n 's/^inline constexpr std::string_view version = "\(.*\)";$/\1/p' \
  "$source/src/core/version.h")
[ -n "$text" ] || { echo "FAIL: no version text in src/core/version.h"; exit 1; }
version=$(printf '%s\n' "$text" | sed 's/^\([0-9][0-9.]*\)\([A-Za-z]\)/\1~\2/')
arch=$(dpkg --print-architecture)
deb=$tmp/kestrix_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  echo "FAIL: no $(basename "$deb"); cpack made:"
  ls "$tmp"
  exit 1
fi

# Control fields that must read exactly so.
while IFS='|' read -r field want; do
  got=$(dpkg-deb -f "$deb" "$field")
  [ "$got" = "$want" ] || fail "$field is '$got', expected '$want'"
done <<EOF
Package|kestrix
Version|$version
Architecture|$arch
Section|science
Maintainer|Kestrix developers <kestrix@example.org>
Homepage|http://kestrix.example.org/
EOF
description=$(dpkg-deb -f "$deb" Description)
[ "$(printf '%s\n' "$description" | wc -l)" -gt 1 ] || fail "Description has no long part"

# Package names of a relation field, without versions or alternatives' bars.
names() {
  dpkg-deb -f "$deb" "$1" | tr ',|' '\n' | sed 's/(.*//; s/[[:space:]]//g' | sed '/^$/d'
}
depends=$(names Depends)
needed=(libqt6widgets6 libqt6gui6 libqt6network6 libqt6core6 libc6 libstdc++6)
for plugin in "${plugins[@]}"; do
  if owner=$(dpkg-query -S "$plugin" 2>/dev/null); then
    needed+=("${owner%%[:,]*}")
  else
    fail "no Debian package owns the plugin $plugin"
  fi
done
for name in "${needed[@]}"; do
  grep -qxF "$name" <<<"$depends" || fail "Depends lacks $name: $(dpkg-deb -f "$deb" Depends)"
done
names Recommends | grep -qxF xdg-utils || fail "Recommends lacks xdg-utils"

# Exactly the program, its desktop entry and its icons: nothing from the
# tests, the sample server or the static libraries.
expected_files="./usr/bin/kestrix
./usr/share/applications/kestrix.desktop
./usr/share/icons/hicolor/256x256/apps/kestrix.png
./usr/share/icons/hicolor/48x48/apps/kestrix.png
./usr/share/icons/hicolor/scalable/apps/kestrix.svg"
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | { grep -v '/$' || true; } | sort)
if [ "$files" != "$expected_files" ]; then
  fail "the package's files differ from the expected ones (< expected, > packaged):"
  diff <(echo "$expected_files") <(echo "$files") || true
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/kestrix
[ -x "$program" ] || fail "usr/bin/kestrix is not executable"
# A run path into the build tree would load stale libraries, or none at all.
if readelf -d "$program" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
  fail "usr/bin/kestrix has a run path into the build tree"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/usr/share/applications/kestrix.desktop" ||
    fail "the desktop entry is not valid"
fi
# Each PNG must be as large as the folder it sits in says.
for size in 48 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/kestrix.png
  [ -f "$png" ] || continue
  # Width and height are big-endian 32-bit numbers at bytes 16 to 23 of the header.
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  if [ "$w" != "$size" ] || [ "$h" != "$size" ]; then
    fail "${size}x${size}/apps/kestrix.png is ${w}x${h}"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb"): all checks passed"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
