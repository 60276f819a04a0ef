#!/usr/bin/env bash
# The real program hosting a lesson on every address, and a peer from outside the local network
# in a network namespace of the test's own, behind a veth pair with TEST-NET-3 addresses
# (203.0.113.0/24, public to the host): its page and its join get nothing but a closed
# connection and leave nothing in the class folder, while a pupil on loopback plays; a lesson
# served with --any-network takes it as a pupil.
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
host_pids=()
cleanup() {
    for pid in "${host_pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
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

# Serves the class folder $1 on every address, with the options after it; sets port and code.
serve() {
    local folder=$1 out=$base/host.out
    shift
    mkdir "$folder"
    : >"$out"
    QT_QPA_PLATFORM=offscreen "$program" --teacher "$folder" --serve 0 "$@" \
        >"$out" 2>"$base/host.err" &
    host_pids+=("$!")
    for _ in $(seq 200); do
        [ -s "$out" ] && break
        kill -0 "$!" 2>/dev/null || break
        sleep 0.1
    done
    read -r url code <"$out" || fail "the host printed no address"
    port=${url##*:}
    port=${port%%/*}
    [ -n "$port" ] && [ -n "$code" ] || fail "the host printed \"$url $code\""
}

folder=$base/class
serve "$folder"
rows() { cat "${1:-$folder}"/*.csv 2>/dev/null | grep -vc '^time,'; }

said=$(ip netns exec "$namespace" "$python" "$peer" outside 203.0.113.1 "$port" "$code") ||
    fail "the outside peer was answered or could not connect: $said"
echo "outside peer: $said"
kill -0 "${host_pids[0]}" 2>/dev/null || fail "the host ended"
[ "$(rows)" -eq 0 ] || fail "the outside peer's attempt left rows in the class folder"

verdict=$("$python" "$peer" play 127.0.0.1 "$port" "$code") ||
    fail "the loopback pupil did not play: $verdict"
echo "loopback pupil: $verdict"
[ "$(rows)" -eq 1 ] || fail "expected the loopback pupil's one row, found $(rows)"

# Widened by its teacher, a lesson takes the same peer as a pupil.
wide=$base/wide
serve "$wide" --any-network
verdict=$(ip netns exec "$namespace" "$python" "$peer" play 203.0.113.1 "$port" "$code") ||
    fail "the outside peer could not play a lesson open to any network: $verdict"
echo "outside peer, any network: $verdict"
[ "$(rows "$wide")" -eq 1 ] || fail "expected the outside pupil's one row, found $(rows "$wide")"
echo "passed"
