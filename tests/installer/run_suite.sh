#!/usr/bin/env bash
# run_suite.sh PREFIX HOST_FFMPEG TEST_PROGRAM ARGS...: runs the installer suite
# in a Wine prefix of its own, so that installs, uninstalls and the machine-wide
# entries they make touch no other suite's prefix. The prefix is made once for
# each Wine version (a first wineboot takes 10-20 s) and kept as
# PREFIX.template; each run starts on a fresh copy of it, so no run sees what an
# earlier one left behind. Wine's own programs and libraries (half a gigabyte,
# which Wine only rewrites when its version changes) are hard links into the
# template; everything else is copied.
#
# HOST_FFMPEG receives stand-ins for the host's ffmpeg and ffprobe, first on
# the prefix's path: each call is noted in HOST_FFMPEG/calls.log, and they
# refuse to run while HOST_FFMPEG/refuse exists, so that the suite sees which
# FFmpeg a conversion used.
#
# Everything the run started in the prefix ends with it.
set -u
prefix=$1 host_ffmpeg=$2
shift 2
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(dirname "$prefix")
# shellcheck source=scripts/wine-env
. "$root/scripts/wine-env"
unset VODRIX_SETTINGS_KEY

template="$prefix.template"
ready="$template/.installer-suite-ready"
wine_version=$(wine --version)
if [ "$(cat "$ready" 2>/dev/null)" != "$wine_version" ]; then
    rm -rf "$template"
    export WINEPREFIX=$template
    ensure_prefix
    # Unmanaged windows spare every hidden top-level window Wine's wait for a window manager.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    echo "$wine_version" >"$ready"
fi
rm -rf "$prefix"
mkdir -p "$prefix"
shared=(drive_c/windows/system32 drive_c/windows/winsxs)
tar -C "$template" "${shared[@]/#/--exclude=./}" -cf - . | tar -C "$prefix" -xf -
for folder in "${shared[@]}"; do
    cp -al "$template/$folder" "$prefix/$folder"
done
export WINEPREFIX=$prefix

rm -rf "$host_ffmpeg"
mkdir -p "$host_ffmpeg"
for tool in ffmpeg ffprobe; do
    real=$(command -v "$tool") || { echo "run_suite.sh: no $tool on this machine" >&2; exit 1; }
    cat >"$host_ffmpeg/$tool" <<STANDIN
#!/bin/sh
if [ -e '$host_ffmpeg/refuse' ]; then
    echo "$tool: switched off for this run" >&2
    exit 127
fi
echo $tool >>'$host_ffmpeg/calls.log'
exec '$real' "\$@"
STANDIN
    chmod +x "$host_ffmpeg/$tool"
done

end_prefix() {
    wineserver -k >/dev/null 2>&1
    wineserver -w
}
trap end_prefix EXIT

PATH="$host_ffmpeg:$PATH" wine "$@"
