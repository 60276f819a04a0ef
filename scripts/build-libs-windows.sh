#!/usr/bin/env bash
# Cross-builds the C libraries the quiz links besides Qt (libsodium, libxlsxwriter, libqrencode)
# for 64-bit Windows from Debian 12's own source packages, as static libraries with pkg-config
# files, and caches them outside the checkout:
#   ~/.cache/realdataquiz/libs-mingw-<key>
# where <key> hashes the sources' versions and the compiler, so a second run reuses it.
# zlib, which libxlsxwriter needs, is Debian's own MinGW build (libz-mingw-w64-dev).
# Run as root or with sudo on Debian 12. Prints the prefix as its last line; point
# PKG_CONFIG_LIBDIR at its lib/pkgconfig to build against it.
#   QUIZ_CACHE_DIR  the cache folder (default ${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz)
set -euo pipefail

started=$SECONDS
cache_dir="${QUIZ_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/realdataquiz}"
mingw_triple=x86_64-w64-mingw32
libraries=(libsodium libxlsxwriter qrencode) # Debian's source package names

say() { echo "build-libs-windows: $*" >&2; }
elapsed() { local s=$((SECONDS - started)); printf '%d min %02d s' $((s / 60)) $((s % 60)); }

# as_root, has_deb_src, add_deb_src, ensure_source_of
source "$(dirname "$0")/windows/debian-source.sh"

packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev cmake ninja-build make pkgconf
    autoconf automake libtool # Debian's libsodium source has no configure: autoreconf makes it
    bzip2) # qrencode's source comes as .tar.bz2
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
for library in "${libraries[@]}"; do
    ensure_source_of "$library"
done

source_version() {
    apt-cache showsrc "$1" | sed -n 's/^Version: //p' | sort -V | tail -n 1
}
versions=()
for library in "${libraries[@]}"; do
    versions+=("$library $(source_version "$library")")
done
gcc_version=$(${mingw_triple}-gcc-posix -dumpfullversion)
key=$(printf '%s\n' "${versions[@]}" "mingw gcc $gcc_version" "$(sed -n '/^cmake_cross=/,$p' "$0")" |
    sha256sum | cut -c1-12)
prefix="$cache_dir/libs-mingw-$key"
stamp="$prefix/.built-by-build-libs-windows"
if [ -f "$stamp" ]; then
    say "reusing the cached libraries in $prefix ($(elapsed))"
    echo "$prefix"
    exit 0
fi
mkdir -p "$prefix/lib/pkgconfig" "$prefix/include" "$prefix/licenses"

