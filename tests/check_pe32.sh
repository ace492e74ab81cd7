#!/usr/bin/env bash
# Fails when any executable under the build tree is not a PE32 program for i386.
# The Wine prefixes of the suites (build/wineprefix, build/installer-wineprefix...)
# hold Wine's programs, not the build's.
set -euo pipefail
found=0
while IFS= read -r -d '' exe; do
    found=$((found + 1))
    if ! file -b "$exe" | grep -q '^PE32 executable .*Intel 80386'; then
        echo "not a PE32 i386 executable: $exe ($(file -b "$exe"))"
        exit 1
    fi
done < <(find "$1" -path "$1/*wineprefix*" -prune -o -name '*.exe' -type f -print0)
echo "$found executables checked"
[ "$found" -gt 0 ]
