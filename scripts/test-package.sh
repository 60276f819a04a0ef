#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it, tries the installed program,
# then purges it and checks that none of its files is left. Changes the machine: run it by hand
# or on a throw-away one. Arguments go to scripts/package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "test-package: needs root or sudo to install the package" >&2
    exit 1
fi
fail() {
    echo "test-package: $*" >&2
    exit 1
}
apt_get() {
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}

scripts/package.sh "$@"
packages=(build-deb/realdataquiz_*.deb)
[ ${#packages[@]} -eq 1 ] || fail "expected one package in build-deb, found ${packages[*]}"
deb=${packages[0]}
version=$(dpkg-deb -f "$deb" Version)

if ! command -v lintian >/dev/null 2>&1; then
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends lintian
fi
# Warnings fail too: one that is accepted belongs in an override, with its reason.
lintian --fail-on error,warning --display-info --pedantic "$deb"

if dpkg-query -W -f='${Status}' realdataquiz 2>/dev/null | grep -q 'install ok installed'; then
    echo "test-package: purging the realdataquiz installed before"
    apt_get remove -y -qq --purge realdataquiz
fi
apt_get install -y -qq "./$deb"

[ "$(realdataquiz --version)" = "realdataquiz $version" ] ||
    fail "realdataquiz --version does not say $version"
for file in /usr/share/applications/org.example.realdataquiz.desktop \
    /usr/share/icons/hicolor/scalable/apps/org.example.realdataquiz.svg \
    /usr/share/icons/hicolor/48x48/apps/org.example.realdataquiz.png; do
    [ -f "$file" ] || fail "not installed: $file"
done
man -w realdataquiz >/dev/null || fail "no English manual page"
[ "$(man -L bg -w realdataquiz)" = /usr/share/man/bg/man1/realdataquiz.1.gz ] ||
    fail "no Bulgarian manual page"

# What the package put on the machine; directories shared with other packages stay.
mapfile -t owned < <(dpkg -L realdataquiz)
apt_get remove -y -qq --purge realdataquiz
left=()
for path in "${owned[@]}"; do
    if [ -e "$path" ] && { [ ! -d "$path" ] || ! dpkg -S "$path" >/dev/null 2>&1; }; then
        left+=("$path")
    fi
done
[ ${#left[@]} -eq 0 ] || fail "left after purging: ${left[*]}"

echo "test-package: $deb passed in ${SECONDS} s"
