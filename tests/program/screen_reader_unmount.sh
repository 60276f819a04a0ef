#!/usr/bin/env bash
# The quiz under a screen reader's accessibility bridge, its class folder on a small tmpfs that
# is unmounted (umount -l) after two turns, three turns more: RUNS times over, the quiz must
# live through every one, with the waiting answers kept on this computer too.
#   screen_reader_unmount.sh <quiz program> <driver.py> [RUNS]
# (-noreset: a server that resets once the last client leaves refuses the next run meanwhile.)
# Exits 77 ("skipped") only where the X server, D-Bus or the AT-SPI packages are not installed,
# or where mounting is not allowed.
set -uo pipefail

program=$1
driver=$2
runs=${3:-20}
skip() { echo "skipped: $*"; exit 77; }

command -v Xvfb >/dev/null || skip "no Xvfb (Debian: xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (Debian: dbus-daemon)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate
done
[ -n "$launcher" ] || skip "no at-spi-bus-launcher (Debian: at-spi2-core)"
python=/usr/bin/python3
"$python" -c "import gi; gi.require_version('Atspi', '2.0'); from gi.repository import Atspi" \
    2>/dev/null || skip "no AT-SPI for Python (Debian: python3-gi gir1.2-atspi-2.0)"

# Mounts of the test's own, in a namespace nothing else sees.
if [ -z "${SCREEN_READER_UNMOUNT_INSIDE:-}" ]; then
    flags=(-m)
    [ "$(id -u)" -eq 0 ] || flags=(-r -m)
    unshare "${flags[@]}" true 2>/dev/null || skip "no mount namespace here"
    SCREEN_READER_UNMOUNT_INSIDE=1 exec unshare "${flags[@]}" --propagation private \
        bash "$0" "$@"
fi

base=$(mktemp -d)
trap 'umount -l "$base/share" 2>/dev/null; kill "$xvfb" 2>/dev/null; rm -rf "$base"' EXIT
mkdir -p "$base/share" "$base/data"
mount -t tmpfs -o size=1m tmpfs "$base/share" 2>/dev/null || skip "cannot mount a tmpfs here"
umount "$base/share"

Xvfb -displayfd 1 -screen 0 1366x768x24 -nolisten tcp -noreset >"$base/display" 2>"$base/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$base/display" ] && break; sleep 0.1; done
[ -s "$base/display" ] || { echo "FAILED: Xvfb did not start"; cat "$base/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$base/display")"
export XDG_DATA_HOME="$base/data" QT_QPA_PLATFORM=xcb
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QUIZ_PROGRAM=$program QUIZ_DRIVER=$driver QUIZ_LAUNCHER=$launcher QUIZ_PYTHON=$python

failed=0
for run in $(seq "$runs"); do
    share="$base/share"
    mount -t tmpfs -o size=1m tmpfs "$share"
    # One session bus and one accessibility bus per run, as a login has.
    dbus-run-session -- bash -c '
        "$QUIZ_LAUNCHER" --launch-immediately & launcher=$!
        "$QUIZ_PROGRAM" --class-dir "$0" --pupil maria 2>"$0.log" & quiz=$!
        timeout 120 "$QUIZ_PYTHON" "$QUIZ_DRIVER" --pid "$quiz" --between "umount -l $0"
        driven=$?
        alive=0; kill -0 "$quiz" 2>/dev/null && alive=1
        kill "$quiz" 2>/dev/null; wait "$quiz"; status=$?
        kill "$launcher" 2>/dev/null
        if [ "$alive" -ne 1 ]; then echo "the quiz died: exit status $status"; exit 1; fi
        exit "$driven"' "$share" 2>"$base/session.log"
    result=$?
    umount -l "$share" 2>/dev/null
    spooled=$(cat "$base"/data/realdataquiz/spool/*.spool 2>/dev/null | grep -c $'\r$')
    rm -f "$base"/data/realdataquiz/spool/*.spool
    if [ "$result" -ne 0 ]; then
        echo "FAILED: run $run"; cat "$base/share.log" 2>/dev/null; failed=1
    elif [ "$spooled" -ne 4 ]; then
        echo "FAILED: run $run kept $spooled lines on this computer, not the file's and 3 rows"
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "the quiz lived through $runs runs"
exit "$failed"
