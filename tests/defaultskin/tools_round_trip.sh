#!/usr/bin/env bash
# The skin tools through their files: the default skin dumps into a source
# that compiles to the same bytes and dumps the same again, and so does the
# dump with lines in the syntax the default skin does not use; the contact
# sheet's check reads every source.
#   tools_round_trip.sh <folder of skinc and skindump> <x-plus.smf> <source root>
set -euo pipefail
tools=$1 skin=$2 root=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
check() { /usr/bin/python3 "$root/tools/skin_contact_sheet.py" --check "$1" >/dev/null; }

# Dumps the skin file $1 into the folder $2, compiles that, and expects the
# same bytes and, dumped again, the same folder.
round_trip() {
    "$tools/skindump" "$1" "$2/x-plus.skin"
    check "$2/x-plus.skin"
    "$tools/skinc" "$2/x-plus.skin" "$2.smf"
    cmp "$1" "$2.smf"
    "$tools/skindump" "$2.smf" "$2-again/x-plus.skin"
    diff -r "$2" "$2-again"
}

round_trip "$skin" "$work/default"
cat "$work/default/x-plus.skin" - >"$work/default/extended.skin" <<'SOURCE'
image "frame again" "images/frame.bmp" {
    @back = #01020304
}
voice "hum" {
    object Voice "Inside" { }
}
object Image "Loose" "images/boxes.bmp" format 0 { }
object Static "Spare bytes" {
    BACKCOLOR = #FFFFFFFF
    FONT = font "Tahoma" -13 700 #102030FF italic 2 outprecision 0 width 5
    TEXTEFFECT = effect #203040 shadow #405060A0
}
SOURCE
check "$work/default/extended.skin"
"$tools/skinc" "$work/default/extended.skin" "$work/extended-source.smf"
round_trip "$work/extended-source.smf" "$work/extended"
