#!/usr/bin/env bash
# The long random-input soak: 100,000 user actions (or as many as asked) on the whole
# program, headless, with the page's invariants checked after every action.
#
#   scripts/soak.sh [seed] [actions]
#
# Without a seed one is taken from the clock; a failure prints the seed and the number of
# the action, and the same seed replays the run. SOAK_BUILD names a build directory that
# holds tests/tst_soak already (default: build/, which this script sets up and builds).
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-$(date +%s)}
actions=${2:-100000}
build=${SOAK_BUILD:-build}
if [ -z "${SOAK_BUILD:-}" ]; then
    scripts/install-deps.sh
    scripts/build.sh --target tst_soak
fi
echo "soak: seed $seed, $actions actions"
# Qt Test stops a test function after five minutes unless told otherwise.
QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 SOAK_SEED="$seed" SOAK_ACTIONS="$actions" \
    "$build/tests/tst_soak" -maxwarnings 0
