#!/usr/bin/env bash
# Converts a 6-second 320x240 clip in batches of five files and a 60-second
# 640x480 clip alone, five times each, through the program and directly
# through FFmpeg with the options the encoder gives it, interleaved, and
# prints where the program's time goes (stage medians), the fixed overhead per
# file beyond FFmpeg's own run (goal: at most 60 ms) apart from what comes once
# per batch, and the ratio of the program's time to FFmpeg's own run on the
# long clip (goal: at most 1.05), with the machine's load beside each run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"

cmake --build "$build" -j 2 --target convert_bench vec >/dev/null
start_private_display
stages=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; stop_private_display; rm -rf "$stages"' EXIT
ensure_prefix
# One Wine server for all runs, as for a user whose desktop runs already.
wineserver -p >/dev/null 2>&1
# vec.exe notes the end of each of its stages in this file (encoder/StageTimes.h).
export VEC_STAGE_TIMES="Z:${stages//\//\\}\\stages"
# Wine's own chatter is left out; the bench's failures are not.
wine "$build/tests/batch/convert_bench.exe" 2> >(grep "^convert_bench:" >&2)
