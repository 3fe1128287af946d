#!/usr/bin/env bash
# Runs the randomized user-action test for many more seeds than make test does.
# Usage: scripts/useractions.sh [FIRST-LAST] [BUILD]   (default 1-200, build)
# A failing sequence names its seed and its actions; run that seed alone with
#   KESTRIX_ACTION_SEEDS=N-N QT_QPA_PLATFORM=offscreen BUILD/tests/ui/tst_useractions
set -euo pipefail
cd "$(dirname "$0")/.."
seeds=${1:-1-200}
build=${2:-build}
cmake --build "$build" --target tst_useractions kestrix-sample-server -j"${JOBS:-2}" >/dev/null
start=$(date +%s)
KESTRIX_ACTION_SEEDS=$seeds QT_QPA_PLATFORM=offscreen "./$build/tests/ui/tst_useractions" \
  -maxwarnings 0 | grep -E '^(PASS|FAIL|Totals)|seed ' || true
echo "seeds $seeds in $(( $(date +%s) - start )) s"
