#!/usr/bin/env bash
# One-off check, not part of CI: installs the Debian package into a clean
# Debian 12 root and starts the program there once, to see that the package's
# Depends bring in every library and Qt plugin the program needs.
#
# usage: bash scripts/check-clean-install.sh [DEB] [ROOT]
#   DEB   the package; default: the newest build/kestrix_*.deb (`make package`)
#   ROOT  the clean root; default /work/cleanroot. Made with debootstrap
#         (bookworm, minbase, the mirror this machine's apt uses) when missing;
#         when present, a kestrix installed there by an earlier run is purged
#         with what it pulled in, so the install starts from a clean root.
# KESTRIX_NO_RECOMMENDS=1 installs without Recommends, the stricter test of
# whether Depends alone are enough.
# Needs root and debootstrap (apt-get install debootstrap). Prints the packages
# apt pulls in, the sizes, libraries that do not resolve, and the program's
# output. It mounts /proc and /dev/pts inside ROOT and unmounts them on every
# exit. The program searches the placeholder server host at start-up, which
# fails; QT_QPA_PLATFORM=offscreen and `timeout 5` end it.
set -euo pipefail

cd "$(dirname "$0")/.."
# shellcheck disable=SC2012 # the names are kestrix_VERSION_ARCH.deb, plain
deb=${1:-$(ls -t build/kestrix_*.deb 2>/dev/null | head -n 1)}
root=${2:-/work/cleanroot}
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "no package: run make package first" >&2
  exit 1
fi
[ "$(id -u)" -eq 0 ] || { echo "needs root (debootstrap, chroot, mount)" >&2; exit 1; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  # The first Debian mirror this machine's apt is set up with.
  mirror=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources \
    2>/dev/null | grep -v security | head -n 1)
  [ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' \
    /etc/apt/sources.list 2>/dev/null)
  [ -n "$mirror" ] || { echo "no Debian mirror found in /etc/apt" >&2; exit 1; }
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" || umount -l "${mounted[i]}" || true
  done
}
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mkdir -p "$root/dev/pts"
mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")
cp /etc/resolv.conf "$root/etc/resolv.conf"

in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"; }

if in_root dpkg-query -W kestrix >/dev/null 2>&1; then
  echo "== purging the kestrix of an earlier run"
  in_root apt-get purge -y -qq kestrix
  in_root apt-get autoremove --purge -y -qq
fi
in_root apt-get update -qq
cp "$deb" "$root/tmp/"
name=$(basename "$deb")
echo "== apt-get install ./$name"
before=$(du -sxk "$root" | cut -f1)
recommends=()
[ "${KESTRIX_NO_RECOMMENDS:-0}" = 1 ] && recommends=(--no-install-recommends)
in_root apt-get install -y "${recommends[@]}" "./tmp/$name" | tee "$root/tmp/install.log" |
  sed -n '/NEW packages/,/^[0-9]* upgraded/p; /additional disk space/p'
after=$(du -sxk "$root" | cut -f1)
rm -f "$root/tmp/$name"
echo "== kestrix Installed-Size: $(in_root dpkg-query -W -f "\${Installed-Size}" kestrix) KiB;" \
  "the root grew by $(((after - before) / 1024)) MiB"

echo "== libraries that do not resolve (none expected)"
plugins=$(cd "$root" && echo usr/lib/*/qt6/plugins)
missing=0
for file in /usr/bin/kestrix "/$plugins/platforms/libqxcb.so" "/$plugins/tls/libqopensslbackend.so"; do
  if [ ! -e "$root$file" ]; then
    echo "missing file: $file"
    missing=1
  elif in_root ldd "$file" | grep 'not found'; then
    missing=1
  fi
done

echo "== QT_QPA_PLATFORM=offscreen timeout 5 kestrix"
set +e
in_root env QT_QPA_PLATFORM=offscreen HOME=/root timeout 5 kestrix >"$root/tmp/run.log" 2>&1
status=$?
set -e
head -n 20 "$root/tmp/run.log"
# 124: still running when timeout ended it, which is what a started program does.
if [ "$status" -eq 124 ] && [ "$missing" -eq 0 ] &&
  ! grep -qiE 'error while loading|could not (find|load)|no qt platform plugin|TLS backend' \
    "$root/tmp/run.log"; then
  echo "== started and ran until timeout ended it"
else
  echo "== FAILED: exit status $status, unresolved libraries: $missing"
  exit 1
fi
