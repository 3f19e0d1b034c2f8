#!/usr/bin/env bash
# The test desktop: Xvfb and a Wine virtual desktop of 1024x768 with a taskbar,
# in a Wine prefix of its own under the given state folder.
#   wine-env.sh start STATE [DPI]  start Xvfb, Wine and the desktop (at DPI dots
#                                  per inch when given: the prefix's LogPixels)
#   wine-env.sh exec STATE CMD...  run CMD with DISPLAY and WINEPREFIX of STATE
#   wine-env.sh stop STATE         end everything that start began
set -euo pipefail

command=${1:?usage: wine-env.sh start|exec|stop STATE [CMD...]}
state=$(realpath -m "${2:?state folder missing}")
shift 2
dpi=""
if [ "$command" = start ] && [ $# -gt 0 ]; then dpi=$1; fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${WISPLET_BIN:-$(cd "$here/../.." && pwd)/build/bin}

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko install prompts
export WINEPREFIX="$state/prefix"

load_env() {
  [ -f "$state/env" ] || { echo "wine-env: not started ($state/env missing)" >&2; exit 1; }
  # shellcheck disable=SC1091
  . "$state/env"
  export DISPLAY
}

# Long-lived processes (Xvfb, wineserver, the desktop) must not hold the caller's
# output open, or a test runner waiting for the end of that output would hang;
# so every command runs with its output in a log file, shown afterwards.
run_logged() {
  local log="$1" rc=0
  shift
  "$@" >"$log" 2>&1 </dev/null || rc=$?
  cat "$log"
  return $rc
}

start() {
  mkdir -p "$state"
  run_logged "$state/start.log" start_desktop
}

start_desktop() {
  [ -f "$state/env" ] && stop_all quiet
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$state/xvfb.log" 2>&1 &
  echo "DISPLAY=:$n" >"$state/env"
  echo "XVFB_PID=$!" >>"$state/env"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  export DISPLAY=":$n"

  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$state/wineboot.log" 2>&1
  fi
  # One virtual desktop with a taskbar and notification area for every program.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1
  # The desktop's DPI takes effect when the wineserver starts again, below.
  if [ -n "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  wineserver -w
  # A hidden window keeps the desktop (and its taskbar) alive between programs.
  wine "$bin/WispletDriver.exe" keep >/dev/null 2>&1 &
  wine "$bin/WispletDriver.exe" wait-desktop 30
}

stop_all() {
  [ -f "$state/env" ] || return 0
  # shellcheck disable=SC1091
  . "$state/env"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" >/dev/null 2>&1 || true; fi
  rm -f "$state/env"
  [ "${1:-}" = quiet ] || echo "wine-env: stopped"
}

case "$command" in
  start) start ;;
  exec)
    load_env
    log=$(mktemp "$state/exec.XXXXXX")
    rc=0
    run_logged "$log" "$@" || rc=$?
    rm -f "$log"
    exit $rc
    ;;
  stop) stop_all ;;
  *) echo "unknown command $command" >&2; exit 2 ;;
esac
