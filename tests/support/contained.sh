#!/usr/bin/env bash
# contained.sh PROGRAM ARGS...: runs one test program for CTest so that,
# however it ends (crash, fatal assertion, killed), nothing it started stays
# running, also what it started through the host shell, which no Windows job
# holds. Everything it starts inherits a tag in its environment by which
# end_tagged.sh finds it.
#
# The program's output reaches CTest through a file: a process that kept
# CTest's pipe open (Wine's desktop process, started by whichever test first
# shows a window) would otherwise hold back the test's end until it exits.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tag="$$-$(date +%s%N)"
output=$(mktemp)

VODRIX_TEST_TAG=$tag "$@" >"$output" 2>&1 </dev/null &
program=$!
tail -s 0.2 --pid="$program" -n +1 -f "$output" &
follower=$!

# At its timeout CTest kills this script and its descendants; a watcher that
# is none of them (a new session, its parent gone at once) still ends what
# the program started.
( setsid bash -c 'tail -s 1 --pid="$1" -f /dev/null; exec "$2" VODRIX_TEST_TAG "$3"' \
    watcher "$$" "$here/end_tagged.sh" "$tag" </dev/null >/dev/null 2>&1 & )

wait "$program"
status=$?
wait "$follower"
bash "$here/end_tagged.sh" VODRIX_TEST_TAG "$tag" || status=1
rm -f "$output"
exit "$status"
