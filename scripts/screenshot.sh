#!/usr/bin/env bash
# Draws the documentation's pictures again, docs/screenshot.png and docs/images/, from the
# windows themselves (offscreen, fixed seeds) and from the pupils' page in headless Chromium:
# the tests that check them write them instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
QUIZ_PICTURES="$PWD/docs" build/tests/window/guide_pictures_test
status=0
QUIZ_PICTURES="$PWD/docs" sh tests/browser/run_browser_test.sh guide_picture_test.js \
    build/app/realdataquiz docs || status=$?
if [ "$status" -eq 77 ]; then
    echo "docs/images/pupil-phone.png left as it is: drawing it needs node, npm and chromium"
elif [ "$status" -ne 0 ]; then
    exit "$status"
fi
echo "pictures: docs/screenshot.png and docs/images/"
