#!/usr/bin/env bash
# Runs a program of build/bin under Wine on a test desktop of its own, started
# for it in build/NAME and stopped afterwards:  wine-run.sh NAME PROGRAM [ARGS...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/${1:?name missing}"
program=${2:?program missing}
shift 2
trap '"$env" stop "$state" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state" >/dev/null
"$env" exec "$state" wine "$root/build/bin/$program" "$@"
