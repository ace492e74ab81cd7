#!/usr/bin/env bash
# Wall time of a conversion through vec.exe under Wine against the same
# conversion run directly with the same FFmpeg, over several runs, for both
# ways vec.exe reaches FFmpeg: the bundled ffmpeg.exe beside it (against that
# ffmpeg.exe started directly under the same Wine) and the host's ffmpeg
# (vec.exe in a folder without ffmpeg.exe, against the host's ffmpeg). Prints
# each run, the ratio vec.exe / FFmpeg of the totals, of the medians and of
# the best runs (on a machine that does other work the best runs come closest
# to the cost vec.exe itself adds; the goal is at most 1.03), and the longest
# silence between vec.exe's lines (the converter is promised a line at least
# every 0.4 s).
# The two alternate which goes first, so that neither always meets a warmer
# or a busier machine.
# Usage: bench/vec_overhead.sh [runs] [clip seconds]   (after a build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
runs=${1:-3}
seconds=${2:-60}
dist="$build/dist"
for program in vec.exe ffmpeg.exe; do
    [ -f "$dist/$program" ] || { echo "build first (bash scripts/test): no $dist/$program" >&2; exit 1; }
done

# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"
ensure_prefix
work=$(mktemp -d)
cleanup() { rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
# One Wine server for all runs, as for the converter, which runs under Wine already.
wineserver -p >/dev/null 2>&1
mkdir "$work/bare"
cp "$dist/vec.exe" "$work/bare/"
wine "$dist/vec.exe" >/dev/null 2>&1 || true  # warms Wine up; refused without the token

ffmpeg -nostdin -v error -y -f lavfi -i "testsrc=size=640x480:rate=25:duration=$seconds" \
       -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" -c:v mpeg4 -q:v 3 -c:a aac "$work/clip.mp4"

winpath() { echo "Z:${1//\//\\}"; }
vec_line=(lumen-quartz-framebridging -i "$(winpath "$work/clip.mp4")" -vcodec h264 -b 1150k -s 640x480 -r 25.00
          -aspect 4:3 -acodec mp3 -ab 128 -ac 2 -ar 44100 -vol 256 -async 1 -vsync 1 -y
          "$(winpath "$work/through_vec_h264_mp3.avi")")
# What vec.exe runs for that command line (see encoder/README.md), input and output last.
direct_options=(-hide_banner -loglevel error -nostats -y -c:v libx264 -b:v 1150k -s 640x480 -r 25 -aspect 4:3
                -c:a libmp3lame -b:a 128k -ac 2 -ar 44100 -vf fps=25 -af volume=1,aresample=async=1:first_pts=0
                -vsync cfr)

now() { date +%s.%N; }
# The longest time in milliseconds between two lines on standard input (from the first).
longest_silence() {
    /usr/bin/python3 -c '
import sys, time
last = None; longest = 0.0
for line in sys.stdin.buffer:
    now = time.monotonic()
    if last is not None: longest = max(longest, now - last)
    last = now
print(round(longest * 1000))'
}
time_direct() {  # time_direct ROUTE
    local start; start=$(now)
    if [ "$1" = bundled ]; then
        wine "$dist/ffmpeg.exe" -nostdin -i "$(winpath "$work/clip.mp4")" "${direct_options[@]}" \
             "$(winpath "$work/direct.avi")" </dev/null
    else
        ffmpeg -nostdin -i "$work/clip.mp4" "${direct_options[@]}" "$work/direct.avi"
    fi
    echo "$(now) - $start" | bc
}
time_vec() {  # time_vec ROUTE: seconds, then the longest silence in ms
    local start silence folder=$dist
    [ "$1" = bundled ] || folder=$work/bare
    start=$(now)
    silence=$(wine "$folder/vec.exe" "${vec_line[@]}" </dev/null | longest_silence)
    echo "$(echo "$(now) - $start" | bc) $silence"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
sum() { local IFS=+; echo "$*" | bc; }
best() { sort -n | head -1; }

for route in bundled host; do
    directs=()
    throughs=()
    silences=()
    for run in $(seq "$runs"); do
        if [ $((run % 2)) -eq 1 ]; then
            direct=$(time_direct $route); read -r through silence < <(time_vec $route)
        else
            read -r through silence < <(time_vec $route); direct=$(time_direct $route)
        fi
        printf '%s ffmpeg, run %d: ffmpeg %.2f s, vec.exe %.2f s, longest silence %d ms\n' \
               "$route" "$run" "$direct" "$through" "$silence"
        directs+=("$direct")
        throughs+=("$through")
        silences+=("$silence")
    done
    ratio_of() {  # ratio_of FUNCTION: FUNCTION of the vec.exe times over FUNCTION of the FFmpeg times
        echo "$(printf '%s\n' "${throughs[@]}" | "$1") / $(printf '%s\n' "${directs[@]}" | "$1")" | bc -l
    }
    printf '%s ffmpeg: ratio vec.exe / ffmpeg over %d runs: %.3f of the totals, %.3f of the medians, %.3f of the best runs; longest silence %d ms (promised: under 400 ms)\n' \
           "$route" "$runs" "$(echo "$(sum "${throughs[@]}") / $(sum "${directs[@]}")" | bc -l)" \
           "$(ratio_of median)" "$(ratio_of best)" "$(printf '%s\n' "${silences[@]}" | sort -n | tail -1)"
done
