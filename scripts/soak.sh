#!/usr/bin/env bash
# Prints what the program holds before and after long use of 255 notes and
# the note editor, under Wine on a test desktop of its own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/soak-env"
trap '"$env" stop "$state" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state" >/dev/null
"$env" exec "$state" wine "$root/build/bin/WispletSoakBench.exe"
