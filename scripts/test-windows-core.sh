#!/usr/bin/env bash
# Cross-builds the core and its tests for 64-bit Windows with MinGW-w64 into build-mingw/ and
# runs them under wine: the pinned turns of every level must come out as on Linux. Installs the
# Debian 12 packages it needs, only those missing. QUIZ_SOAK_TURNS sets the soak's length.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build
    g++-mingw-w64-x86-64-posix # the compilers with std::thread, as the toolchain file names them
    googletest                 # GoogleTest's sources, built for Windows with the tests
    wine wine64                # runs the tests
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "test-windows-core: missing packages (${missing[*]}) and neither root nor sudo" >&2
        exit 1
    fi
    echo "test-windows-core: installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

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
