#!/usr/bin/env bash
# Runs the skin reader's fuzz target over a fresh corpus seeded with the
# sample skin at every version and the default skin, if built.
#   tools/fuzz_skin.sh BUILD_DIR [libFuzzer options]
# The test suite runs a short pass (-runs=20000); a long pass for example:
#   tools/fuzz_skin.sh build -runs=1000000
# Inputs that crash are kept in BUILD_DIR/fuzz/findings.
set -euo pipefail

build=$(cd "$1" && pwd)
shift
fuzzer="$build/fuzz/tests/fuzz/skin_fuzz"
seeder="$build/host/tests/fuzz/skin_seeds"
findings="$build/fuzz/findings"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/seeds" "$findings"
"$seeder" "$work/seeds"
if [ -f "$build/dist/x-plus.smf" ]; then
    { printf '\0'; cat "$build/dist/x-plus.smf"; } >"$work/seeds/x-plus.smf"
fi

# New inputs go into the scratch corpus, never into the seeds.
"$fuzzer" -artifact_prefix="$findings/" -print_final_stats=1 "$@" "$work/corpus" "$work/seeds"
