#!/usr/bin/env bash
# Holds the module graph of CMakeLists.txt to the code: every tv_module(NAME DIR DEPS ...) must list exactly the
# modules its sources include, and only modules declared before it (so the graph cannot have a cycle).
#   tools/check-modules.sh     prints one line per fault and exits 1, or prints the graph and exits 0
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A dir_of deps_of
order=()
while read -r name dir rest; do
    order+=("$name")
    dir_of[$name]=$dir
    deps_of[$name]=$(sed -n 's/^DEPS *//p' <<<"$rest" | tr -s ' ' '\n' | sort -u | tr '\n' ' ')
done < <(sed -n 's/^tv_module(\([^)]*\)).*/\1/p' CMakeLists.txt)

module_of_path() {  # include path -> module name (the longest matching folder)
    local best="" len=0 n
    for n in "${order[@]}"; do
        case "$1" in "${dir_of[$n]}"/*) if [ ${#dir_of[$n]} -gt $len ]; then best=$n; len=${#dir_of[$n]}; fi ;; esac
    done
    echo "$best"
}

faults=0
declare -A seen
for name in "${order[@]}"; do
    dir=${dir_of[$name]}
    used=$( { grep -rhoE '^#include "[^"]+"' --include='*.cpp' --include='*.h' "$dir" || true; } |
           sed 's/#include "\(.*\)"/\1/' |
           while read -r inc; do
               m=$(module_of_path "$inc")
               if [ -n "$m" ] && [ "$m" != "$name" ]; then echo "$m"; fi
           done | sort -u | tr '\n' ' ')
    if [ "$used" != "${deps_of[$name]}" ]; then
        echo "modules: $name ($dir) includes [${used% }] but CMakeLists.txt gives DEPS [${deps_of[$name]% }]" >&2
        faults=1
    fi
    for d in ${deps_of[$name]}; do
        [ -n "${seen[$d]:-}" ] || { echo "modules: $name depends on $d, declared after it (a cycle or a misordering)" >&2; faults=1; }
    done
    seen[$name]=1
done
[ "$faults" = 0 ] || exit 1
for name in "${order[@]}"; do echo "modules: $name -> ${deps_of[$name]:-(none)}"; done
