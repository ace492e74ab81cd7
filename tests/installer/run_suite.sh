#!/usr/bin/env bash
# run_suite.sh PREFIX HOST_FFMPEG PROGRAM ARGS...: runs the installer suite in a
# Wine prefix of its own, so that its installs touch no other suite's prefix.
# The prefix is made once per Wine version (wineboot takes 10-20 s) as
# PREFIX.template; each run starts on a fresh copy, in which Wine's own
# libraries (half a gigabyte, rewritten only by a new Wine) are hard links.
# HOST_FFMPEG gets stand-ins for the host's ffmpeg and ffprobe, first on the
# path: they note each call in calls.log, so that the suite sees which FFmpeg
# a conversion used.
# Everything the run started in the prefix ends with it.
set -u
prefix=$1 host_ffmpeg=$2
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(dirname "$prefix")
. "$root/scripts/wine-env"
unset VODRIX_SETTINGS_KEY

template="$prefix.template"
if [ "$(cat "$template/.suite-wine" 2>/dev/null)" != "$(wine --version)" ]; then
    rm -rf "$template"
    export WINEPREFIX=$template
    ensure_prefix
    # Unmanaged windows spare each hidden window Wine's wait for a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    wine --version >"$template/.suite-wine"
fi
rm -rf "$prefix" "$host_ffmpeg"
mkdir -p "$prefix" "$host_ffmpeg"
shared=(drive_c/windows/system32 drive_c/windows/winsxs)
tar -C "$template" "${shared[@]/#/--exclude=./}" -cf - . | tar -C "$prefix" -xf -
for folder in "${shared[@]}"; do cp -al "$template/$folder" "$prefix/$folder"; done
export WINEPREFIX=$prefix

for tool in ffmpeg ffprobe; do
    printf '#!/bin/sh\necho %s >>%q/calls.log\nexec %q "$@"\n' \
        "$tool" "$host_ffmpeg" "$(command -v "$tool")" >"$host_ffmpeg/$tool"
    chmod +x "$host_ffmpeg/$tool"
done

trap 'wineserver -k 2>/dev/null; wineserver -w' EXIT
PATH="$host_ffmpeg:$PATH" wine "$@"
