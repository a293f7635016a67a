#!/usr/bin/env bash
# Builds and runs the benchmarks: tools/bench.sh [name-filter]
#   - the native ones (Google Benchmark, Release build in build/bench), each bench/<name>.cpp;
#   - the Windows ones (bench/win/<name>.cpp, our own harness) under Wine, from the Windows build.
# Results are printed as they come; each Windows benchmark reports its ratios and growth checks itself.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/builds.sh"
cd "$TV_REPO_DIR"
filter=${1:-}

"$TV_TOOLS_DIR/setup-deps.sh"
[ "${TV_TEST_DISPLAY:-0}" = 1 ] || unset DISPLAY
tv_configure_bench
tv_build "$TV_BUILD_DIR/bench" bench/all
tv_configure_win
tv_build "$TV_BUILD_DIR/win"
for b in "$TV_BUILD_DIR"/bench/bench/bench_*; do
    [ -x "$b" ] || continue
    case $(basename "$b") in *"$filter"*) ;; *) continue ;; esac
    echo "== $(basename "$b")"
    "$b"
done
for b in "$TV_BUILD_DIR"/win/bench/bench_*.exe; do
    [ -f "$b" ] || continue
    case $(basename "$b") in *"$filter"*) ;; *) continue ;; esac
    echo "== $(basename "$b" .exe) (under Wine)"
    "$TV_TOOLS_DIR/wine-run.sh" "$b" "$TV_BUILD_DIR/win/skins/tocvane.skn"
done
