#!/usr/bin/env bash
# Start-up and peak memory of the quiz against a bare Qt window with the same widgets, on a
# real X server (Xvfb). Run by hand; extra arguments go to startup_bench (runs per program).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --bench
scripts/build.sh
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1024x768x24" \
    build/bench/startup/startup_bench "${1:-40}"
