#!/usr/bin/env bash
# Runs Debian's and the desktop's own checkers on the package in DEB_DIR
# (tests/package/build-package.sh): lintian, the AppStream validator on the
# installed tree, desktop-file-validate and man's warnings. Any remark fails,
# not only errors. scripts/install-deps.sh installs the checkers.
# usage: lint-package.sh DEB_DIR
set -euo pipefail
export LC_ALL=C.UTF-8

debs=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

missing=()
for tool in lintian appstreamcli desktop-file-validate man; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "FAIL: missing ${missing[*]}: run scripts/install-deps.sh (make deps)"
  exit 1
fi

debs_found=("$debs"/kestrix_*.deb)
[ -f "${debs_found[0]}" ] || { echo "FAIL: no kestrix_*.deb in $debs"; exit 1; }
deb=${debs_found[0]}

# Tags lintian may report, each with the reason it cannot be helped. None today.
allowed_tags=()

# -I and --pedantic: informational and pedantic tags count too. Lintian's own
# verdict is switched off; the tags it prints decide.
if ! lintian -I --pedantic --fail-on none --no-tag-display-limit "$deb" >"$tmp/lintian" \
  2>"$tmp/lintian.err"; then
  cat "$tmp/lintian.err"
  fail "lintian could not check the package"
fi
while read -r line; do
  tag=$(cut -d' ' -f3 <<<"$line")
  for allowed in "${allowed_tags[@]}"; do
    [ "$tag" = "$allowed" ] && continue 2
  done
  fail "lintian: $line"
done < <(grep -E '^[EWIPXO]: ' "$tmp/lintian" || true)

root=$tmp/root
dpkg-deb -x "$deb" "$root"

# validate-tree also checks that the metadata's desktop entry and icon are
# installed beside it. --strict fails on remarks of every level but pedantic.
if ! appstreamcli validate-tree --no-net --strict --pedantic --explain "$root" >"$tmp/appstream" 2>&1; then
  cat "$tmp/appstream"
  fail "appstreamcli validate-tree rejects the installed metadata"
fi

for desktop in "$root"/usr/share/applications/*.desktop; do
  # It exits with 0 after warnings and hints; what it prints decides.
  if ! desktop-file-validate "$desktop" >"$tmp/desktop" 2>&1 || [ -s "$tmp/desktop" ]; then
    cat "$tmp/desktop"
    fail "desktop-file-validate: ${desktop#"$root"}"
  fi
done

for page in "$root"/usr/share/man/man*/*; do
  # As lintian runs it, but failing on every warning of man or groff.
  if ! MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" \
    >/dev/null 2>"$tmp/man" || [ -s "$tmp/man" ]; then
    cat "$tmp/man"
    fail "man -l warns about ${page#"$root"}"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed for $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb"): lintian, appstreamcli, desktop-file-validate and man have no remarks"
