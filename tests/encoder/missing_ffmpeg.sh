#!/usr/bin/env bash
# Under Wine, vec.exe finds FFmpeg on the host's search path; without it, both
# of its uses end with a failure line naming the missing program.
# Usage: missing_ffmpeg.sh VEC_EXE
set -u
vec=$1
wine=$(command -v wine)
empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
any_file="Z:${vec//\//\\}"  # exists; what it holds does not matter here

expect() {  # expect TEXT COMMAND...
    local text=$1 output
    shift
    output=$(PATH="$empty" "$wine" "$vec" lumen-quartz-framebridging "$@" </dev/null 2>/dev/null | tr -d '\r')
    if [ "$output" != "$text" ]; then
        echo "expected: $text"
        echo "got:      $output"
        return 1
    fi
}

expect 'vec.exe: error: FFmpeg is missing: this system has no "ffprobe" program' -info "$any_file" &&
expect 'vec.exe: error: FFmpeg is missing: this system has no "ffmpeg" program' \
       -i "$any_file" -vcodec xvid -b 800k -s 320x240 -r 25.00 -aspect 4:3 -acodec mp3 -ab 128 -ac 2 \
       -ar 44100 -vol 256 -async 1 -vsync 1 -y "Z:${empty//\//\\}\\out.avi"
