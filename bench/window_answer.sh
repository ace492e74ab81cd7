#!/usr/bin/env bash
# How quickly the converter's window answers while FFmpeg encodes: prints the
# median and the slowest round trip of a message to the window (goal: the
# slowest at most 200 ms). The suite only checks that the window answers.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"

cmake --build "$build" -j 2 --target answer_bench >/dev/null
start_private_display
trap 'wineserver -k >/dev/null 2>&1 || true; stop_private_display' EXIT
ensure_prefix
wine "$build/tests/batch/answer_bench.exe" 2>/dev/null
