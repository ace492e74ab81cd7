#!/usr/bin/env bash
# The real program wearing its default skin, in a Wine virtual desktop (where
# Wine draws whole windows, frames included): a PNG of the desktop with the
# main dialog, for people to look at. Usage: main_dialog_shot.sh PROGRAM.exe OUT.png
set -euo pipefail

program=$1
out=$2
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
desktop="vodrix_shot_$$"

# A session of its own, so that the desktop and the program end with it.
setsid wine explorer "/desktop=$desktop,800x600" "$program" </dev/null >/dev/null 2>&1 &
leader=$!
finish() {
    kill -- "-$leader" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# Read whole: stopping early would end xwininfo with SIGPIPE.
desktop_window() {
    xwininfo -root -tree 2>/dev/null | awk -v name="$desktop" 'index($0, "\"" name) && !found { print $1; found = 1 }' ||
        true
}

# The picture is taken once the desktop shows more than its plain colour
# and two looks a second apart agree (the start-up worker has finished).
previous=""
for attempt in $(seq 90); do
    sleep 1
    window=$(desktop_window)
    [ -n "$window" ] || continue
    import -display "$DISPLAY" -window "$window" "$work/now.png" 2>/dev/null || continue
    colours=$(convert "$work/now.png" -format %k info: 2>/dev/null || echo 0)
    if [ "$colours" -gt 16 ] && [ -n "$previous" ] &&
        [ "$(compare -metric AE "$work/now.png" "$previous" null: 2>&1 || true)" = "0" ]; then
        cp "$work/now.png" "$out"
        echo "main dialog: $out ($colours colours)"
        exit 0
    fi
    cp "$work/now.png" "$work/before.png"
    previous="$work/before.png"
done
echo "the skinned main dialog never settled on the virtual desktop" >&2
exit 1
