#!/usr/bin/env bash
# Runs the skinned-program test in a Wine virtual desktop, where Wine draws
# whole windows, and turns its screenshot into a PNG artefact. Wine's
# explorer does not hand back the test's exit status: its XML report says.
# Usage: skinned_shot.sh TEST_EXE ARTIFACT_DIR DESKTOP
set -u
exe=$1
artifacts=$2
desktop=$3
mkdir -p "$artifacts"
report="$artifacts/skinned_program.xml"
rm -f "$report" "$artifacts/skinned_program.bmp" "$artifacts/skinned_program.png"
wine explorer "/desktop=$desktop,1024x768" "$exe" --gtest_color=no "--gtest_output=xml:Z:$report" </dev/null
if [ ! -s "$report" ]; then
    echo "the test left no report" >&2
    exit 1
fi
cat "$report"
if [ -s "$artifacts/skinned_program.bmp" ]; then
    convert "$artifacts/skinned_program.bmp" "$artifacts/skinned_program.png" && rm -f "$artifacts/skinned_program.bmp"
fi
grep -q 'failures="0"' "$report" && grep -q 'errors="0"' "$report" && [ -s "$artifacts/skinned_program.png" ]
