#!/usr/bin/env bash
# Sets up, builds and starts the quiz.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

exec build/app/realdataquiz "$@"
