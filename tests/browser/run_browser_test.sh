#!/bin/sh
# Runs the pupils' page test: installs its locked tooling when missing, and skips (77) on a
# machine without Chromium or Node.
# Usage: run_browser_test.sh PROGRAM SCREENSHOT_FOLDER
set -eu
here=$(dirname "$0")
chromium=${QUIZ_CHROMIUM:-/usr/bin/chromium}
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1 || [ ! -x "$chromium" ]; then
    echo "skipped: needs node, npm and $chromium"
    exit 77
fi
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
    (cd "$here" && npm ci --no-audit --no-fund --ignore-scripts)
fi
mkdir -p "$2"
exec node "$here/pupil_page_test.js" "$1" "$chromium" "$2"
