#!/usr/bin/env bash
# Runs a fuzz target over a fresh corpus: the skin reader's, seeded with the
# sample skin at every version and the default skin, if built; or with
# --images the image decoder's, seeded with the default skin's bitmaps and
# the TGA files the host build made of one of them.
#   tools/fuzz_skin.sh [--images] BUILD_DIR [libFuzzer options]
# The test suite runs short passes (-runs=20000, --images -runs=5000); a
# long pass for example:
#   tools/fuzz_skin.sh build -runs=1000000
# Inputs that crash are kept in BUILD_DIR/fuzz/findings.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
target=skin
if [ "${1:-}" = "--images" ]; then
    target=image
    shift
fi
build=$(cd "$1" && pwd)
shift
fuzzer="$build/fuzz/tests/fuzz/${target}_fuzz"
findings="$build/fuzz/findings"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/seeds" "$findings"
if [ "$target" = image ]; then
    cp "$root"/res/skin/x-plus/images/*.bmp "$build"/host/tests/fuzz/image_seeds/*.tga "$work/seeds"
else
    "$build/host/tests/fuzz/skin_seeds" "$work/seeds"
    if [ -f "$build/dist/x-plus.smf" ]; then
        { printf '\0'; cat "$build/dist/x-plus.smf"; } >"$work/seeds/x-plus.smf"
    fi
fi

# New inputs go into the scratch corpus, never into the seeds.
"$fuzzer" -artifact_prefix="$findings/$target-" -print_final_stats=1 "$@" "$work/corpus" "$work/seeds"
