#!/usr/bin/env bash
# Cross-builds Qt 6.4.2's qtbase and qtwebsockets for 64-bit Windows (MinGW-w64, posix threads,
# shared DLLs) from Debian 12's own source packages, and caches the result outside the checkout:
#   ~/.cache/realdataquiz/qt-6.4.2-mingw-<key>
# where <key> hashes the options below, so a second run with the same options reuses it.
# Run as root or with sudo on Debian 12: it adds a deb-src entry mirroring the Debian entry when
# none exists, and installs the Debian packages it needs. Prints the prefix as its last line.
#   QUIZ_CACHE_DIR  the cache folder (default ${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz)
#   QUIZ_QT_JOBS    parallel compile jobs (default: the number of cores)
set -euo pipefail

started=$SECONDS
qt_version=6.4.2
cache_dir="${QUIZ_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz}"
mingw_triple=x86_64-w64-mingw32

say() { echo "build-qt-windows: $*" >&2; }
elapsed() { local s=$((SECONDS - started)); printf '%d min %02d s' $((s / 60)) $((s % 60)); }

# Qt's own toolchain settings: unlike cmake/mingw-w64.cmake (static, for the core's tests) Qt is
# linked as shared DLLs against the shared MinGW runtime, which LGPL asks for.
toolchain_text="set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
"

# Only what the program uses: Core, Gui, Widgets, Network, Concurrent, the Windows platform
# plugin and the Windows style. The third-party libraries are Qt's bundled copies (the MinGW
# sysroot has none of them).
qt_options=(
    -G Ninja
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    # Debian's host tools (moc, rcc, uic) of the same version stand in for Windows ones.
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_MANUAL_TESTS=OFF
    # Debian's repack drops the Wacom tablet header the tablet events need.
    -DFEATURE_tabletevent=OFF
    # OpenGL stays on (loaded at run time): without it the Windows platform plugin of 6.4.2
    # does not compile (QOpenGLStaticContext undeclared in qwindowswindow.cpp).
    -DFEATURE_opengl=ON
    -DFEATURE_opengl_dynamic=ON
    -DFEATURE_vulkan=OFF
    -DFEATURE_network=ON
    -DFEATURE_openssl=OFF # pupils join over plain HTTP on the school network
    -DFEATURE_sql=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=ON # Qt HttpServer's responses from other threads
    -DFEATURE_xml=OFF
    -DFEATURE_testlib=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF
)

# as_root, has_deb_src, add_deb_src
source "$(dirname "$0")/windows/debian-source.sh"

packages=(
    g++-mingw-w64-x86-64-posix   # the cross compiler with std::thread
    dpkg-dev                     # dpkg-source, which apt-get source runs to unpack
    cmake ninja-build
    qt6-base-dev qt6-base-dev-tools  # the host's moc, rcc, uic and their CMake files
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

added_src=0
if ! has_deb_src; then
    add_deb_src
    added_src=1
fi
# Without a fresh list apt-get source knows no source packages of a new entry.
if [ "$added_src" -eq 1 ] || [ ${#missing[@]} -gt 0 ] ||
    ! apt-cache showsrc qt6-base 2>/dev/null | grep -q "^Version: ${qt_version}"; then
    "${as_root[@]}" apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

host_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_qt" in
    "$qt_version"*) ;;
    *) say "the host's Qt is $host_qt, not $qt_version: its tools must be the same version"; exit 1 ;;
esac

# The key: the Qt-relevant settings of this script and the compiler, not the install path.
gcc_version=$(${mingw_triple}-g++-posix -dumpfullversion)
key=$(printf '%s\n' "qt6-base $host_qt" "mingw g++ $gcc_version" "$toolchain_text" "${qt_options[@]}" |
    sha256sum | cut -c1-12)
prefix="$cache_dir/qt-${qt_version}-mingw-$key"
stamp="$prefix/.built-by-build-qt-windows"

websockets_stamp="$prefix/.websockets-built-by-build-qt-windows"
if [ -f "$stamp" ] && [ -f "$websockets_stamp" ]; then
    say "reusing the cached Qt in $prefix ($(elapsed))"
    echo "$prefix"
    exit 0
fi

# Debian's source package of the host's Qt version, with Debian's patches applied; prints the
# unpacked folder. qtbase is taken at exactly the host's package version (its tools build the
# rest), a module at its own package version of the same Qt.
unpack_qt_source() {
    local package=$1 version src_dir folder
    if [ "$package" = qt6-base ]; then
        version=$host_qt
    else
        version=$(apt-cache showsrc "$package" | sed -n 's/^Version: //p' | sort -V | tail -n 1)
        case "$version" in
            "$qt_version"*) ;;
            *) say "Debian's $package is ${version:-missing}, not Qt $qt_version"; exit 1 ;;
        esac
    fi
    src_dir="$cache_dir/src/$package-$version"
    if [ ! -f "$src_dir/.unpacked" ]; then
        rm -rf "$src_dir"
        mkdir -p "$src_dir"
        say "fetching Debian's source package $package $version"
        if ! (cd "$src_dir" && apt-get source -qq "$package=$version" >/dev/null); then
            say "apt-get source $package=$version failed"
            exit 1
        fi
        touch "$src_dir/.unpacked"
    fi
    folder=$(find "$src_dir" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -n 1)
    if [ -z "$folder" ] || [ ! -f "$folder/CMakeLists.txt" ]; then
        say "apt-get source left no $package sources in $src_dir"
        exit 1
    fi
    echo "$folder"
}

