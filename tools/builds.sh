# The build folders the project's commands share (sourced by test.sh and run.sh). All live under
# $TV_BUILD_DIR (default <repo>/build):
#   win    the Windows build (program and tests; run under Wine)
#   host   the native build with sanitizers and fuzz targets; its ctest also runs the tests of win
#   bench  the native Release build of the benchmarks
#   win32  the 32-bit program alone, where win had to be 64-bit to be runnable here
# shellcheck shell=bash

. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

TV_BUILD_DIR=${TV_BUILD_DIR:-$TV_REPO_DIR/build}
TV_JOBS=${TV_JOBS:-$(nproc)}

# tv_configure DIR cmake-arguments...: configures DIR from scratch when its cached toolchain differs from the
# requested one (a cache cannot change compilers), else configures again in place (quick, picks up new files).
tv_configure() {
    local dir=$1
    shift
    local want="" arg
    for arg in "$@"; do
        case $arg in -DCMAKE_TOOLCHAIN_FILE=*) want=${arg#*=} ;; esac
    done
    if [ -f "$dir/CMakeCache.txt" ]; then
        local have
        have=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$dir/CMakeCache.txt")
        if [ "$have" != "$want" ]; then
            echo "build: $dir was configured with another toolchain; starting it afresh" >&2
            rm -rf "$dir"
        fi
    fi
    cmake -G Ninja -S "$TV_REPO_DIR" -B "$dir" -Wno-dev "$@" >"$dir.configure.log" 2>&1 || {
        mkdir -p "$dir"
        cat "$dir.configure.log" >&2
        echo "build: configuring $dir failed" >&2
        return 1
    }
}

tv_configure_win() {
    mkdir -p "$TV_BUILD_DIR"
    tv_configure "$TV_BUILD_DIR/win" -DCMAKE_TOOLCHAIN_FILE="$(tv_windows_toolchain)"
}

tv_configure_win32() {
    tv_configure "$TV_BUILD_DIR/win32" -DCMAKE_TOOLCHAIN_FILE="$TV_REPO_DIR/cmake/mingw-i686.cmake"
}

tv_configure_host() {
    mkdir -p "$TV_BUILD_DIR"
    tv_configure "$TV_BUILD_DIR/host" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DTV_SANITIZE=ON -DTV_FUZZ=ON -DTV_WINDOWS_BUILD_DIR="$TV_BUILD_DIR/win"
}

tv_configure_bench() {
    mkdir -p "$TV_BUILD_DIR"
    tv_configure "$TV_BUILD_DIR/bench" -DCMAKE_BUILD_TYPE=Release -DTV_BENCH=ON
}

# tv_build DIR [targets...]: builds as much as it can (a broken target does not stop the others).
tv_build() {
    local dir=$1
    shift
    echo "build: $dir" >&2
    ninja -C "$dir" -j "$TV_JOBS" -k 0 "$@"
}
