#!/usr/bin/env bash
# Takes the documentation's screenshots again: the real Wisplet.exe with the
# sample notes (docs/sample/Wisplet.ini) on the 1024x768 test desktop, driven
# by WispletShots.exe; and the note editor and the options window on a desktop
# at 144 DPI, as the end-to-end suite Dpi takes them. Writes
# docs/help/images/*.png and docs/screenshot.png; rebuild afterwards (make) to
# put them into Wisplet.chm.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/shots"
state144="$root/build/shots-144"
out="$root/build/test-output"
trap '"$env" stop "$state" >/dev/null 2>&1 || true; "$env" stop "$state144" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state" >/dev/null
rm -f "$out"/shot-*.bmp
sample="Z:$root/docs/sample/Wisplet.ini"
"$env" exec "$state" wine "$root/build/bin/WispletShots.exe" "${sample//\//\\}"
for name in notes rolled note-menu tray-menu editor options-schemes options-system; do
  convert "$out/shot-$name.bmp" -strip "$root/docs/help/images/$name.png"
done
# The desktop without its taskbar, where Wine shows a blank button for every note.
convert "$out/shot-desktop.bmp" -crop 1024x748+0+0 +repage -strip "$root/docs/screenshot.png"
rm -f "$out"/shot-*.bmp
"$env" stop "$state" >/dev/null

"$env" start "$state144" 144 >/dev/null
rm -f "$out"/*-144dpi.bmp
"$env" exec "$state144" wine "$root/build/bin/WispletE2E.exe" --gtest_filter='Dpi.*' >/dev/null
for name in editor options; do
  convert "$out/$name-144dpi.bmp" -strip "$root/docs/help/images/$name-144dpi.png"
done
rm -f "$out"/*-144dpi.bmp
echo "Screenshots written to docs/help/images and docs/screenshot.png"
