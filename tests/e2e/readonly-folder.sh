#!/usr/bin/env bash
# Runs an end-to-end suite beside a folder that refuses new files even to
# root, as C:\Program Files does to a standard user: a read-only tmpfs holding
# a copy of Wisplet.exe, and in "kept" another with a settings file beside it.
# The tests find its Windows path in WISPLET_READONLY_FOLDER. Where the machine
# allows no mount, the suite runs without it and its tests say so.
#   readonly-folder.sh STATE CMD...
set -uo pipefail
state=$(realpath -m "${1:?state folder missing}")
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
bin=${WISPLET_BIN:-$(cd "$here/../.." && pwd)/build/bin}
dir="$state/readonly"

mkdir -p "$dir"
mountpoint -q "$dir" && umount -l "$dir"
if mount -t tmpfs -o size=16m none "$dir" 2>/dev/null; then
  trap 'umount "$dir" 2>/dev/null || umount -l "$dir"' EXIT
  mkdir "$dir/kept"
  cp "$bin/Wisplet.exe" "$dir/Wisplet.exe"
  cp "$bin/Wisplet.exe" "$dir/kept/Wisplet.exe"
  printf '[Main]\r\nStickerCount=1\r\n[Sticker0]\r\nTitle=Kept beside\r\nActive=1\r\nTop=120\r\nLeft=400\r\n' \
    >"$dir/kept/Wisplet.ini"
  mount -o remount,ro "$dir"
  WISPLET_READONLY_FOLDER="Z:$(printf '%s' "$dir" | tr / '\\')"
  export WISPLET_READONLY_FOLDER
else
  echo "readonly-folder: no mount allowed here; the suite runs without a read-only folder"
fi
"$here/wine-env.sh" exec "$state" "$@"