# Debian's source package, with Debian's patches applied; prints the unpacked folder.
unpack() {
    local library=$1 work="$cache_dir/src/$1"
    rm -rf "$work"
    mkdir -p "$work"
    (cd "$work" && apt-get source -qq "$library" >/dev/null 2>&1) || true
    # Where the mirror lacks the Debian part, the upstream tarball of the same package serves.
    if [ -z "$(find "$work" -mindepth 1 -maxdepth 1 -type d)" ]; then
        local orig
        orig=$(find "$work" -maxdepth 1 -name '*.orig.tar.*' | head -n 1)
        if [ -z "$orig" ]; then
            say "apt-get source $library brought no sources"
            exit 1
        fi
        say "$library: Debian's patches could not be fetched; building its upstream tarball"
        tar -xf "$orig" -C "$work"
    fi
    find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

cmake_cross=(
    -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SYSTEM_NAME=Windows
    -DCMAKE_C_COMPILER=${mingw_triple}-gcc-posix -DCMAKE_CXX_COMPILER=${mingw_triple}-g++-posix
    -DCMAKE_RC_COMPILER=${mingw_triple}-windres
    -DCMAKE_FIND_ROOT_PATH="/usr/${mingw_triple};$prefix"
    -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY
    -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY -DCMAKE_INSTALL_PREFIX="$prefix"
    -DBUILD_SHARED_LIBS=OFF
)

build_libsodium() {
    local src
    src=$(unpack libsodium)
    (cd "$src" && autoreconf -fi >/dev/null 2>&1 && ./configure -q --host=$mingw_triple CC=${mingw_triple}-gcc-posix \
        --prefix="$prefix" --disable-shared --enable-static --disable-dependency-tracking &&
        nice make -s -j"$(nproc)" && make -s install) >"$cache_dir/libsodium.log" 2>&1 || {
        tail -n 30 "$cache_dir/libsodium.log" >&2
        exit 1
    }
    # A static libsodium must not be declared dllimport, and takes its randomness from advapi32.
    sed -i -e 's/^Cflags: \(.*\)$/Cflags: \1 -DSODIUM_STATIC/' \
        -e 's/^Libs: \(.*\)$/Libs: \1 -ladvapi32/' "$prefix/lib/pkgconfig/libsodium.pc"
    cp "$src/LICENSE" "$prefix/licenses/libsodium.txt"
}

build_libxlsxwriter() {
    local src
    src=$(unpack libxlsxwriter)
    cmake -S "$src" -B "$cache_dir/build-xlsxwriter" "${cmake_cross[@]}" \
        -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
        >"$cache_dir/libxlsxwriter.log" 2>&1 &&
        nice cmake --build "$cache_dir/build-xlsxwriter" >>"$cache_dir/libxlsxwriter.log" 2>&1 &&
        cmake --install "$cache_dir/build-xlsxwriter" >>"$cache_dir/libxlsxwriter.log" 2>&1 || {
        tail -n 30 "$cache_dir/libxlsxwriter.log" >&2
        exit 1
    }
    # Its pkg-config file, with the static zlib it needs (Debian's MinGW zlib is in the sysroot).
    cat >"$prefix/lib/pkgconfig/xlsxwriter.pc" <<EOF
prefix=$prefix
Name: libxlsxwriter
Description: A C library for creating Excel XLSX files
Version: $(source_version libxlsxwriter | sed 's/-.*//')
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lxlsxwriter -lz
EOF
    cp "$src/License.txt" "$prefix/licenses/libxlsxwriter.txt"
    rm -rf "$cache_dir/build-xlsxwriter"
}

build_qrencode() {
    local src
    src=$(unpack qrencode)
    cmake -S "$src" -B "$cache_dir/build-qrencode" "${cmake_cross[@]}" \
        -DWITH_TOOLS=OFF -DWITH_TESTS=OFF >"$cache_dir/qrencode.log" 2>&1 &&
        nice cmake --build "$cache_dir/build-qrencode" >>"$cache_dir/qrencode.log" 2>&1 &&
        cmake --install "$cache_dir/build-qrencode" >>"$cache_dir/qrencode.log" 2>&1 || {
        tail -n 30 "$cache_dir/qrencode.log" >&2
        exit 1
    }
    if [ ! -f "$prefix/lib/pkgconfig/libqrencode.pc" ]; then
        cat >"$prefix/lib/pkgconfig/libqrencode.pc" <<EOF
prefix=$prefix
Name: libqrencode
Description: A QR Code encoding library
Version: $(source_version qrencode | sed 's/-.*//')
Cflags: -I\${prefix}/include
Libs: -L\${prefix}/lib -lqrencode
EOF
    fi
    cp "$src/COPYING" "$prefix/licenses/libqrencode.txt"
    rm -rf "$cache_dir/build-qrencode"
}

# A run that failed keeps the libraries it finished.
for library in "${libraries[@]}"; do
    if [ ! -f "$prefix/.built-$library" ]; then
        say "building $library ($(elapsed))"
        "build_${library}"
        touch "$prefix/.built-$library"
    fi
done
printf '%s\n' "${versions[@]}" "mingw gcc $gcc_version" >"$stamp"
say "built ${libraries[*]} in $prefix ($(elapsed))"
echo "$prefix"
