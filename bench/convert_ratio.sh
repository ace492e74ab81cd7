#!/usr/bin/env bash
# Converts a 6-second 320x240 clip in batches of five files and a 60-second
# 1280x720 clip alone, several times each (5 unless given), through the
# program and directly through FFmpeg with the options the encoder gives it,
# interleaved, for both ways vec.exe reaches FFmpeg: the bundled ffmpeg.exe
# beside it, as the program ships (against that ffmpeg.exe started directly
# under the same Wine), and the host's ffmpeg (a copy of the program without
# ffmpeg.exe, against the host's ffmpeg). Prints where the program's time goes
# (stage medians), the fixed overhead per file beyond FFmpeg's own run apart
# from what comes once per batch (goal on the bundled way: at most 60 ms), and
# the ratio of the program's time to FFmpeg's own run on the long clip (goal on
# the bundled way: at most 1.03), with the machine's load beside each run.
# Usage: bench/convert_ratio.sh [runs]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"

cmake --build "$build" -j 2 --target convert_bench vec dist_companions >/dev/null
start_private_display
stages=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; stop_private_display; rm -rf "$stages"' EXIT
ensure_prefix
# One Wine server for all runs, as for a user whose desktop runs already.
wineserver -p >/dev/null 2>&1
# vec.exe notes the end of each of its stages in this file (services/StageTimes.h).
export VEC_STAGE_TIMES="Z:${stages//\//\\}\\stages"
# Wine's own chatter is left out; the bench's failures are not.
wine "$build/tests/batch/convert_bench.exe" "$@" 2> >(grep "^convert_bench:" >&2)
