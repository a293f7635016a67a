#!/usr/bin/env bash
# Runs a Windows program under Wine and returns its exit code: tools/wine-run.sh prog.exe [args...]
# The test runner starts every Windows test through this script. The program runs in the private prefix of
# its build (see wine-prefix.sh), on the caller's DISPLAY or else on the prefix's private Xvfb.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

if [ $# -lt 1 ]; then
    echo "usage: $0 program.exe [arguments...]" >&2
    exit 2
fi
if [ ! -f "$1" ]; then
    echo "wine-run: no such program: $1" >&2
    exit 2
fi
# A 32-bit program needs the 32-bit loader, which some kernels cannot execute (no 32-bit support).
if [ "$(tv_pe_machine "$1")" = 14c ] && [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "wine-run: this machine cannot run 32-bit programs ($1);" \
         "configure the Windows build with -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake" >&2
    exit 125
fi
tv_wine_ensure "$(tv_wine_prefix_for "$1")" || exit 125
exec "$TV_WINE" "$@"
