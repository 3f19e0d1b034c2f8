#!/usr/bin/env bash
# Fails when a source file includes from a folder above its own. The folders
# under src/, bottom to top; resources only holds identifiers and assets.
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)
order=(resources model base storage notes dialogs app)
rank() { local i; for i in "${!order[@]}"; do [ "${order[$i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }
bad=0
while IFS=: read -r file _ include; do
  from=${file#"$src"/}; from=${from%%/*}
  to=$(sed -E 's/.*"([^/"]+)\/.*/\1/' <<<"$include")
  [ "$(rank "$to")" -lt 0 ] && continue
  if [ "$(rank "$to")" -gt "$(rank "$from")" ]; then
    echo "${file#"$src"/} includes from $to/, a folder above $from/: $include"
    bad=1
  fi
done < <(grep -rn --include='*.h' --include='*.cpp' --include='*.rc' '^#include "' "$src" | grep -v '/tools/')
exit $bad
