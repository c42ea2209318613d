#!/usr/bin/env bash
# Measures Settings beside a bare Qt window showing the same photograph: start-up, resident
# memory and idle cost (bench/startbench, in a virtual X server), then the ring and photograph
# benchmarks (bench/bench_rings). Builds what it needs in Release into build-bench/ and prints
# one Markdown table. Options are passed to startbench: --runs N, --idle SECONDS, --verbose.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libbenchmark-dev libxcb-damage0-dev pkg-config strace
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j2 --target Settings reference startbench bench_rings >&2
echo "Load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores" >&2

# Raised priority, where allowed, for the X server, the window manager and both programs alike:
# other work on a shared machine then disturbs the start-up times less.
priority=()
nice -n -10 true 2>/dev/null && priority=(nice -n -10)
"${priority[@]}" scripts/with-x.sh build-bench/bench/startbench "$@" build-bench/Settings build-bench/bench/reference

# CPU time of one pass, median of five repetitions; rows in the table's columns.
build-bench/bench/bench_rings --benchmark_filter='renderAllRings|decodePhotograph' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
awk -F, '
    $1 == "\"renderAllRings_median\""   { label = "Rendering all 45 ring images of the page (CPU, median)" }
    $1 == "\"decodePhotograph_median\"" { label = "Decoding the photograph, 600 × 598 progressive JPEG (CPU, median)" }
    label != "" { printf "| %s | %.2f ms | | | |\n", label, $4 / ($5 == "us" ? 1000 : 1); label = "" }'
