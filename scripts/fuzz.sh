#!/usr/bin/env bash
# Fuzzes the settings file's readers and writers with libFuzzer (clang, with
# the address and undefined-behaviour sanitizers), natively in build/fuzz.
#   scripts/fuzz.sh build              build the fuzz targets
#   scripts/fuzz.sh smoke TARGET       its seeds, then a few seconds of fuzzing (make test)
#   scripts/fuzz.sh run [SECONDS]      every target for SECONDS each, 120 by default (make fuzz)
# New inputs are kept in build/fuzz/corpus, failing ones in build/fuzz/artifacts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build/fuzz"
seeds="$root/tests/fuzz/corpus"
targets=(ini_document text_to_color memo_lines settings_loader notes_loader commands merge)

configure_and_build() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DWISPLET_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null
  cmake --build "$build" -j "${JOBS:-2}" >/dev/null
}

# The seed folder and libFuzzer options of a target.
seeds_of() {
  case "$1" in
    text_to_color) echo "$seeds/colors" ;;
    memo_lines) echo "$seeds/memo_lines" ;;
    commands) echo "$seeds/commands" ;;
    merge) echo "$seeds/merge" ;;
    *) echo "$seeds/settings" ;;
  esac
}
options_of() {
  case "$1" in
    text_to_color) echo "-max_len=64 -dict=$root/tests/fuzz/colors.dict" ;;
    memo_lines) echo "-max_len=8192" ;;
    commands) echo "-max_len=4096 -dict=$root/tests/fuzz/commands.dict" ;;
    merge) echo "-max_len=65536 -dict=$root/tests/fuzz/settings.dict" ;;
    *) echo "-max_len=32768 -dict=$root/tests/fuzz/settings.dict" ;;
  esac
}

# Runs one target for the given seconds with new inputs kept in `corpus`;
# prints its number of runs; fails when the target failed.
fuzz() {
  local target=$1 seconds=$2 corpus=$3 log rc=0
  mkdir -p "$corpus" "$build/artifacts"
  log=$(mktemp)
  # shellcheck disable=SC2046
  "$build/${target}_fuzz" $(options_of "$target") -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=1024 -malloc_limit_mb=256 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" "$corpus" "$(seeds_of "$target")" >"$log" 2>&1 || rc=$?
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $rc -ne 0 ]; then
    tail -60 "$log"
    echo "$target: FAILED after ${runs:-?} runs (inputs in build/fuzz/artifacts)"
  else
    printf '%-16s %10s runs in %s s, corpus %s inputs\n' "$target" "${runs:-?}" "$seconds" \
      "$(find "$corpus" -type f | wc -l)"
  fi
  rm -f "$log"
  return $rc
}

case "${1:-run}" in
  build) configure_and_build ;;
  smoke)
    target=${2:?target missing}
    [ -x "$build/${target}_fuzz" ] || configure_and_build
    rm -rf "$build/smoke/$target"
    fuzz "$target" "${FUZZ_SMOKE_SECONDS:-3}" "$build/smoke/$target"
    ;;
  run)
    configure_and_build
    status=0
    for target in "${targets[@]}"; do
      fuzz "$target" "${2:-120}" "$build/corpus/$target" || status=1
    done
    exit $status
    ;;
  *) echo "usage: $0 build | smoke TARGET | run [SECONDS]" >&2; exit 2 ;;
esac
