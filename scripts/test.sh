#!/usr/bin/env bash
# Runs every test: the unit tests natively, the end-to-end tests under Wine on a
# desktop of their own. Leaves no process running, whatever happens.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
state="$root/build/e2e"
cleanup() { "$root/tests/e2e/wine-env.sh" stop "$state" >/dev/null 2>&1 || true; }
trap cleanup EXIT INT TERM
rm -rf "$root/build/test-output"
mkdir -p "$root/build/test-output"
cd "$root/build/native" || exit 1
ctest --output-on-failure --timeout 900 "$@"
status=$?
# Screenshots are written as BMP under Wine; keep PNG copies beside them.
for bmp in "$root"/build/test-output/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
exit $status
