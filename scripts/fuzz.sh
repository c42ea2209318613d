#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang into build-fuzz/ and runs them.
#
#   scripts/fuzz.sh                       a bounded run of every target, as CI does (ctest -L fuzz)
#   scripts/fuzz.sh long [RUNS] [TARGET...]
#                                         a campaign: each target (baseaddress, layout, rtf,
#                                         jpeg; all by default) for RUNS inputs (10 million by
#                                         default), two at a time, on corpora kept in
#                                         build-fuzz/campaign/ between campaigns
#
# A crash leaves its input in build-fuzz/ (bounded) or build-fuzz/campaign/ (long); replay it
# with build-fuzz/fuzz_<target> <file>.
set -euo pipefail
cd "$(dirname "$0")/.."
# libFuzzer comes with clang's runtime libraries.
scripts/install-deps.sh clang-14 libclang-rt-14-dev
build=build-fuzz

if [ ! -f $build/build.ninja ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CXX=clang++-14 cmake -S fuzz -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build $build -j2

export QT_QPA_PLATFORM=offscreen
# Leaks that only the libraries beneath the program have, as in the sanitizer build.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0
if [ "${1:-}" != long ]; then
    cd $build
    exec ctest -L fuzz --output-on-failure
fi

runs=${2:-10000000}
targets=("${@:3}")
[ ${#targets[@]} -gt 0 ] || targets=(layout baseaddress rtf jpeg) # the slowest first
campaign=$build/campaign
mkdir -p $campaign

run_one() {
    local target=$1 corpus=$campaign/$1
    mkdir -p "$corpus"
    local options=(-runs="$runs" -timeout=30 -print_final_stats=1 -artifact_prefix="$campaign/$target-")
    [ -f fuzz/$target.dict ] && options+=(-dict=fuzz/$target.dict)
    echo "fuzz_$target: $runs inputs, log in $campaign/$target.log"
    $build/fuzz_$target "${options[@]}" "$corpus" fuzz/corpus/$target >"$campaign/$target.log" 2>&1 \
        || { echo "fuzz_$target FAILED: see $campaign/$target.log"; return 1; }
    grep -E "^Done|stat::number_of_executed_units|stat::average_exec_per_sec" "$campaign/$target.log" | sed "s/^/  /"
}

# Two at a time, the machine's two cores; the next target starts as soon as one ends.
status=0
running=0
for target in "${targets[@]}"; do
    if [ $running -eq 2 ]; then
        wait -n || status=1
        running=$((running - 1))
    fi
    run_one "$target" &
    running=$((running + 1))
done
while [ $running -gt 0 ]; do
    wait -n || status=1
    running=$((running - 1))
done
exit $status
