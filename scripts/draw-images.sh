#!/usr/bin/env bash
# Draws Wisplet's images again into src/resources/images with
# src/resources/tools/draw_images.cpp, and a contact sheet of every picture at
# every size into build/test-output/images.png; rebuild afterwards (make).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out="$root/build/test-output"
mkdir -p "$out"
g++ -std=c++20 -O2 "$root/src/resources/tools/draw_images.cpp" -o "$root/build/draw_images"
"$root/build/draw_images" "$root/src/resources/images" "$out/images.bmp" >/dev/null
convert "$out/images.bmp" -strip "$out/images.png"
rm -f "$out/images.bmp"
echo "Images drawn into src/resources/images; contact sheet: build/test-output/images.png"
