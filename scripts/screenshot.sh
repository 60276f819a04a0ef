#!/usr/bin/env bash
# Renders the README's screenshot of the window from its own look test (offscreen, fixed seed).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
mkdir -p docs
QT_QPA_PLATFORM=offscreen QUIZ_SCREENSHOT="$PWD/docs/screenshot.png" \
    build/tests/window/quiz_form_look_test hasTheDesignedSizeAndColours
echo "screenshot: docs/screenshot.png"
