#!/usr/bin/env bash
# How long the converter takes from its launch to a usable main window
# (visible, Add enabled) against its own dialog template shown by a bare
# program, and against a one-button dialog, all started the same way under the
# same Wine, in alternating runs (11 each unless given). Prints where the
# converter's time goes (stage medians) and its ratio to the bare template
# (goal: at most 1.5; the one-button ratio is for information).
# Usage: bench/startup_ratio.sh [runs]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"

cmake --build "$build" -j 2 --target startup_bench skin_x-plus >/dev/null
start_private_display
trap 'wineserver -k >/dev/null 2>&1 || true; stop_private_display' EXIT
ensure_prefix
# One Wine server and its services for all runs, as for a user whose desktop runs already.
wineserver -p >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
wine "$build/bench/startup/startup_bench.exe" "$@" 2> >(grep "^startup_bench:" >&2)
