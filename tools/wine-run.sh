#!/usr/bin/env bash
# Runs a Windows program under Wine in a throw-away prefix of the build tree.
#   wine-run.sh --root DIR [--stop] PROGRAM [ARGS...]
# DIR holds the prefix, a private HOME and the template prefix; they are made
# on first use (under a lock, since ctest runs tests in parallel). Every
# program gets the display of one private Xvfb per DIR, started on first use
# and stopped by its PID with the prefix: Wine's desktop process lives on the
# display of the prefix's first window, so all windows of the prefix must
# share that display.
# --stop ends the wineserver and the Xvfb (used as ctest's clean-up).
set -euo pipefail

root="" stop=0
while [ $# -gt 0 ]; do
  case "$1" in
    --root) root="$2"; shift 2 ;;
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
  if [ -f "$root/xvfb.pid" ]; then
    kill "$(cat "$root/xvfb.pid")" 2>/dev/null || true
    rm -f "$root/xvfb.pid" "$root/xvfb.display"
  fi
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
  # Xvfb picks a free display itself and writes its number to fd 3.
  if ! { [ -f "$root/xvfb.pid" ] && kill -0 "$(cat "$root/xvfb.pid")" 2>/dev/null; }; then
    number_file="$root/xvfb.display.new"
    rm -f "$number_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null \
      >/dev/null 2>&1 9>&- &
    echo $! >"$root/xvfb.pid"
    for _ in $(seq 100); do [ -s "$number_file" ] && break; sleep 0.05; done
    tr -dc 0-9 <"$number_file" >"$root/xvfb.display"
    rm -f "$number_file"
    [ -s "$root/xvfb.display" ] || { echo "wine-run.sh: no Xvfb display could be started" >&2; exit 2; }
  fi
  export DISPLAY=":$(cat "$root/xvfb.display")"
  # Keep the server alive between the many short test processes. The first
  # process of a new server also starts Wine's background services, which
  # live as long as the server: start them here, detached from our output,
  # or ctest would wait for them to exit (about 11 s per test).
  if "$wineserver" -p10 </dev/null >/dev/null 2>&1 9>&-; then
    "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$root/.lock"

export DISPLAY=":$(cat "$root/xvfb.display")"

set +e
"$wine" "$@"
rc=$?
exit $rc
