#!/usr/bin/env bash
# Runs a test program inside a Wine virtual desktop, where Wine draws whole
# windows itself (frames included) so that screenshots show them, and whose
# foreground, activation and keyboard focus no program outside it can take;
# passes or fails with the program's own test report.
# Usage: run_in_desktop.sh NAME PROGRAM REPORT [ARGS...]
set -euo pipefail
name=$1 program=$2 report=$3
shift 3
rm -f "$report"
windows_report=$(winepath -w "$report")
wine explorer "/desktop=$name,1024x768" "$(winepath -w "$program")" --gtest_color=no \
    "--gtest_output=xml:$windows_report" "$@" </dev/null
[ -f "$report" ] || { echo "the program left no report" >&2; exit 1; }
grep -q '<testsuites[^>]*failures="0"' "$report" && grep -q '<testsuites[^>]*errors="0"' "$report" || {
    grep -o '<failure message="[^"]*"' "$report" >&2 || true
    exit 1
}
