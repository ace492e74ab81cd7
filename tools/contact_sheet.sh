#!/usr/bin/env bash
# Renders the artwork into one PNG for a look by eye: every button face over a
# light and a dark dialog background with its caption centred as the button
# draws it, the row images over a list's white, and the icons at 4x.
#   tools/contact_sheet.sh <art folder> <output.png>
set -euo pipefail
art=$1
out=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

declare -A caption=([add]=Add [remove]=Remove [convert]=Convert [stop]=Stop [help]=Help [about]=About [exit]=EXIT)
faces=()
for bg in '#ececec' '#3b4460'; do
    for c in add remove convert stop help about exit; do
        for f in normal hover pressed; do
            # The button is 63 x 57 pixels under Wine; the face sits at its top-left corner.
            convert -size 63x57 "xc:$bg" \( "$art/${c}_$f.bmp" -transparent black \) -composite \
                    -font DejaVu-Sans -pointsize 8.5 -fill black -gravity center -annotate +0+0 "${caption[$c]}" \
                    -scale 300% "$tmp/face_${bg#\#}_${c}_$f.png"
            faces+=("$tmp/face_${bg#\#}_${c}_$f.png")
        done
    done
done
montage "${faces[@]}" -tile 12x -geometry +4+4 -background '#9aa0aa' "$tmp/faces.png"
convert "$art/row_images.bmp" -fill white -opaque magenta -scale 600% "$tmp/rows.png"
icons=()
i=0
for ico in "$art/vodrix.ico" "$art/folder.ico"; do
    n=$(identify "$ico" | wc -l)
    for k in $(seq 0 $((n - 1))); do
        convert "$ico[$k]" -background '#ececec' -flatten -scale 400% "$tmp/icon_$i.png"
        icons+=("$tmp/icon_$i.png")
        i=$((i + 1))
    done
done
montage "$tmp/rows.png" "${icons[@]}" -tile x1 -geometry +8+8 -background '#ececec' "$tmp/rest.png"
convert "$tmp/faces.png" "$tmp/rest.png" -background '#9aa0aa' -gravity west -append +repage "$out"