# The WebSockets module over the cross-built qtbase, through Qt's own toolchain file; the
# pupils' page talks to the teacher's program through it.
build_websockets() {
    local sources build_dir="$cache_dir/build-qtwebsockets-mingw-$key"
    # A mirror without these sources still gives a Qt for the program, built then without the
    # lesson on the network (scripts/build-windows.sh looks for the module).
    if ! sources=$(unpack_qt_source qt6-websockets); then
        say "Qt WebSockets left out: the program is built without the lesson on the network"
        return 0
    fi
    rm -rf "$build_dir"
    say "configuring $sources in $build_dir"
    cmake -S "$sources" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        --toolchain "$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DCMAKE_INSTALL_PREFIX="$prefix" >"$build_dir.configure.log" 2>&1 || {
        tail -n 40 "$build_dir.configure.log" >&2
        say "qtwebsockets configure failed: $build_dir.configure.log"
        exit 1
    }
    nice -n 10 cmake --build "$build_dir" --parallel "${QUIZ_QT_JOBS:-$(nproc)}" \
        >"$build_dir.build.log" 2>&1 || {
        tail -n 40 "$build_dir.build.log" >&2
        say "qtwebsockets build failed: $build_dir.build.log"
        exit 1
    }
    cmake --install "$build_dir" >/dev/null
    cp "$sources"/LICENSES/*.txt "$prefix/licenses/" 2>/dev/null || true
    cp "$sources/debian/copyright" "$prefix/licenses/debian-copyright-websockets" 2>/dev/null || true
    rm -rf "$build_dir" "$build_dir".*.log
    touch "$websockets_stamp"
    say "built and installed qtwebsockets ($(elapsed))"
}

if [ -f "$stamp" ]; then
    build_websockets
    echo "$prefix"
    exit 0
fi
rm -rf "$prefix"
qtbase=$(unpack_qt_source qt6-base) || exit 1

build_dir="$cache_dir/build-qt-${qt_version}-mingw-$key"
mkdir -p "$build_dir" "$prefix"
# Inside the prefix: Qt's installed qt.toolchain.cmake chain-loads it for the programs built later.
toolchain="$prefix/mingw-w64-qt.cmake"
printf '%s' "$toolchain_text" >"$toolchain"

say "configuring $qtbase in $build_dir"
cmake -S "$qtbase" -B "$build_dir" "${qt_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" >"$build_dir/configure.log" 2>&1 || {
    tail -n 40 "$build_dir/configure.log" >&2
    say "configure failed: $build_dir/configure.log"
    exit 1
}
say "configured ($(elapsed)); building, niced, as the machine may be shared"
nice -n 10 cmake --build "$build_dir" --parallel "${QUIZ_QT_JOBS:-$(nproc)}" >"$build_dir/build.log" 2>&1 || {
    tail -n 40 "$build_dir/build.log" >&2
    say "build failed: $build_dir/build.log"
    exit 1
}
cmake --install "$build_dir" >"$build_dir/install.log" 2>&1
cp "$build_dir/configure.log" "$prefix/configure.log"
# Qt's licences go with its DLLs.
mkdir -p "$prefix/licenses"
cp "$qtbase/LICENSES/"* "$prefix/licenses/" 2>/dev/null || true
cp "$qtbase/debian/copyright" "$prefix/licenses/debian-copyright" 2>/dev/null || true
printf 'qt6-base %s\nmingw g++ %s\n' "$host_qt" "$gcc_version" >"$stamp"
# The build folder is large and no longer needed: the stamp marks the prefix complete.
rm -rf "$build_dir"
say "built and installed qtbase in $prefix ($(elapsed))"
build_websockets
echo "$prefix"
