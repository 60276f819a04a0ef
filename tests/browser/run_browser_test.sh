#!/bin/sh
# Runs one of the browser tests: installs their locked tooling when missing, and skips (77) on a
# machine without Chromium or Node.
# Usage: run_browser_test.sh SCRIPT PROGRAM FOLDER (the screenshots' folder, or the docs')
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
mkdir -p "$3"
exec node "$here/$1" "$2" "$chromium" "$3"
