#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the quiz, only those missing.
#   --fuzz        also clang and its runtime, for the libFuzzer target
#   --office      also LibreOffice Calc without its GUI and unzip, for the test that opens the
#                 class's .xlsx export (about 80 MB to fetch, 270 MB installed)
#   --bench       also Xvfb, for the start-up benchmark on a real X server
#   --deb         also what CPack needs to build the Debian package
#   --windows     also MinGW-w64, GoogleTest's sources and wine, for the core on Windows
#   --windows-package  also what the Windows folder and installers need (scripts/build-windows.sh)
set -euo pipefail

packages=(
    cmake ninja-build g++         # toolchain
    libgtest-dev libgmock-dev     # core tests
    libbenchmark-dev              # bench/, built with the rest, run by hand
    libsodium-dev pkg-config      # seeds sealed for the teacher, found through pkg-config
    locales                       # locale sources, for the test that the parse ignores the locale
    qt6-base-dev qt6-qpa-plugins  # the window: Qt Widgets and Qt Test, display and offscreen
    qt6-wayland                   # the window on a Wayland session
    qt6-tools-dev qt6-l10n-tools  # lrelease, for the program's Bulgarian messages
    qt6-translations-l10n         # Qt's own texts in Bulgarian (menus, dialogs)
    qt6-websockets-dev            # the lesson hosted on the network: the pupils' WebSocket
    libqrencode-dev               # the QR code of the lesson's address in the teacher's view
    chromium                      # the pupils' page driven in a headless browser (node and npm: not apt)
    libxlsxwriter-dev             # the class's export as an .xlsx workbook (optional)
    fonts-liberation              # Liberation Serif, metric twin of Times New Roman
    desktop-file-utils appstream  # validators for the desktop file and the metainfo
    # the quiz under a screen reader's bridge: an X server, a session bus, the AT-SPI bus and
    # its Python bindings to drive it
    xvfb xauth dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
    iproute2 python3              # a peer from outside the local network, in a network namespace
)

for group in "$@"; do
    case "$group" in
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --office) packages+=(libreoffice-calc-nogui unzip) ;;
        --bench) packages+=(xvfb xauth) ;;
        --deb) packages+=(dpkg-dev file) ;; # dpkg-buildflags; dpkg-shlibdeps and file for CPack
        # The MinGW compilers with std::thread, as the toolchain file names them.
        --windows) packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64) ;;
        --windows-package) packages+=(g++-mingw-w64-x86-64-posix groff-base wixl nsis) ;;
        *) echo "install-deps: unknown option $group" >&2; exit 2 ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo to install them" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
