#!/usr/bin/env bash
# Builds the quiz for 64-bit Windows on Debian 12, with Qt cross-built from Debian's own sources
# (scripts/build-qt-windows.sh, cached), and makes in build-windows/:
#   realdataquiz-<version>-windows-x64/      the portable folder: runs from a USB stick or a
#   realdataquiz-<version>-windows-x64.zip   read-only share, writes nothing beside itself
#   realdataquiz-<version>-x64.msi           per machine, for IT admins (Group Policy, Intune)
#   realdataquiz-<version>-setup.exe         per user, for a teacher without admin rights
# Run as root or with sudo: it installs the Debian packages it needs. Prints the time taken.
#   QUIZ_CACHE_DIR  as for scripts/build-qt-windows.sh
set -euo pipefail
started=$SECONDS
repo=$(cd "$(dirname "$0")/.." && pwd)
out="$repo/build-windows"
mingw_triple=x86_64-w64-mingw32

say() { echo "build-windows: $*" >&2; }
elapsed() { local s=$((SECONDS - started)); printf '%d min %02d s' $((s / 60)) $((s % 60)); }

"$repo/scripts/install-deps.sh" --windows-package
mkdir -p "$out"
prefix=$("$repo/scripts/build-qt-windows.sh" | tail -n 1)
say "Qt ready in $prefix ($(elapsed))"
# The C libraries beside Qt, static, from Debian's sources too.
QUIZ_WINDOWS_LIBS=$("$repo/scripts/build-libs-windows.sh" | tail -n 1)
export QUIZ_WINDOWS_LIBS PKG_CONFIG_LIBDIR="$QUIZ_WINDOWS_LIBS/lib/pkgconfig"

# Without Qt WebSockets (Debian's sources of it not to be had) the program has no lesson on the
# network; the class folder serves the lesson as before.
network_lesson=ON
if [ ! -d "$prefix/lib/cmake/Qt6WebSockets" ]; then
    say "this Qt has no WebSockets: building without the lesson on the network"
    network_lesson=OFF
fi

# The program, from the same sources as on Linux. The build host's lrelease (Debian's
# qt6-l10n-tools) makes the translations: they are data, the same on every system.
cmake -S "$repo" -B "$out/build" -G Ninja \
    --toolchain "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DQUIZ_BUILD_TESTS=OFF -DQUIZ_BUILD_BENCHMARKS=OFF -DQUIZ_BUILD_PROBE=ON \
    -DQUIZ_NETWORK_LESSON="$network_lesson" \
    -DQt6LinguistTools_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6LinguistTools \
    -DQUIZ_WARNINGS_AS_ERRORS=ON >"$out/configure.log" 2>&1 || {
    cat "$out/configure.log" >&2
    exit 1
}
cmake --build "$out/build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")
say "program built ($(elapsed))"

# The portable folder.
name="realdataquiz-$version-windows-x64"
folder="$out/$name"
rm -rf "$folder" "$out/$name.zip"
mkdir -p "$folder/translations" "$folder/licenses/qt" "$folder/licenses/mingw"
cp "$out/build/realdataquiz.exe" "$folder/"
"$repo/scripts/windows/deploy-dlls.sh" "$prefix" "$folder/realdataquiz.exe" >/dev/null
find "$folder" -name '*.dll' -exec ${mingw_triple}-strip --strip-unneeded {} +
${mingw_triple}-strip --strip-unneeded "$folder/realdataquiz.exe"
cp "$repo/packaging/windows/qt.conf" "$folder/"
cp /usr/share/qt6/translations/qtbase_bg.qm "$folder/translations/"

# The manual as text, in Bulgarian and English, with Windows line ends for Notepad.
manual() { preconv -e utf-8 "$1" | groff -man -Tutf8 -P-cbou 2>/dev/null | sed 's/$/\r/' >"$2"; }
manual "$repo/packaging/man/bg/realdataquiz.1" "$folder/manual-bg.txt"
manual "$repo/packaging/man/realdataquiz.1" "$folder/manual.txt"

# Licences: the quiz's own and the ECB's terms, Qt's (LGPL, shipped as DLLs), the runtime's.
to_crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }
to_crlf "$repo/packaging/debian/copyright" "$folder/COPYRIGHT.txt"
to_crlf "$repo/packaging/windows/LICENSES.txt" "$folder/LICENSES.txt"
for licence in "$prefix"/licenses/*.txt; do
    to_crlf "$licence" "$folder/licenses/qt/$(basename "$licence")"
done
qt_copyright=$(find "${QUIZ_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz}/src" \
    -path '*/qt6-base-*/debian/copyright' 2>/dev/null | head -n 1)
if [ -n "$qt_copyright" ]; then
    to_crlf "$qt_copyright" "$folder/licenses/qt/debian-copyright.txt"
else
    say "Debian's copyright file of qt6-base not found: apt-get source qt6-base gives it"
    exit 1
fi
to_crlf "$prefix/configure.log" "$folder/licenses/qt/build-options.txt"
to_crlf /usr/share/doc/gcc-mingw-w64-base/copyright "$folder/licenses/mingw/gcc-copyright.txt"
to_crlf /usr/share/doc/mingw-w64-common/copyright "$folder/licenses/mingw/mingw-w64-copyright.txt"
mkdir -p "$folder/licenses/libraries"
for licence in "$QUIZ_WINDOWS_LIBS"/licenses/*.txt; do
    to_crlf "$licence" "$folder/licenses/libraries/$(basename "$licence")"
done

# The documentation, the README beside docs\ so that its links hold; the teacher's guide is
# inside the program as well.
mkdir -p "$folder/docs/images"
to_crlf "$repo/README.md" "$folder/README.md"
for page in "$repo"/docs/*.md; do
    to_crlf "$page" "$folder/docs/$(basename "$page")"
done
cp "$repo"/docs/*.png "$folder/docs/"
cp "$repo"/docs/images/*.png "$folder/docs/images/"

(cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
say "portable folder and zip made ($(elapsed))"

# The MSI: one component per file of the folder (scripts/windows/msi-files.py), built by wixl,
# which takes only paths relative to where it runs.
msi="$out/realdataquiz-$version-x64.msi"
cp "$repo/packaging/icons/realdataquiz.ico" "$out/"
python3 "$repo/scripts/windows/msi-files.py" "$folder" >"$out/files.wxs"
(cd "$out" && wixl --arch x64 -D Version="$version" -D Icon=realdataquiz.ico -o "$msi" \
    "$repo/packaging/windows/realdataquiz.wxs" files.wxs)
say "MSI made ($(elapsed))"

# The per-user setup.
setup="$out/realdataquiz-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSOURCE_DIR="$folder" -DOUTPUT="$setup" \
    "$repo/packaging/windows/realdataquiz.nsi"
say "per-user setup made ($(elapsed))"

for file in "$out/$name.zip" "$msi" "$setup"; do
    printf '  %s  %s\n' "$(du -h "$file" | cut -f1)" "${file#"$repo"/}"
done
say "done in $(elapsed)"
