#!/bin/bash
# Runs one Windows test program under Wine in a private copy of the template prefix
# and inside a new network namespace that has only loopback: whatever the program
# sends (the installer broadcasts at start-up) stays on this machine. Wine creates
# sockets in the wineserver, so the wineserver is started inside the namespace too.
set -u
: "${QV_WINE_TEMPLATE:?QV_WINE_TEMPLATE must name the template prefix (build.sh test sets it)}"
pfx=$(mktemp -d "${TMPDIR:-/tmp}/qvpfx.XXXXXX")
cp -a "$QV_WINE_TEMPLATE/." "$pfx/"
mkdir -p "${QV_SHOT_DIR:-/tmp}"
if [ "${QV_ARCH:-x64}" = x86 ]; then loader=/usr/lib/wine/wine; else loader=/usr/lib/wine/wine64; fi
err=$(mktemp "${TMPDIR:-/tmp}/qvwine-err.XXXXXX")
unshare -n bash -c '
  ip link set lo up
  export WINEPREFIX="$1" WINELOADER="$2" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  loader=$2; shift 2
  wineserver -p 2>/dev/null
  "$loader" "$@"
  rc=$?
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  exit $rc' isolated "$pfx" "$loader" "$@" 2>"$err"
rc=$?
rm -rf "$pfx"
cat "$err" >&2
rm -f "$err"
exit $rc
