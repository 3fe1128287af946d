#!/usr/bin/env bash
# Runs the program against the project's sample server, with a throwaway page cache.
# On a desktop the window stays open; without a display it runs under Xvfb, waits for the
# first search to finish, saves a screenshot and stops. Without a display,
# KESTRIX_DEMO_SIZE=WIDTHxHEIGHT resizes the window first, and QT_SCALE_FACTOR scales it; the
# screenshot's name says both (build/demo/kestrix-1400x900.png, kestrix-scale2.png).
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
work=$(mktemp -d /tmp/kestrix-demo.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$build/kestrix-sample-server" --data tests/data/server --port 0 --log "$work/requests.log" \
  > "$work/server.out" &
pids+=($!)
for _ in $(seq 50); do grep -q listening "$work/server.out" 2>/dev/null && break; sleep 0.1; done
port=$(sed -n 's/^listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$work/server.out")
[ -n "$port" ] || { echo "the sample server did not start" >&2; exit 1; }
echo "sample server on 127.0.0.1:$port"

export http_proxy="http://127.0.0.1:$port" no_proxy=""
export XDG_CACHE_HOME="$work/cache" XDG_CONFIG_HOME="$work/config"
# The sample server stands in for the real one; it is named as a user names a server.
export KESTRIX_SERVER_HOST="${KESTRIX_SERVER_HOST:-chemdata.sample.test}"
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/runtime}"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${KESTRIX_DEMO_HEADLESS:-}" != 1 ]; then
  "$build/kestrix"
  exit 0
fi

display=""
for n in $(seq 90 120); do
  [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 3200x2400x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/kestrix" &
program=$!
pids+=($program)

# The first search has finished when requests stop for a while (its closing pause is 2 s).
last=-1 quiet=0
for _ in $(seq 300); do
  now=$(wc -l < "$work/requests.log" 2>/dev/null || echo 0)
  if [ "$now" -gt 0 ] && [ "$now" = "$last" ]; then quiet=$((quiet + 1)); else quiet=0; fi
  last=$now
  [ "$quiet" -ge 30 ] && break
  sleep 0.1
done
name=kestrix
window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$program" | head -1)
if [ -n "${KESTRIX_DEMO_SIZE:-}" ]; then
  DISPLAY=$display xdotool windowsize "$window" "${KESTRIX_DEMO_SIZE%x*}" "${KESTRIX_DEMO_SIZE#*x}"
  sleep 1
  name="$name-$KESTRIX_DEMO_SIZE"
fi
[ -n "${QT_SCALE_FACTOR:-}" ] && name="$name-scale${QT_SCALE_FACTOR}"
mkdir -p "$build/demo"
DISPLAY=$display /usr/bin/import -window "$window" "$build/demo/$name.png"
echo "$last requests; screenshot: $root/$build/demo/$name.png"
