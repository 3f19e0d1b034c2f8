#!/usr/bin/env bash
# Starts Wisplet under Wine. With DISPLAY set it runs build/bin/Wisplet.exe
# there, with your own settings file, until you choose "Exit". Without a
# display it runs a copy in build/run/app, whose settings file starts with the
# sample notes (only when it has none yet), on a virtual desktop on Xvfb: it
# waits until the program is up, saves build/screenshot.png, exits the program
# through its own exit sequence and stops everything it started.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/run"
exe="$root/build/bin/Wisplet.exe"

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$state"
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD /d 1 /f \
    >/dev/null 2>&1
  exec wine "$exe"
fi

app="$state/app"
mkdir -p "$app"
cp "$exe" "$root/build/bin/Wisplet.chm" "$app/"
if [ ! -e "$app/Wisplet.ini" ]; then
  cp "$root/docs/sample/Wisplet.ini" "$app/Wisplet.ini"
  echo "Settings file $app/Wisplet.ini starts with the sample notes."
fi
trap '"$env" stop "$state" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state"
"$env" exec "$state" wine "$app/Wisplet.exe" &
"$env" exec "$state" wine "$root/build/bin/WispletDriver.exe" wait-up 30
sleep 2  # let the notes paint
# shellcheck disable=SC1091
. "$state/env"
import -display "$DISPLAY" -window root "$root/build/screenshot.png"
echo "Screenshot: build/screenshot.png"
"$env" exec "$state" wine "$root/build/bin/WispletDriver.exe" close 30
wait
echo "Wisplet exited through its exit sequence."
