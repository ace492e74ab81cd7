#!/usr/bin/env bash
# The skin tools through their files. The default skin dumps into a source
# that compiles to the same bytes and dumps the same again; the contact
# sheet's check reads the dump. Lines in the syntax the default skin does not
# use (image and voice blocks, Image objects, spare colour bytes, every part
# of a font) go the same way.
#   tools_round_trip.sh <folder of skinc and skindump> <x-plus.smf> <source root>
set -euo pipefail
tools=$1 skin=$2 root=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Dumps $1 into $2/x-plus.skin, compiles that into $2.smf and dumps it again
# into $2-again; the second dump must be the first.
dump_compile_dump() {
    "$tools/skindump" "$1" "$2/x-plus.skin"
    "$tools/skinc" "$2/x-plus.skin" "$2.smf"
    "$tools/skindump" "$2.smf" "$2-again/x-plus.skin"
    diff -r "$2" "$2-again"
    /usr/bin/python3 "$root/tools/skin_contact_sheet.py" --check "$2/x-plus.skin" >/dev/null
}

dump_compile_dump "$skin" "$scratch/default"
cmp "$skin" "$scratch/default.smf"

cp -r "$scratch/default" "$scratch/extended-source"
cat >>"$scratch/extended-source/x-plus.skin" <<'SOURCE'
image "frame again" "images/frame.bmp" {
    @back = #01020304
    object Voice "Inside" { }
}
voice "hum" {
    @value = 3
}
object Image "Loose" "images/boxes.bmp" format 0 {
    @note = "an Image object in the tree"
    object Image "Empty" { }
}
object Static "Spare bytes" {
    BACKCOLOR = #FFFFFFFF
    FONT = font "Tahoma" -13 700 #102030FF italic 2 outprecision 0 clipprecision 0 pitchandfamily 34 width 5 escapement 900 orientation -900
    TEXTEFFECT = effect #203040 shadow #405060A0
}
SOURCE
/usr/bin/python3 "$root/tools/skin_contact_sheet.py" --check "$scratch/extended-source/x-plus.skin" >/dev/null
"$tools/skinc" "$scratch/extended-source/x-plus.skin" "$scratch/extended-source.smf"
dump_compile_dump "$scratch/extended-source.smf" "$scratch/extended"
cmp "$scratch/extended-source.smf" "$scratch/extended.smf"
grep -qF 'font "Tahoma" -13 700 #102030FF italic 2 charset 0 quality 1 outprecision 0 clipprecision 0 pitchandfamily 34 width 5 escapement 900 orientation -900' \
    "$scratch/extended/x-plus.skin"
