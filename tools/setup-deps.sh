#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: the i686 MinGW-w64 cross compiler, Wine (32-bit),
# Xvfb, xdotool, ImageMagick, a Song/Ming CJK font, clang (libFuzzer) and the Google test libraries.
# Idempotent: it only asks apt for what is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
          g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32 xvfb xauth xdotool x11-utils imagemagick fonts-arphic-uming)

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then need_i386=1; fi

missing=()
for p in "${packages[@]}"; do
    q=$p; [ "$p" = wine32 ] && q=wine32:i386
    dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$need_i386" = 0 ] && [ ${#missing[@]} -eq 0 ]; then exit 0; fi

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
if [ "$need_i386" = 1 ]; then $SUDO dpkg --add-architecture i386; fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
