#!/usr/bin/env bash
# readonly_view.sh FOLDER VIEW COMMAND...: runs COMMAND while VIEW shows
# FOLDER read-only. Root ignores file permissions and under Wine the
# wineserver opens the files: only a read-only mount refuses every writer.
# FOLDER itself stays writable for the suites beside this one. The view is
# undone when COMMAND ends; a detached watcher undoes it when CTest kills
# this script, and a view left over is undone first. A refused mount is
# told to COMMAND in VODRIX_READONLY_REFUSED.
set -u
folder=$1
view=$2
shift 2

undo() {
    while mountpoint -q "$view"; do
        umount "$view" || umount -l "$view" || return
    done
}

undo
mkdir -p "$view"
if ! refusal=$(mount --bind "$folder" "$view" 2>&1 && mount -o remount,ro,bind "$view" 2>&1); then
    undo
    export VODRIX_READONLY_REFUSED="the system refused a read-only bind mount of $folder at $view: $refusal"
fi
export -f undo
( setsid bash -c 'view=$2; tail -s 1 --pid="$1" -f /dev/null; undo' watcher "$$" "$view" </dev/null >/dev/null 2>&1 & )

"$@"
status=$?
undo
exit "$status"
