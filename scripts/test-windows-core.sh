#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with MinGW-w64 into build-mingw/ and
# runs them under wine: the pinned turns of every level must come out as on Linux. Installs the
# Debian 12 packages it needs, only those missing. QUIZ_SOAK_TURNS sets the soak's length.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --windows
# libsodium for Windows, cross-built from Debian's sources and cached.
QUIZ_WINDOWS_LIBS=$(scripts/build-libs-windows.sh | tail -n 1)
export QUIZ_WINDOWS_LIBS PKG_CONFIG_LIBDIR="$QUIZ_WINDOWS_LIBS/lib/pkgconfig"

# The preset (CMakePresets.json) names the toolchain file, GoogleTest's sources and build-mingw.
cmake --preset mingw-cross
cmake --build --preset mingw-cross

# A private wine set-up in the build folder, without the .NET and browser add-ons it would
# otherwise offer to download. wine64 alone, with no 32-bit wine, says it misses syswow64
# programs while it makes the set-up: harmless, so that step is quiet.
export WINEPREFIX="$PWD/build-mingw/wine" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX" ]; then
    wineboot --init >/dev/null 2>&1 || true
fi
export QUIZ_SOAK_TURNS="${QUIZ_SOAK_TURNS:-100000}"
status=0
wine build-mingw/tests/core/quiz_core_tests.exe --gtest_brief=1 || status=$?
if [ "$status" -eq 0 ]; then
    wine build-mingw/tests/core/quiz_core_soak.exe --gtest_brief=1 || status=$?
fi
wineserver -k || true # the prefix's server would otherwise linger a few seconds
exit "$status"
