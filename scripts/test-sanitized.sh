#!/usr/bin/env bash
# Builds the whole suite a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-sanitized/ and runs it; the first error found ends the run with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all"
# -O1, as the sanitizers' own documentation suggests: fast enough to run, quicker to build.
cmake -S . -B build-sanitized -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DQUIZ_WARNINGS_AS_ERRORS=ON -DQUIZ_BUILD_TESTS=ON -DQUIZ_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$sanitize -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize"
cmake --build build-sanitized

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0
# The soak tests play fewer turns: the sanitizers make every one several times slower.
export QUIZ_SOAK_TURNS=20000 QUIZ_SOAK_ROUNDS=300
# The page's browser test runs in the plain suite: the host it drives is the same code that
# program.hosted_lesson plays here under the sanitizers.
ctest --test-dir build-sanitized --output-on-failure -j "$(nproc)" -E '^browser\.'
