#!/usr/bin/env bash
# Runs a Windows program under Wine in a throw-away prefix of the build tree.
#   wine-run.sh --root DIR [--display] [--stop] PROGRAM [ARGS...]
# DIR holds the prefix, a private HOME and the template prefix; they are made
# on first use (under a lock, since ctest runs tests in parallel). --display
# gives the program a private Xvfb that is stopped by its PID afterwards.
# --stop ends the wineserver of the prefix (used as ctest's clean-up).
set -euo pipefail

root="" display=0 stop=0
while [ $# -gt 0 ]; do
  case "$1" in
    --root) root="$2"; shift 2 ;;
    --display) display=1; shift ;;
    --stop) stop=1; shift ;;
    *) break ;;
  esac
done
[ -n "$root" ] || { echo "wine-run.sh: --root is required" >&2; exit 2; }
mkdir -p "$root"
root=$(cd "$root" && pwd)

export WINEPREFIX="$root/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export HOME="$root/home"
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

if [ $stop -eq 1 ]; then
  [ -d "$WINEPREFIX" ] && "$wineserver" -k 2>/dev/null || true
  exit 0
fi

mkdir -p "$root" "$HOME"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.qv-ready" ]; then
    rm -rf "$WINEPREFIX"
    # The server must not inherit the lock or the caller's output pipes.
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    "$wineserver" -w 9>&-
    touch "$WINEPREFIX/.qv-ready"
  fi
  # Keep the server alive between the many short test processes. The first
  # process of a new server also starts Wine's background services, which
  # live as long as the server: start them here, detached from our output,
  # or ctest would wait for them to exit (about 11 s per test).
  if "$wineserver" -p10 </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$root/.lock"

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null; return 0; }
trap cleanup EXIT
if [ $display -eq 1 ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "${DISPLAY:-}" ] || { echo "wine-run.sh: no Xvfb display could be started" >&2; exit 2; }
fi

set +e
"$wine" "$@"
rc=$?
exit $rc
