#!/usr/bin/env bash
# Redraws the default skin's images into a scratch folder and compares them
# byte for byte with the committed ones.
#   images_current.sh <source root>
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
/usr/bin/python3 "$root/tools/make_skin_art.py" "$scratch"
status=0
for drawn in "$scratch"/*.bmp; do
    committed="$root/res/skin/x-plus/images/$(basename "$drawn")"
    if ! cmp -s "$drawn" "$committed"; then
        echo "out of date: $committed (run tools/make_skin_art.py)"
        status=1
    fi
done
for committed in "$root"/res/skin/x-plus/images/*.bmp; do
    if [ ! -e "$scratch/$(basename "$committed")" ]; then
        echo "no longer drawn: $committed"
        status=1
    fi
done
exit $status
