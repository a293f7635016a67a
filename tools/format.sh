#!/usr/bin/env bash
# Formats the tree's C++ sources with clang-format and the house style in .clang-format:
#   tools/format.sh            rewrite every file that is not formatted
#   tools/format.sh --check    change nothing; list the files that are not formatted and exit 1 if any
# The files are those git tracks (*.cpp, *.h) plus new ones not yet added; build folders are never touched.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
check=0
[ "${1:-}" = --check ] && check=1
command -v clang-format >/dev/null || { echo "format: clang-format is not installed: run tools/setup-deps.sh" >&2; exit 2; }

mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -u)
if [ "$check" = 0 ]; then
    printf '%s\0' "${files[@]}" | xargs -0 -r -n 50 -P "$(nproc)" clang-format -i
    exit 0
fi
mapfile -t bad < <(printf '%s\0' "${files[@]}" |
                   xargs -0 -r -n 20 -P "$(nproc)" clang-format --dry-run -Werror 2>&1 |
                   sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*clang-format.*/\1/p' | sort -u)
if [ ${#bad[@]} -gt 0 ]; then
    echo "format: ${#bad[@]} file(s) are not formatted; tools/format.sh formats them:" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "format: ${#files[@]} files formatted" >&2
