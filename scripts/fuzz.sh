#!/usr/bin/env bash
# Builds the libFuzzer target with clang into build-fuzz/ and runs it for a bounded time
# (seconds, default 60) from the seed corpus in tests/fuzz/corpus. New inputs it finds go to
# a scratch folder, not into the repository; a crashing input is kept in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/install-deps.sh --fuzz
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DQUIZ_WARNINGS_AS_ERRORS=ON \
    -DQUIZ_BUILD_WINDOW=OFF -DQUIZ_BUILD_TESTS=OFF -DQUIZ_BUILD_BENCHMARKS=OFF \
    -DQUIZ_BUILD_FUZZERS=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build-fuzz

found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
build-fuzz/tests/fuzz/number_fuzz -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$found" tests/fuzz/corpus
