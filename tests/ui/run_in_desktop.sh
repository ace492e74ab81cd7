#!/usr/bin/env bash
# Runs a test program in a Wine virtual desktop of its own, where Wine draws
# whole windows, frames included, and turns the BMP pictures it left in the
# artefact folder into PNG files.
#   run_in_desktop.sh DESKTOP_NAME PROGRAM ARTIFACT_DIR
set -uo pipefail

name=$1 program=$2 artifacts=$3
output=$(wine explorer /desktop="$name",1024x768 "$program" --gtest_color=no 2>&1)
echo "$output"
grep -q '^\[  PASSED  \]' <<<"$output" && ! grep -q '^\[  FAILED  \]' <<<"$output" || exit 1
for picture in "$artifacts"/*.bmp; do
    [ -e "$picture" ] || continue
    convert "$picture" "${picture%.bmp}.png" && rm -f "$picture" || exit 1
done
