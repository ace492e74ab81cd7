#!/usr/bin/env bash
# The compiled help file holds every page of the help sources, with its text,
# and its contents and index point only at pages that exist.
#   check_help.sh <file.chm> <help source folder>
set -euo pipefail
chm=$1
src=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -s "$chm" ] || fail "no help file at $chm"
[ "$(basename "$chm")" = vodrixvidoeconverter.chm ] || fail "the help file is named $(basename "$chm")"
listing=$(chmls list --no-offset "$chm" 2>/dev/null)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pages=0
for page in "$src"/*.html; do
    name=$(basename "$page")
    grep -q "/$name\$" <<<"$listing" || fail "$name is not in the help file"
    chmls extract "$chm" "/$name" "$tmp/$name" >/dev/null 2>&1
    cmp -s "$page" "$tmp/$name" || fail "$name in the help file differs from its source"
    pages=$((pages + 1))
done
[ "$pages" -ge 8 ] || fail "only $pages pages"

# Topics the user needs; each must have a page that talks about it.
for topic in "Add" "Remove" "Output Directory" "Convert Format" "Stop" "tray" "trace" "Shutdown PC after finished"; do
    grep -lq "$topic" "$src"/*.html || fail "no page mentions \"$topic\""
done

# Every page named by the contents and the index exists.
for map in toc.hhc index.hhk; do
    grep -q "/$map\$" <<<"$listing" || fail "$map is not in the help file"
    for target in $(grep -o 'name="Local" value="[^"]*"' "$src/$map" | sed 's/.*value="\(.*\)"/\1/' | sort -u); do
        [ -f "$src/$target" ] || fail "$map points at missing $target"
    done
done
# Every link between pages leads to a page of the help.
for target in $(grep -oh 'href="[^"#]*"' "$src"/*.html | sed 's/href="\(.*\)"/\1/' | sort -u); do
    [ -f "$src/$target" ] || fail "a page links to missing $target"
done
echo "help file holds $pages pages"
