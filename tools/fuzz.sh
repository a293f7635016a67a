#!/usr/bin/env bash
# Fuzzes for real: tools/fuzz.sh [seconds per target] [target...]
# Builds the fuzz targets of the native build (build/host), then runs each from a random seed for the given
# time (default 60 s) over a scratch copy of its seeds. Every crashing, leaking, out-of-memory or slow input
# it finds is copied into the target's seeds (fuzz/corpus/<target>/) and noted in fuzz/findings.md, so that
# the test command replays it from then on. Targets are named as their source (storage_unpack ...).
# Exits 1 when something was found.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/builds.sh"
cd "$TV_REPO_DIR"

seconds=${1:-60}
shift || true
case $seconds in '' | *[!0-9]*) echo "usage: tools/fuzz.sh [seconds per target] [target...]" >&2; exit 2 ;; esac

"$TV_TOOLS_DIR/setup-deps.sh"
tv_configure_host
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
for t in "${targets[@]}"; do
    [ -f "fuzz/$t.cpp" ] || { echo "fuzz: no target $t (fuzz/$t.cpp)" >&2; exit 2; }
done
tv_build "$TV_BUILD_DIR/host" "${targets[@]/#/fuzz_}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
found=0
for t in "${targets[@]}"; do
    work=$scratch/$t/work
    out=$scratch/$t/found/
    mkdir -p "$work" "$out"
    log=$scratch/$t/log
    echo "fuzz: $t for $seconds s" >&2
    "$TV_BUILD_DIR/host/fuzz/fuzz_$t" -seed=0 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -report_slow_units=2 -artifact_prefix="$out" "$work" "fuzz/corpus/$t" >"$log" 2>&1 || true
    grep -E '^#[0-9]+ *DONE|^Done [0-9]+ runs' "$log" | tail -n1 >&2 || true
    for input in "$out"*; do
        [ -f "$input" ] || continue
        kind=$(basename "$input" | sed 's/-.*//')
        name=$kind-$(sha1sum "$input" | cut -c1-12)
        cp "$input" "fuzz/corpus/$t/$name"
        what=$(grep -m1 -E 'SUMMARY|ERROR: libFuzzer|ALARM|Slowest unit' "$log" | sed 's/^==[0-9]*==//' || true)
        printf -- '- %s `%s/%s` (%s bytes): %s\n' "$(date +%Y-%m-%d)" "$t" "$name" "$(stat -c %s "$input")" \
            "${what:-$kind}" >>fuzz/findings.md
        echo "fuzz: $t found $kind: fuzz/corpus/$t/$name" >&2
        found=1
    done
done
if [ "$found" = 1 ]; then
    echo "fuzz: new inputs are in fuzz/corpus and noted in fuzz/findings.md" >&2
    exit 1
fi
echo "fuzz: nothing found" >&2
