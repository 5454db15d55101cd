#!/bin/bash
# Runs one Windows test program together with the test print server inside a network
# namespace of its own, so that the discovery broadcast to 255.255.255.255 and port 80
# never leave it: lo is up, and a veth pair with both ends inside carries the default
# route. Wine makes its sockets in the wineserver, so the program gets its own copy of
# the template prefix and thereby its own wineserver, started inside the namespace.
# The namespace resolves names from its own hosts file only.
#
# Usage: netns-run.sh EMULATOR PROGRAM [ARGS...]   (needs root, QV_WINE_TEMPLATE)
set -u
here=$(cd "$(dirname "$0")" && pwd)
emulator=$1
shift
: "${QV_WINE_TEMPLATE:?QV_WINE_TEMPLATE must name the template prefix}"

name=qvnet-$$-$RANDOM
work=$(mktemp -d "${TMPDIR:-/tmp}/qvnet.XXXXXX")
server=""
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  if [ -d "$work/pfx" ]; then
    WINEPREFIX=$work/pfx timeout 10 ip netns exec "$name" wineserver -k >/dev/null 2>&1
    WINEPREFIX=$work/pfx timeout 10 ip netns exec "$name" wineserver -w >/dev/null 2>&1
  fi
  ip netns del "$name" 2>/dev/null
  rm -rf "/etc/netns/$name" "$work"
}
trap cleanup EXIT

ip netns add "$name" || exit 1
ip -n "$name" link set lo up &&
  ip -n "$name" link add qv0 type veth peer name qv1 &&
  ip -n "$name" addr add 10.99.0.1/24 dev qv0 &&
  ip -n "$name" link set qv0 up &&
  ip -n "$name" link set qv1 up &&
  ip -n "$name" route add default via 10.99.0.2 dev qv0 || exit 1

# ip netns exec mounts these over /etc for everything started inside. Without them the
# program would resolve through the machine's resolver: no run then.
mkdir -p "/etc/netns/$name" &&
  printf '127.0.0.1 localhost\n127.0.0.2 alpha.test\n127.0.0.3 bravo.test bravo\n' >"/etc/netns/$name/hosts" &&
  printf 'hosts: files\n' >"/etc/netns/$name/nsswitch.conf" &&
  printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"/etc/netns/$name/resolv.conf" ||
  exit 1

mkdir -p "$work/pfx"
cp -a "$QV_WINE_TEMPLATE/." "$work/pfx/" || exit 1

ip netns exec "$name" python3 "$here/printserver.py" --ready-file "$work/ready" --max-seconds 300 &
server=$!
for _ in $(seq 100); do
  [ -f "$work/ready" ] && break
  sleep 0.1
done
[ -f "$work/ready" ] || { echo "netns-run: the test print server did not start" >&2; exit 1; }

# A time limit of its own, below CTest's, so that a program that hangs is ended here
# and the clean-up still runs (CTest's own time-out kills this script outright).
ip netns exec "$name" env WINEPREFIX="$work/pfx" QV_OWN_PREFIX=0 \
  timeout -k 5 "${QV_NETNS_LIMIT_S:-90}" "$emulator" "$@"
