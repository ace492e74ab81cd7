#!/usr/bin/env bash
# end_tagged.sh NAME VALUE: kills every process whose environment holds
# NAME=VALUE, until none is left. What a test starts inherits the tag it was
# given: the converter started through the host shell, the vec.exe it starts,
# the FFmpeg that vec.exe starts through the host shell in a session of its
# own, and Wine helpers such as conhost.exe. Wine's shared services may have
# been started by a tagged process too; they serve every other test as well
# and are left alone.
set -u
entry="$1=$2"

is_shared_service() {
    local program
    program=$(tr '\0' '\n' <"/proc/$1/cmdline" 2>/dev/null | head -n 1)
    program=${program##*[/\\]}
    case "${program,,}" in
        wineserver | wineserver64 | explorer.exe | services.exe | winedevice.exe | plugplay.exe | svchost.exe | rpcss.exe)
            return 0 ;;
    esac
    return 1
}

for _ in $(seq 50); do
    victims=()
    for environ in $(grep -lzxF -- "$entry" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        [ "$pid" = "$$" ] || is_shared_service "$pid" || victims+=("$pid")
    done
    [ ${#victims[@]} -eq 0 ] && exit 0
    kill -KILL "${victims[@]}" 2>/dev/null
    sleep 0.1
done
echo "end_tagged.sh: processes tagged $entry survive: ${victims[*]}" >&2
exit 1
