#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the whole test suite: the headless unit tests,
# then the real-window tests in a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
ctest -L unit --output-on-failure -j2
ctest -L package --output-on-failure
../scripts/with-x.sh ctest -L e2e --output-on-failure
# The unit and real-window tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then each fuzz target for a bounded number of inputs.
../scripts/sanitize.sh
../scripts/fuzz.sh
