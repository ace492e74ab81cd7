#!/usr/bin/env bash
# Prints how fast a skin loads (file to object model, images decoded)
# compared with the LZO1X decompression of its body alone. Uses the default
# skin when the build has made it, else a skin compiled from the test sample
# with images of a realistic size.
#   bench/skin_load.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bench="$build/host/bench/skin/skin_load_bench"
skin="$build/dist/x-plus.smf"
if [ ! -f "$skin" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    /usr/bin/python3 "$root/bench/skin/make_bench_skin.py" "$work"
    "$build/host/tools/skin/skinc" "$work/bench.skin" "$work/bench.smf"
    skin="$work/bench.smf"
    echo "(no default skin built: a stand-in with $(ls "$work"/images | wc -l) images)"
fi
echo "skin: $skin"
"$bench" "$skin" 200
