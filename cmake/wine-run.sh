#!/bin/bash
# Runs one Windows program under Wine for CTest.
#
# WINEPREFIX is the run's prefix, made fresh by build.sh from the template. With
# QV_OWN_PREFIX=1 the program gets a fresh copy of the template of its own (for
# tests that print or change the spooler and must not meet another process).
#
# Wine hands its own stderr to the wineserver and services it starts; if that were
# CTest's pipe, CTest would wait for end-of-file long after the program ended. So
# wine writes to a temporary file that is copied to stderr afterwards.
set -u
: "${WINEPREFIX:?WINEPREFIX must name the run prefix (build.sh test sets it)}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
own=""
if [ "${QV_OWN_PREFIX:-0}" = 1 ]; then
  : "${QV_WINE_TEMPLATE:?QV_WINE_TEMPLATE must name the template prefix}"
  own=$(mktemp -d "${TMPDIR:-/tmp}/qvpfx.XXXXXX")
  cp -a "$QV_WINE_TEMPLATE/." "$own/"
  export WINEPREFIX=$own
fi
# Debian's /usr/bin/wine always starts the 32-bit loader; a 64-bit program gets the
# 64-bit loader directly so that it runs where 32-bit programs cannot.
if [ "${QV_ARCH:-x64}" = x86 ]; then
  loader=/usr/lib/wine/wine
else
  loader=/usr/lib/wine/wine64
  export WINELOADER=$loader
fi
err=$(mktemp "${TMPDIR:-/tmp}/qvwine-err.XXXXXX")
"$loader" "$@" 2>"$err"
rc=$?
if [ -n "$own" ]; then
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$own"
fi
cat "$err" >&2
rm -f "$err"
exit $rc
