#!/usr/bin/env bash
# Start-up and peak memory of the quiz against a bare Qt window with the same widgets, on a
# real X server (Xvfb), for each source of data: the stored series, the built-in ECB extract
# at the level the README recommends, and a teacher's 1.8 MB file (the ECB's whole history
# beside the checkout, or the file QUIZ_BENCH_FILE names). Run by hand:
#   scripts/bench-startup.sh [runs per program, 21 by default]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-21}
teacher_file=${QUIZ_BENCH_FILE:-$PWD/../shared/data/eurofxref-hist.csv}

scripts/install-deps.sh --bench
scripts/build.sh
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
bench() {
    XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" \
        build/bench/startup/startup_bench "$runs" "$@"
    echo
}
bench
bench --data ecb --level 4
if [ -f "$teacher_file" ]; then
    bench --data "$teacher_file"
else
    echo "No teacher's file at $teacher_file: set QUIZ_BENCH_FILE to measure one." >&2
fi
