#!/usr/bin/env bash
# Compiles the help file from its sources with chmcmd, checks that it holds
# every page, and puts it where it belongs.
#   build-help.sh SOURCE_FOLDER WORK_FOLDER OUTPUT.chm
set -euo pipefail
src=${1:?usage: build-help.sh SOURCE_FOLDER WORK_FOLDER OUTPUT.chm}
work=${2:?work folder missing}
out=${3:?output file missing}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
rm -rf "$work"
mkdir -p "$work" "$(dirname "$out")"
cp -r "$src"/. "$work"
(cd "$work" && chmcmd Wisplet.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
"$here/check-help.sh" "$work/Wisplet.chm" "$work"
cp "$work/Wisplet.chm" "$out"
