#!/usr/bin/env bash
# The real program hosting a lesson on every address, and a peer from outside the local network
# in a network namespace of the test's own, behind a veth pair with TEST-NET-3 addresses
# (203.0.113.0/24, public to the host): its page and its join get nothing but a closed
# connection and leave nothing in the class folder, while a pupil on loopback plays.
#   outside_peer.sh <quiz program> <lesson_peer.py>
# Exits 77 ("skipped") where not root, without iproute2 or Python, or where namespaces cannot
# be made.
set -uo pipefail

program=$1
peer=$2
skip() { echo "skipped: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -s "$base/host.err" ] && cat "$base/host.err"; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "not root: making a network namespace needs root"
command -v ip >/dev/null || skip "no ip (Debian: iproute2)"
python=$(command -v python3) || skip "no python3"

# Named after this shell, so that one a killed run left behind is known and removed.
prefix=qz-outside-
namespace=$prefix$$
for stale in $(ip netns list 2>/dev/null | awk '{print $1}' | grep "^$prefix"); do
    kill -0 "${stale#"$prefix"}" 2>/dev/null || ip netns delete "$stale" 2>/dev/null
done
outer=qzo$$a
inner=qzo$$b
base=$(mktemp -d)
host_pid=""
cleanup() {
    [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null && wait "$host_pid" 2>/dev/null
    ip link delete "$outer" 2>/dev/null
    ip netns delete "$namespace" 2>/dev/null
    rm -rf "$base"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

ip netns add "$namespace" 2>/dev/null || skip "cannot make a network namespace here"
ip link add "$outer" type veth peer name "$inner" || fail "cannot make a veth pair"
ip link set "$inner" netns "$namespace" || fail "cannot move the veth's end"
ip addr add 203.0.113.1/24 dev "$outer" && ip link set "$outer" up || fail "outer end"
ip netns exec "$namespace" ip addr add 203.0.113.2/24 dev "$inner" &&
    ip netns exec "$namespace" ip link set "$inner" up &&
    ip netns exec "$namespace" ip link set lo up || fail "inner end"

folder=$base/class
mkdir "$folder"
QT_QPA_PLATFORM=offscreen "$program" --teacher "$folder" --serve 0 \
    >"$base/host.out" 2>"$base/host.err" &
host_pid=$!
for _ in $(seq 200); do
    [ -s "$base/host.out" ] && break
    kill -0 "$host_pid" 2>/dev/null || break
    sleep 0.1
done
read -r url code <"$base/host.out" || fail "the host printed no address"
port=${url##*:}
port=${port%%/*}
[ -n "$port" ] && [ -n "$code" ] || fail "the host printed \"$url $code\""

rows() { cat "$folder"/*.csv 2>/dev/null | grep -vc '^time,'; }

said=$(ip netns exec "$namespace" "$python" "$peer" outside 203.0.113.1 "$port" "$code") ||
    fail "the outside peer was answered or could not connect: $said"
echo "outside peer: $said"
kill -0 "$host_pid" 2>/dev/null || fail "the host ended"
[ "$(rows)" -eq 0 ] || fail "the outside peer's attempt left rows in the class folder"

verdict=$("$python" "$peer" play 127.0.0.1 "$port" "$code") ||
    fail "the loopback pupil did not play: $verdict"
echo "loopback pupil: $verdict"
[ "$(rows)" -eq 1 ] || fail "expected the loopback pupil's one row, found $(rows)"
echo "passed"
