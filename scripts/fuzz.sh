#!/usr/bin/env bash
# Builds the libFuzzer targets (make fuzz) and runs each one, one after the other, for
# SECONDS (default 600) seconds. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
# Each target's corpus grows in build-fuzz/corpus/TARGET, seeded from fuzz/corpus/TARGET (and,
# for the page readers, from the sample pages tests/data/*/**.htm); crashes are written to
# build-fuzz/artifacts/TARGET/ and logs to build-fuzz/logs/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] &&
  targets=(fuzz_text fuzz_names fuzz_resultpage fuzz_extract fuzz_entry fuzz_tabulate fuzz_manners)

make fuzz JOBS="${JOBS:-2}"

failed=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$target"
  artifacts="build-fuzz/artifacts/$target/"
  log="build-fuzz/logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  seeds="build-fuzz/seeds/$target"
  rm -rf "$seeds"
  mkdir -p "$seeds"
  cp fuzz/corpus/"$target"/* "$seeds"/
  if [ "$target" = fuzz_resultpage ] || [ "$target" = fuzz_extract ]; then
    # The sample server's pages, named after their folders so that none overwrites another.
    find tests/data/server tests/data/today -name '*.htm' 2>/dev/null | while read -r page; do
      cp "$page" "$seeds/$(echo "${page#tests/data/}" | tr / -)"
    done
  fi
  echo "== $target: ${seconds} s"
  status=0
  ./build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "$seeds" \
    >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  units=$(find "$corpus" -type f | wc -l)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${executions:-?} executions in ${seconds} s, corpus $units inputs"
  else
    failed=1
    echo "$target: FAILED (exit $status) after ${executions:-?} executions; see $log"
    grep -E 'ERROR|runtime error|deadly signal|Test unit written' "$log" | head -5 || true
  fi
done
exit "$failed"
