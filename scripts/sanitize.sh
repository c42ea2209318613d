#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs the unit tests, then the real-window tests in a virtual X server. Any report
# (memory error, leak, undefined behaviour) stops the test that caused it, which then fails.
# Leaks inside third-party libraries are suppressed in scripts/lsan-suppressions.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-asan/build.ninja ] ||
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSETTINGS_SANITIZE=ON >/dev/null
cmake --build build-asan -j2

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:print_stacktrace=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd build-asan
ctest -L unit --output-on-failure -j2
../scripts/with-x.sh ctest -L e2e --output-on-failure
