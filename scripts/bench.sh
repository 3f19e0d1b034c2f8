#!/usr/bin/env bash
# Prints the benchmark figures: natively, and under Wine beside the same work
# done through the profile functions.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/bench-env"
echo "== native =="
"$root/build/native/bench/wisplet_bench"
"$root/build/native/bench/wisplet_snap_bench"
trap '"$env" stop "$state" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state" >/dev/null
echo "== under Wine =="
"$env" exec "$state" wine "$root/build/bin/WispletBench.exe"
echo "== start-up under Wine =="
"$env" exec "$state" wine "$root/build/bin/WispletStartupBench.exe"
echo "== idle under Wine =="
"$root/scripts/idle-cpu.sh" "$state"
