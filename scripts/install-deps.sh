#!/usr/bin/env bash
# Installs from Debian's archive whatever the build, the program and the tests
# need and is not there yet.
set -euo pipefail
packages=(cmake make g++ libgtest-dev googletest g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine64 xvfb xdotool imagemagick x11-utils fp-utils nsis zip
          clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
