#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: the MinGW-w64 cross compilers (32-bit for the
# program, 64-bit for machines that cannot run 32-bit code), Wine, Xvfb, xdotool, ImageMagick, a Song/Ming
# CJK font, clang (libFuzzer), Ninja, CMake and the Google test and benchmark libraries.
# Idempotent and quick when everything is there: it only asks apt for what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine wine64 wine32:i386
          libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
          xvfb xauth xdotool x11-utils imagemagick fonts-arphic-uming fonts-wine fontconfig)

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then need_i386=1; fi

# One query for all: "name[:arch] status" of each installed package; native ones have no ":arch".
installed=$(dpkg-query -W -f='${binary:Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
            awk '/ install ok installed$/ { print $1; sub(/:amd64$/, "", $1); print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [ "$need_i386" = 0 ] && [ ${#missing[@]} -eq 0 ]; then exit 0; fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root (missing: ${missing[*]})" >&2; exit 1; }
    SUDO=sudo
fi
# wine32 comes from the i386 architecture, whose package lists only arrive with the next update.
if [ "$need_i386" = 1 ]; then $SUDO dpkg --add-architecture i386; fi
echo "setup: installing ${missing[*]}" >&2
apt() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq "$@" </dev/null; }
apt update
apt install --no-install-recommends "${missing[@]}" >/dev/null
