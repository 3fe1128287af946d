#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: does nothing when every package is present already.
set -euo pipefail

# dpkg-dev and file: CPack's dpkg-shlibdeps step for the Debian package, and
# dpkg-buildflags for the hardening flags. lintian, appstream,
# desktop-file-utils and man-db: the package tests' checkers.
packages=(cmake make g++ qt6-base-dev libgtest-dev openssl xvfb xauth xdg-utils xdotool imagemagick
  ccache curl dpkg-dev file lintian appstream desktop-file-utils man-db)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# The Windows cross build: the posix thread model (the win32 one lacks std::thread and
# std::mutex), wine to run the tests, and GoogleTest's sources to build it for Windows.
if [ "${1:-}" = "--windows" ]; then
  packages+=(g++-mingw-w64-x86-64-posix wine64 googletest)
fi
if [ "${1:-}" = "--bench" ]; then
  packages+=(libbenchmark-dev curl dpkg-dev file)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
