#!/usr/bin/env bash
# Times `kestrix search` over 100 formulas, each a separate run of the program, against the
# sample server on 127.0.0.1 through http_proxy: once cold (every page fetched and cached),
# then 5 times warm (everything from the page cache, no request) and 5 times --offline.
# Usage: scripts/bench-cli.sh [BUILD]   (BUILD holds kestrix and kestrix-sample-server)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
program="$build/kestrix"
sampleserver="$build/kestrix-sample-server"
[[ -x "$program" && -x "$sampleserver" ]] || {
  echo "build $program and $sampleserver first" >&2
  exit 2
}

work="$(mktemp -d)"
serverpid=""
finish() {
  [[ -n "$serverpid" ]] && kill "$serverpid" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# 100 formulas, each answered with the C5H12 list page (3 compounds).
mkdir -p "$work/data/formula"
cp -r tests/data/server/compound tests/data/server/image "$work/data/"
formulas=()
for n in $(seq 1 100); do
  f="C${n}H$((2 * n + 2))"
  formulas+=("$f")
  cp tests/data/server/formula/C5H12.htm "$work/data/formula/$f.htm"
done

"$sampleserver" --data "$work/data" --port 0 --log "$work/log" >"$work/server.out" 2>&1 &
serverpid=$!
for _ in $(seq 1 50); do
  grep -q '^listening on' "$work/server.out" && break
  sleep 0.1
done
port="$(sed -n 's/^listening on 127.0.0.1://p' "$work/server.out")"
[[ -n "$port" ]] || { echo "the sample server did not start" >&2; exit 1; }

export http_proxy="http://127.0.0.1:$port" no_proxy="" XDG_CACHE_HOME="$work/cache"
export XDG_CONFIG_HOME="$work/config" KESTRIX_SERVER_HOST=chemdata.sample.test
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# Milliseconds for one pass over the formulas with the given options.
pass() {
  local start end
  start=$(date +%s%N)
  for f in "${formulas[@]}"; do
    "$program" search "$f" --format tsv "$@" >/dev/null
  done
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | sed -n "$(((${#} + 1) / 2))p"; }
each() { awk "BEGIN { printf \"%.1f\", $1 / 100 }"; }

cold=$(pass)
requests=$(wc -l <"$work/log")
: >"$work/log"
warm=()
offline=()
for _ in 1 2 3 4 5; do warm+=("$(pass)"); done
for _ in 1 2 3 4 5; do offline+=("$(pass --offline)"); done
warmrequests=$(wc -l <"$work/log")
# The program's start alone, for comparison: --version loads the same libraries and exits.
start=()
for _ in 1 2 3 4 5; do
  t0=$(date +%s%N)
  for _ in $(seq 1 100); do "$program" --version >/dev/null; done
  t1=$(date +%s%N)
  start+=("$(((t1 - t0) / 1000000))")
done

w=$(median "${warm[@]}")
o=$(median "${offline[@]}")
echo "kestrix search, 100 formulas of 3 compounds, one program run each (wall time):"
echo "  cold (every page fetched and cached, $requests requests): ${cold} ms, $(each "$cold") ms per search"
echo "  warm (all from the page cache, $warmrequests requests in 5 passes): median ${w} ms, $(each "$w") ms per search (runs: ${warm[*]})"
echo "  --offline: median ${o} ms, $(each "$o") ms per search (runs: ${offline[*]})"
v=$(median "${start[@]}")
echo "  kestrix --version 100 times (program start only): median ${v} ms, $(each "$v") ms per run (runs: ${start[*]})"
