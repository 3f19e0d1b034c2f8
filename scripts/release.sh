#!/usr/bin/env bash
# Makes the release files from the built program and help file:
#   build/release/Wisplet-VERSION.zip        Wisplet.exe, Wisplet.chm, README.txt, LICENSE.txt
#   build/release/Wisplet-VERSION-setup.exe  the per-user installer (NSIS)
# The version is the file version of src/resources/version.h.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=${1:-$root/build/bin}
out=${2:-$root/build/release}
part() { sed -n "s/^#define WISPLET_VERSION_$1 \([0-9]*\)$/\1/p" "$root/src/resources/version.h"; }
version="$(part MAJOR).$(part MINOR).$(part RELEASE).$(part BUILD)"
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "release: no version in version.h" >&2; exit 1; }

stage="$out/Wisplet"
rm -rf "$out"
mkdir -p "$stage"
cp "$bin/Wisplet.exe" "$bin/Wisplet.chm" "$stage/"
# Text files with Windows line ends, so that Notepad shows them right.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/packaging/README.txt" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"

(cd "$out" && zip -qrX "Wisplet-$version.zip" Wisplet)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$out/Wisplet-$version-setup.exe" \
  -DICON="$root/src/resources/images/wisplet.ico" "$root/packaging/wisplet.nsi"
echo "release: $out/Wisplet-$version.zip"
echo "release: $out/Wisplet-$version-setup.exe"
