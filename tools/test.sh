#!/usr/bin/env bash
# Sets up, builds and runs every test: tools/test.sh [ctest arguments...]
#   - installs what is missing (tools/setup-deps.sh; needs root or sudo the first time)
#   - checks the formatting of the sources (tools/format.sh --check)
#   - builds the Windows build, the native build (sanitizers, fuzz targets) and the benchmarks (built only)
#   - runs one ctest over both builds: native tests, fuzz runs and the Windows tests under Wine
# Exits non-zero when a build or a test fails. Extra arguments go to ctest, e.g. `tools/test.sh -R storage`.
# TV_BUILD_DIR chooses the build root (default build/), TV_JOBS the parallelism (default: all cores).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/builds.sh"
cd "$TV_REPO_DIR"

"$TV_TOOLS_DIR/setup-deps.sh"
echo "setup: done in $SECONDS s" >&2
started=$SECONDS
# Windows tests run on a private Xvfb, never on the desktop (TV_TEST_DISPLAY=1 keeps DISPLAY).
[ "${TV_TEST_DISPLAY:-0}" = 1 ] || unset DISPLAY

# The Wine prefix boots while the compilers run; the tests wait for it below.
prefix=$TV_BUILD_DIR/wineprefix
mkdir -p "$TV_BUILD_DIR"
"$TV_TOOLS_DIR/wine-prefix.sh" ensure "$prefix" </dev/null >"$TV_BUILD_DIR/wineprefix.ensure.log" 2>&1 &
prefix_job=$!
stop_wine() { "$TV_TOOLS_DIR/wine-prefix.sh" stop "$prefix" >/dev/null 2>&1 || true; }
trap stop_wine EXIT

failed=()
# Code that clang-format would change fails the run (tools/format.sh formats it).
"$TV_TOOLS_DIR/format.sh" --check || failed+=("format")
tv_configure_win || failed+=("configure win")
tv_configure_host || failed+=("configure host")
tv_configure_bench || failed+=("configure bench")

[ -f "$TV_BUILD_DIR/win/build.ninja" ] && { tv_build "$TV_BUILD_DIR/win" || failed+=("build win"); }
[ -f "$TV_BUILD_DIR/host/build.ninja" ] && { tv_build "$TV_BUILD_DIR/host" || failed+=("build host"); }
# Benchmarks only have to keep compiling here (the Windows ones are part of build/win); tools/bench.sh runs them.
[ -f "$TV_BUILD_DIR/bench/build.ninja" ] && { tv_build "$TV_BUILD_DIR/bench" bench/all || failed+=("build bench"); }
# Where the Windows build had to be 64-bit, the shipped 32-bit program is still built.
if [ "$(tv_windows_toolchain)" != "$TV_REPO_DIR/cmake/mingw-i686.cmake" ]; then
    if tv_configure_win32; then
        if ninja -C "$TV_BUILD_DIR/win32" -t targets all | grep '^Tocvane:' >/dev/null; then
            tv_build "$TV_BUILD_DIR/win32" Tocvane || failed+=("build win32")
        fi
    else
        failed+=("configure win32")
    fi
fi
echo "build: done in $((SECONDS - started)) s" >&2

wait "$prefix_job" || { cat "$TV_BUILD_DIR/wineprefix.ensure.log" >&2; failed+=("wine prefix"); }

status=0
started=$SECONDS
ctest --test-dir "$TV_BUILD_DIR/host" -j "$TV_JOBS" --output-on-failure "$@" || status=$?
echo "test: done in $((SECONDS - started)) s" >&2
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED steps: ${failed[*]}" >&2
    [ "$status" = 0 ] && status=1
fi
exit "$status"
