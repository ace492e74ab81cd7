#!/usr/bin/env bash
# Redraws the images of every skin the drawing script makes into a scratch
# folder and compares them byte for byte with the committed ones.
#   images_current.sh <source root>
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for variant in x-plus x-night; do
    drawn_dir="$scratch/$variant"
    committed_dir="$root/res/skin/$variant/images"
    /usr/bin/python3 "$root/tools/make_skin_art.py" --variant "$variant" "$drawn_dir"
    for drawn in "$drawn_dir"/*.bmp; do
        committed="$committed_dir/$(basename "$drawn")"
        if ! cmp -s "$drawn" "$committed"; then
            echo "out of date: $committed (run tools/make_skin_art.py --variant $variant)"
            status=1
        fi
    done
    for committed in "$committed_dir"/*.bmp; do
        if [ ! -e "$drawn_dir/$(basename "$committed")" ]; then
            echo "no longer drawn: $committed"
            status=1
        fi
    done
done
exit $status
