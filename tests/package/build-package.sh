#!/usr/bin/env bash
# Builds the Debian package of a configured and built tree into DEB_DIR, which
# holds nothing else afterwards, for the package tests to check.
# usage: build-package.sh BUILD_DIR DEB_DIR
set -euo pipefail

build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out/cpack" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
mv "$out"/cpack/*.deb "$out"/
rm -rf "$out/cpack" "$out/cpack.log"
ls "$out"
