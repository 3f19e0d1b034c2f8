#!/usr/bin/env bash
# Ends Wisplet in the middle of its saves, KILLS times (200 by default), on a
# test desktop of its own, and checks that the settings file is always the
# old one or the new one and that every note comes back.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state="$root/build/torture-env"
trap '"$env" stop "$state" >/dev/null 2>&1 || true' EXIT INT TERM
"$env" start "$state" >/dev/null
WISPLET_TORTURE_KILLS=${1:-200} "$env" exec "$state" wine "$root/build/bin/WispletE2E.exe" \
  --gtest_filter='Torture.*'
