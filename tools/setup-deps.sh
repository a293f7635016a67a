#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: the MinGW-w64 cross compilers (32-bit for the
# program, 64-bit for machines that cannot run 32-bit code), Wine, Xvfb, xdotool, ImageMagick, a Song/Ming
# CJK font, clang (libFuzzer), Ninja, CMake and the Google test and benchmark libraries.
# Idempotent and quick when everything is there: it only asks apt for what is missing.
#
# Wine's 32-bit loader (wine32:i386) is a step of its own: it needs the i386 architecture, whose archive
# indexes may fail to download or lag behind the machine's own libraries, and some kernels cannot run it at
# all. Without it the Windows tests run as a 64-bit build (see wine-prefix.sh) and the shipped 32-bit
# program is still built, so its failure is reported and setup goes on.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev clang-format googletest libgtest-dev libgmock-dev
          libbenchmark-dev zlib1g-dev
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine64
          libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
          xvfb xauth xdotool x11-utils imagemagick fonts-arphic-uming fonts-wine fontconfig)
wine32=wine32:i386
# A failed attempt at the 32-bit loader is remembered for a day, so that every run does not ask apt again.
wine32_note=${XDG_CACHE_HOME:-${HOME:-/root}/.cache}/tocvane/wine32-unavailable

installed() {  # prints those of the named packages that are installed, native ones also without ":amd64"
    dpkg-query -W -f='${binary:Package} ${Status}\n' "$@" 2>/dev/null |
        awk '/ install ok installed$/ { print $1; sub(/:amd64$/, "", $1); print $1 }' || true
}
have=$(installed "${packages[@]}" "$wine32")
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p" <<<"$have" || missing+=("$p")
done
want_wine32=0
if ! grep -qxF "$wine32" <<<"$have"; then
    if [ -z "$(find "$wine32_note" -mmin -1440 2>/dev/null)" ]; then want_wine32=1; fi
fi
[ ${#missing[@]} -eq 0 ] && [ "$want_wine32" = 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root (missing: ${missing[*]} $wine32)" >&2; exit 1; }
    SUDO=sudo
fi
apt() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -q "$@" </dev/null; }

# apt_update [ignore-pattern]: refreshes the package lists, retrying a few times while an index fails to
# download (an archive mid-sync, a network hiccup). Failures whose lines match the pattern are tolerated.
# On failure prints the command and the archive lines that failed, and returns 1.
apt_update() {
    local ignore=${1:-} attempt log failed
    log=$(mktemp)
    for attempt in 1 2 3 4; do
        if apt update >"$log" 2>&1; then
            failed=$(grep -E '^(Err:|[WE]: Failed to fetch|E: )' "$log" || true)
        else
            failed=$(grep -E '^(Err:|[WE]: Failed to fetch|E: )' "$log" || echo "apt-get update exited non-zero")
        fi
        [ -n "$ignore" ] && failed=$(grep -vE "$ignore" <<<"$failed" || true)
        [ -z "$failed" ] && { rm -f "$log"; return 0; }
        [ "$attempt" = 4 ] && break
        echo "setup: apt-get update failed (attempt $attempt of 4); trying again in $((attempt * 10)) s" >&2
        sleep $((attempt * 10))
    done
    echo "setup: 'apt-get update' failed:" >&2
    sed 's/^/  /' <<<"$failed" >&2
    rm -f "$log"
    return 1
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}" >&2
    # The i386 lists (added for the 32-bit loader) are not needed here: their failures do not count.
    apt_update 'i386|Some index files failed to download' || exit 1
    apt install --no-install-recommends "${missing[@]}" >/dev/null || {
        echo "setup: 'apt-get install ${missing[*]}' failed" >&2
        exit 1
    }
fi

if [ "$want_wine32" = 1 ]; then
    reason=""
    added_i386=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
        added_i386=1
    fi
    echo "setup: installing $wine32 (Wine's 32-bit loader)" >&2
    if ! apt_update; then
        reason="the i386 package lists could not be downloaded"
    elif ! out=$(apt install --no-install-recommends "$wine32" 2>&1 >/dev/null); then
        reason=$(grep -m1 -E '^E: |unmet dependencies|Depends:' <<<"$out" | sed 's/^ *//' || true)
        reason="apt could not install it${reason:+ ($reason)}"
    fi
    if [ -n "$reason" ]; then
        echo "setup: $wine32 cannot be installed here: $reason;" \
             "the Windows tests run as a 64-bit build; the shipped 32-bit program is still built" >&2
        # Leave the machine's package sources as they were when nothing of i386 got installed.
        if [ "$added_i386" = 1 ] && [ -z "$(dpkg-query -W -f='${binary:Package}\n' '*:i386' 2>/dev/null)" ]; then
            $SUDO dpkg --remove-architecture i386 || true
        fi
        mkdir -p "$(dirname "$wine32_note")" && echo "$reason" >"$wine32_note" || true
    else
        rm -f "$wine32_note"
    fi
fi
exit 0
