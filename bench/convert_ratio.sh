#!/usr/bin/env bash
# Converts one 60-second clip through the program (adding it, so the probe
# counts) and directly through FFmpeg with the options the encoder gives it,
# and prints both wall times and their ratio (goal: at most 1.10).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"

cmake --build "$build" -j 2 --target convert_bench >/dev/null
start_private_display
trap 'wineserver -k >/dev/null 2>&1 || true; stop_private_display' EXIT
ensure_prefix
wine "$build/tests/batch/convert_bench.exe" 2>/dev/null
