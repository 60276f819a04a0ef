#!/usr/bin/env bash
# Draws the documentation's pictures again, docs/screenshot.png and docs/images/, from the
# windows themselves (offscreen, fixed seeds): the test that checks them writes them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
QUIZ_PICTURES="$PWD/docs" build/tests/window/guide_pictures_test
echo "pictures: docs/screenshot.png and docs/images/"
