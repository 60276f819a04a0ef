#!/usr/bin/env bash
# Sets up, builds and starts the quiz.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

echo "The quiz core is built. Its window comes with the next step;"
echo "until then, 'bash scripts/test.sh' shows the core at work in its tests."
