#!/usr/bin/env bash
# Checks what the Debian package in DEB_DIR (tests/package/build-package.sh)
# holds and what it declares.
# usage: check-package.sh DEB_DIR SOURCE_DIR [PLUGIN_FILE...]
# Each PLUGIN_FILE is a Qt plugin the program loads at run time; the package
# that owns it on this machine must be among the package's Depends.
set -euo pipefail
export LC_ALL=C

debs=$1
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

# The expected version is worked out here on its own rather than taken from
# the build, so a wrong conversion in cmake/packaging.cmake shows.
text=$(sed -n 's/^inline constexpr std::string_view version = "\(.*\)";$/\1/p' \
  "$source/src/core/version.h")
[ -n "$text" ] || { echo "FAIL: no version text in src/core/version.h"; exit 1; }
version=$(printf '%s\n' "$text" | sed 's/^\([0-9][0-9.]*\)\([A-Za-z]\)/\1~\2/')
arch=$(dpkg --print-architecture)
deb=$debs/kestrix_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
  echo "FAIL: no $(basename "$deb"); cpack made:"
  ls "$debs"
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
Homepage|https://kestrix.example.org/
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

# Exactly the program, its desktop entry, icons, man page, metadata and the
# package's documents: nothing from the tests, the sample server or the static
# libraries.
expected_files="./usr/bin/kestrix
./usr/share/applications/kestrix.desktop
./usr/share/doc/kestrix/changelog.gz
./usr/share/doc/kestrix/copyright
./usr/share/icons/hicolor/256x256/apps/kestrix.png
./usr/share/icons/hicolor/48x48/apps/kestrix.png
./usr/share/icons/hicolor/scalable/apps/kestrix.svg
./usr/share/man/man1/kestrix.1.gz
./usr/share/metainfo/org.example.kestrix.metainfo.xml"
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | { grep -v '/$' || true; } | sort)
if [ "$files" != "$expected_files" ]; then
  fail "the package's files differ from the expected ones (< expected, > packaged):"
  diff <(echo "$expected_files") <(echo "$files") || true
fi

root=$tmp/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/kestrix
[ -x "$program" ] || fail "usr/bin/kestrix is not executable"
# A run path would load libraries from elsewhere than the Qt packages that
# Depends names: from the build tree, stale or gone.
if readelf -d "$program" | grep -E 'R(UN)?PATH'; then
  fail "usr/bin/kestrix has a run path"
fi

# The changelog, the man page and the metadata name the release that
# src/core/version.h names, on one and the same day.
share=$root/usr/share
changelog=$(zcat "$share/doc/kestrix/changelog.gz")
changelog_version=$(sed -n '1s/^kestrix (\([^)]*\)) .*/\1/p' <<<"$changelog")
# " -- NAME <MAIL>  Tue, 08 Dec 2026 12:00:00 +0000": the day as written, not
# shifted by the time zone.
changelog_day=$(sed -n '/^ -- /{s/.*>  [A-Z][a-z][a-z], \([0-9]* [A-Z][a-z]* [0-9]*\) .*/\1/p;q}' \
  <<<"$changelog")
changelog_day=$(date -u -d "$changelog_day" +%F 2>/dev/null || echo "unreadable '$changelog_day'")
th=$(zcat "$share/man/man1/kestrix.1.gz" | grep -m1 '^\.TH ' || true)
man_date=$(sed -n 's/^\.TH [^ ]* [^ ]* \([^ ]*\) .*/\1/p' <<<"$th")
man_footer=$(sed -n 's/^\.TH [^ ]* [^ ]* [^ ]* "\([^"]*\)".*/\1/p' <<<"$th")
release=$(grep -o -m1 '<release [^>]*>' "$share/metainfo/org.example.kestrix.metainfo.xml" || true)
release_version=$(sed -n 's/.* version="\([^"]*\)".*/\1/p' <<<"$release")
release_date=$(sed -n 's/.* date="\([^"]*\)".*/\1/p' <<<"$release")
while IFS='|' read -r what got want; do
  [ "$got" = "$want" ] || fail "$what is '$got', expected '$want'"
done <<TABLE
changelog version|$changelog_version|$version
man page footer|$man_footer|Kestrix $text
newest metainfo release|$release_version|$text
man page date|$man_date|$changelog_day
newest metainfo release date|$release_date|$changelog_day
TABLE

# The copyright file carries LICENSE's holder and terms word for word; there
# the terms are indented by one blank, with " ." for an empty line.
copyright=$share/doc/kestrix/copyright
holder=$(sed -n 's/^Copyright: //p' "$copyright")
want_holder=$(sed -n 's/^Copyright (c) //p' "$source/LICENSE")
[ "$holder" = "$want_holder" ] || fail "copyright holder is '$holder', expected '$want_holder'"
if ! diff <(sed -n '/^Copyright (c) /,$p' "$source/LICENSE" | tail -n +3) \
  <(sed -n 's/^ \.$//p; s/^ \(.\)/\1/p' "$copyright"); then
  fail "the copyright file's terms differ from LICENSE (< LICENSE, > copyright)"
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
