#!/usr/bin/env bash
# Proves the Qt cross-built for Windows: builds this small window against it (building Qt first
# when it is not cached), puts the DLLs beside it, runs it under wine on a private X server and
# saves a screenshot. Run as root or with sudo on Debian 12 (it installs wine and Xvfb).
#   QUIZ_CACHE_DIR  as for scripts/build-qt-windows.sh; the smoke build goes to its qt-smoke/
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
cache_dir="${QUIZ_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz}"

prefix=$("$repo/scripts/build-qt-windows.sh" | tail -n 1)

packages=(wine wine64 xvfb xauth imagemagick)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work="$cache_dir/qt-smoke"
rm -rf "$work/build" "$work/deploy"
cmake -S "$here" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    --toolchain "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" >"$work.configure.log" 2>&1 || {
    cat "$work.configure.log" >&2
    exit 1
}
cmake --build "$work/build"
mkdir -p "$work/deploy"
cp "$work/build/qt_smoke.exe" "$work/deploy/"
echo "qt-smoke: beside qt_smoke.exe:"
"$repo/scripts/windows/deploy-dlls.sh" "$prefix" "$work/deploy/qt_smoke.exe" | sed 's/^/  /'

# A private wine set-up in the cache, without the .NET and browser add-ons it would offer to
# download; its first start takes a while.
export WINEPREFIX="$work/wine" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -d "$WINEPREFIX" ]; then
    wineboot --init >/dev/null 2>&1 || true
fi

shot="$work/screenshot.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 800x300x24" bash -c '
    wine "$1/deploy/qt_smoke.exe" 20000 &
    sleep 12
    import -window root "$2"
    wait' _ "$work" "$shot"
wineserver -k || true
echo "qt-smoke: screenshot in $shot"
