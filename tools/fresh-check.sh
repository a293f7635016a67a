#!/usr/bin/env bash
# Tries one of the README's commands as a newcomer would: tools/fresh-check.sh [--no-wine32] [--keep] run|test
# Builds a fresh Debian 12 root with debootstrap (packages from Debian's archive only), clones this
# repository's HEAD into it and runs tools/run.sh or tools/test.sh there as root, then reports the time of
# each phase. --no-wine32 makes Wine's 32-bit loader impossible to install in that root (as on a machine
# whose i386 archive is out of step), to check that setup goes on without it. --keep leaves the root in
# place (its path is printed). Needs root, debootstrap (installed when missing) and a few GB of disk; takes
# a while, so it is not part of the test command. Exits with the command's exit code.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

no_wine32=0
keep=0
command=""
for arg in "$@"; do
    case $arg in
    --no-wine32) no_wine32=1 ;;
    --keep) keep=1 ;;
    run | test) command=$arg ;;
    *) command="" && break ;;
    esac
done
[ -n "$command" ] || { echo "usage: tools/fresh-check.sh [--no-wine32] [--keep] run|test" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "fresh-check: needs root (debootstrap, chroot, mounts)" >&2; exit 2; }

if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get -y -qq install --no-install-recommends debootstrap >/dev/null
fi

root=$(mktemp -d "${TV_FRESH_DIR:-/var/tmp}/tocvane-fresh.XXXXXX")
mounts=()
cleanup() {
    local m i
    # Processes left in the root (a wineserver, an Xvfb) hold its mounts.
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null || true
    done
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
    if [ "$keep" = 1 ]; then echo "fresh-check: the root stays in $root" >&2; else rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT

phase_start=$SECONDS
times=()
phase() {  # phase NAME: closes the running phase under NAME
    times+=("$(printf '%-34s %5d s' "$1" $((SECONDS - phase_start)))")
    phase_start=$SECONDS
}

echo "fresh-check: debootstrap bookworm into $root" >&2
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$root.debootstrap.log" 2>&1 || {
    tail -n 20 "$root.debootstrap.log" >&2
    exit 1
}
rm -f "$root.debootstrap.log"
# The archive's security updates, as on any Debian 12 machine (the i386 trouble came from there).
cat >"$root/etc/apt/sources.list" <<'EOF'
deb http://deb.debian.org/debian bookworm main
deb http://deb.debian.org/debian bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No services start inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
if [ "$no_wine32" = 1 ]; then
    printf 'Package: wine32:i386\nPin: release *\nPin-Priority: -1\n' >"$root/etc/apt/preferences.d/no-wine32"
fi
phase "fresh Debian 12 root (debootstrap)"

for m in proc sys dev dev/pts; do
    mkdir -p "$root/$m"
    case $m in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    *) mount --bind "/$m" "$root/$m" ;;
    esac
    mounts+=("$root/$m")
done
mkdir -p "$root/dev/shm" && mount -t tmpfs shm "$root/dev/shm" && mounts+=("$root/dev/shm")

git clone -q --no-local "$repo" "$root/src"
git -C "$root/src" checkout -q "$(git -C "$repo" rev-parse HEAD)"
phase "clean clone of $(git -C "$repo" rev-parse --short HEAD)"

log=$root.$command.log
echo "fresh-check: tools/$command.sh in the fresh root (output: $log)" >&2
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI=true bash -c "cd /src && tools/$command.sh" </dev/null >"$log" 2>&1 || status=$?
phase "tools/$command.sh"

echo "fresh-check: tools/$command.sh exited $status; its last lines:"
tail -n 15 "$log"
echo
echo "fresh-check: times"
printf '  %s\n' "${times[@]}"
# The command's own phases, as it reports them.
grep -E '^(setup|build|test): .*done in [0-9]+ s|cannot be installed here' "$log" | sed 's/^/  /' || true
exit "$status"
