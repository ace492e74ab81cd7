#!/usr/bin/env bash
# Wall time of a conversion through vec.exe under Wine against the same
# conversion run directly with FFmpeg, over several runs. Prints each run and
# the ratio vec.exe / FFmpeg of the totals, of the medians and of the best
# runs (on a machine that does other work the best runs come closest to the
# cost vec.exe itself adds); the goal is at most 1.05.
# The two alternate which goes first, so that neither always meets a warmer
# or a busier machine.
# Usage: bench/vec_overhead.sh [runs] [clip seconds]   (after a build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
runs=${1:-5}
seconds=${2:-120}
vec="$build/encoder/vec.exe"
[ -f "$vec" ] || { echo "build vec.exe first (bash scripts/test)" >&2; exit 1; }

# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"
ensure_prefix
work=$(mktemp -d)
cleanup() { rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true; }
trap cleanup EXIT
# One Wine server for all runs, as for the converter, which runs under Wine already.
wineserver -p >/dev/null 2>&1
wine "$vec" >/dev/null 2>&1 || true  # warms Wine up; refused without the token

ffmpeg -nostdin -v error -y -f lavfi -i "testsrc=size=640x480:rate=25:duration=$seconds" \
       -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$seconds" -c:v mpeg4 -q:v 3 -c:a aac "$work/clip.mp4"

winpath() { echo "Z:${1//\//\\}"; }
src=$(winpath "$work/clip.mp4")
out=$(winpath "$work/through_vec_h264_mp3.avi")
vec_line=(lumen-quartz-framebridging -i "$src" -vcodec h264 -b 1150k -s 640x480 -r 25.00 -aspect 4:3
          -acodec mp3 -ab 128 -ac 2 -ar 44100 -vol 256 -async 1 -vsync 1 -y "$out")
# What vec.exe runs for that command line (see encoder/README.md).
direct_line=(-hide_banner -loglevel error -nostats -y -i "$work/clip.mp4" -c:v libx264 -b:v 1150k -s 640x480
             -r 25 -aspect 4:3 -c:a libmp3lame -b:a 128k -ac 2 -ar 44100 -vf fps=25
             -af volume=1,aresample=async=1:first_pts=0 -fps_mode cfr "$work/direct.avi")

now() { date +%s.%N; }
time_direct() { local start; start=$(now); ffmpeg -nostdin "${direct_line[@]}"; echo "$(now) - $start" | bc; }
time_vec() { local start; start=$(now); wine "$vec" "${vec_line[@]}" >/dev/null </dev/null; echo "$(now) - $start" | bc; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

directs=()
throughs=()
for run in $(seq "$runs"); do
    if [ $((run % 2)) -eq 1 ]; then
        direct=$(time_direct); through=$(time_vec)
    else
        through=$(time_vec); direct=$(time_direct)
    fi
    printf 'run %d: ffmpeg %.2f s, vec.exe %.2f s\n' "$run" "$direct" "$through"
    directs+=("$direct")
    throughs+=("$through")
done
sum() { local IFS=+; echo "$*" | bc; }
best() { sort -n | head -1; }
ratio_of() {  # ratio_of FUNCTION: FUNCTION of the vec.exe times over FUNCTION of the FFmpeg times
    echo "$(printf '%s\n' "${throughs[@]}" | "$1") / $(printf '%s\n' "${directs[@]}" | "$1")" | bc -l
}
printf 'ratio vec.exe / ffmpeg over %d runs: %.3f of the totals, %.3f of the medians, %.3f of the best runs\n' \
       "$runs" "$(echo "$(sum "${throughs[@]}") / $(sum "${directs[@]}")" | bc -l)" "$(ratio_of median)" \
       "$(ratio_of best)"
