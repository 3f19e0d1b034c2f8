#!/usr/bin/env bash
# Prints the CPU time Wisplet with 255 notes uses over a quiet minute, beside
# the same figure for the build before the settings file's folder was watched
# (built once from that revision into build/idle-ref). Both run at once on the
# test desktop already started in STATE; the time is read from
# /proc/PID/stat, since Wine's GetProcessTimes misses most of it.
#   idle-cpu.sh STATE        (QUIET_SECONDS=60 by default)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
env="$root/tests/e2e/wine-env.sh"
state=${1:?state folder missing}
quiet=${QUIET_SECONDS:-60}
work="$root/build/idle-bench"
ref="$root/build/idle-ref"
tick=$(getconf CLK_TCK)

# The build before the watch: the parent of the commit that added it.
reference() {
  local added base
  added=$(git -C "$root" log --diff-filter=A --format=%H -- src/app/settings_watch.cpp 2>/dev/null | tail -1)
  [ -n "$added" ] || return 1
  base=$(git -C "$root" rev-parse "$added^")
  if [ "$(cat "$ref/rev" 2>/dev/null)" != "$base" ] || [ ! -f "$ref/bin/Wisplet.exe" ]; then
    echo "(building the reference ${base:0:10} once, in build/idle-ref)" >&2
    rm -rf "$ref"
    mkdir -p "$ref/src"
    git -C "$root" archive "$base" | tar -x -C "$ref/src"
    cmake -S "$ref/src" -B "$ref/win" -DCMAKE_TOOLCHAIN_FILE="$ref/src/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DWISPLET_BIN_DIR="$ref/bin" >/dev/null || return 1
    cmake --build "$ref/win" --target Wisplet -j "${JOBS:-2}" >/dev/null || return 1
    echo "$base" >"$ref/rev"
  fi
  echo "$base"
}

notes_file() {
  printf '[Main]\r\nCurrentStyle=Default\r\nSchemesCount=0\r\nStickerCount=255\r\n'
  local i
  for i in $(seq 0 254); do
    printf '[Sticker%d]\r\nTitle=Note %d\r\nMemoLineCount=3\r\nMemoLine0=>Buy milk\r\nMemoLine1=>\r\n' "$i" "$i"
    printf 'MemoLine2=>  and bread\r\nID=note%d\r\nActive=1\r\nTop=%d\r\nLeft=%d\r\n' "$i" $(((i % 14) * 50)) \
      $(((i / 14) % 5 * 200))
    printf 'TitleColor=clWindow\r\nTitleGradColor=clSkyBlue\r\nMemoColor=clWhite\r\nMemoGradColor=clSkyBlue\r\n'
  done
}

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo -1; }

labels=("this build")
exes=("$root/build/bin/Wisplet.exe")
if base=$(reference); then
  labels+=("before the watch (${base:0:10})")
  exes+=("$ref/bin/Wisplet.exe")
else
  echo "(no reference build: not a git checkout)"
fi

rm -rf "$work"
pids=()
wrappers=()
for i in "${!exes[@]}"; do
  mkdir -p "$work/$i"
  # Names of their own: copies of one name would be one instance.
  cp "${exes[$i]}" "$work/$i/Wisplet$i.exe"
  notes_file >"$work/$i/Wisplet$i.ini"
  "$env" exec "$state" wine "$work/$i/Wisplet$i.exe" >/dev/null 2>&1 &
  wrappers+=($!)
done
stop() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${wrappers[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap stop EXIT

# Each program's process, once its start-up is over: its CPU time stands still
# for three seconds in a row (at most two minutes).
for i in "${!exes[@]}"; do
  pid=""
  for _ in $(seq 100); do
    pid=$(pgrep -fx "$work/$i/Wisplet$i.exe" || true)
    [ -n "$pid" ] && break
    sleep 0.1
  done
  [ -n "$pid" ] || { echo "${labels[$i]}: did not start"; exit 1; }
  pids+=("$pid")
done
for i in "${!pids[@]}"; do
  last=-2
  still=0
  for _ in $(seq 120); do
    now=$(ticks "${pids[$i]}")
    if [ "$now" = "$last" ]; then still=$((still + 1)); else still=0; fi
    [ $still -ge 3 ] && break
    last=$now
    sleep 1
  done
done

before=()
for pid in "${pids[@]}"; do before+=("$(ticks "$pid")"); done
sleep "$quiet"
echo "CPU time of Wisplet with 255 notes over a quiet ${quiet} s (user + system, /proc/PID/stat)"
for i in "${!pids[@]}"; do
  after=$(ticks "${pids[$i]}")
  if [ "$after" -lt 0 ]; then
    printf '  %-32s ended early\n' "${labels[$i]}"
  else
    printf '  %-32s %6d ms   (start-up before it: %d ms)\n' "${labels[$i]}" $(((after - before[i]) * 1000 / tick)) \
      $((before[i] * 1000 / tick))
  fi
done
