#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for its share of a
# bounded time (seconds, default 60, split evenly): number_fuzz from tests/fuzz/corpus,
# rate_fuzz from tests/fuzz/rate_corpus. New inputs they find go to scratch folders, not into
# the repository; a crashing input is kept in build-fuzz/.
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

targets=(number_fuzz:tests/fuzz/corpus rate_fuzz:tests/fuzz/rate_corpus)
share=$(( seconds / ${#targets[@]} ))
share=$(( share > 0 ? share : 1 ))
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
for entry in "${targets[@]}"; do
    target=${entry%%:*}
    mkdir -p "$found/$target"
    build-fuzz/tests/fuzz/"$target" -max_total_time="$share" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/"$target"- "$found/$target" "${entry#*:}"
done
