#!/usr/bin/env bash
# Checks a compiled help file against its sources: every page of the table of
# contents and of the index, and every file a page links to or shows, must be
# inside the .chm.
#   check-help.sh HELP.chm SOURCE_FOLDER
set -euo pipefail
chm=${1:?usage: check-help.sh HELP.chm SOURCE_FOLDER}
src=${2:?source folder missing}
[ -s "$chm" ] || { echo "check-help: $chm is missing or empty" >&2; exit 1; }

inside=$(chmls list "$chm" 2>/dev/null | awk 'NF >= 4 && $4 ~ /^\// { print tolower(substr($4, 2)) }' | sort -u)
wanted=$(
  { grep -hoi 'name="Local" value="[^"]*"' "$src"/*.hhc "$src"/*.hhk | sed 's/.*value="//; s/"$//'
    grep -hoiE '(src|href)="[^"#:]+[^"]*"' "$src"/*.html | sed -E 's/^(src|href)="//I; s/"$//; s/#.*//'
  } | tr 'A-Z' 'a-z' | sort -u)

missing=0
pages=0
while read -r file; do
  [ -n "$file" ] || continue
  pages=$((pages + 1))
  if ! grep -qxF "$file" <<<"$inside"; then
    echo "check-help: $chm lacks $file" >&2
    missing=1
  fi
done <<<"$wanted"
[ "$pages" -gt 0 ] || { echo "check-help: no pages found in $src" >&2; exit 1; }
[ $missing -eq 0 ] && echo "check-help: all $pages files of the contents, index and pages are in $(basename "$chm")"
exit $missing
