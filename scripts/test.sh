#!/usr/bin/env bash
# Sets up, builds with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --office
scripts/build.sh -DQUIZ_WARNINGS_AS_ERRORS=ON -DQUIZ_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"
