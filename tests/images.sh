#!/usr/bin/env bash
# Fails when the images in src/resources/images are not what the drawing tool
# (given as $1) draws now - a picture changed in the tool but not drawn again,
# a file edited by hand or left over - or when the tool refuses a picture
# (a glyph reaching out of its button, a picture using its transparent colour).
set -euo pipefail
images=$(cd "$(dirname "${BASH_SOURCE[0]}")/../src/resources/images" && pwd)
drawn=$(mktemp -d)
trap 'rm -rf "$drawn"' EXIT
"$1" "$drawn" >/dev/null
diff -r "$images" "$drawn"
