#!/usr/bin/env bash
# The private Wine environment that Windows programs of a build run in: one prefix per build root
# (<build root>/wineprefix), an X display (the caller's DISPLAY, else a private Xvfb kept for the prefix) and a
# persistent wineserver so that each program starts quickly.
#
# Sourced by wine-run.sh and run.sh; also a command of its own:
#   tools/wine-prefix.sh ensure [PREFIX]   create and configure the prefix, start the display and the server
#   tools/wine-prefix.sh stop   [PREFIX]   stop the server and the private Xvfb of the prefix
#   tools/wine-prefix.sh env    [PREFIX]   print the environment a program runs with (for a shell: eval)
# PREFIX defaults to $TV_WINEPREFIX, then to <repo>/build/wineprefix.
#
# Several programs may start at once (ctest -j): creation and start-up run under an flock on <prefix>.lock,
# running the programs themselves does not.

TV_TOOLS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TV_REPO_DIR=$(dirname "$TV_TOOLS_DIR")

# Bump when the configuration below changes; a prefix with another stamp is configured again.
TV_WINE_SETTINGS_VERSION=3

# The 64-bit loader runs 64-bit programs itself and hands 32-bit ones to the 32-bit loader, so it is the
# preferred entry whenever it is installed.
tv_wine_tools() {
    if [ -x /usr/lib/wine/wine64 ]; then
        TV_WINE=/usr/lib/wine/wine64
        TV_WINESERVER=/usr/lib/wine/wineserver64
        TV_WINEARCH=win64
    elif command -v wine64 >/dev/null 2>&1; then
        TV_WINE=$(command -v wine64)
        TV_WINESERVER=$(command -v wineserver)
        TV_WINEARCH=win64
    elif command -v wine >/dev/null 2>&1; then
        TV_WINE=$(command -v wine)
        TV_WINESERVER=$(command -v wineserver)
        TV_WINEARCH=win32
    else
        echo "wine is not installed: run tools/setup-deps.sh" >&2
        return 1
    fi
    [ -x /usr/lib/wine/wineserver32 ] && [ "$TV_WINEARCH" = win32 ] && TV_WINESERVER=/usr/lib/wine/wineserver32
    return 0
}

# The toolchain file for the Windows build whose programs this machine can run under Wine: 32-bit, as the
# program ships, unless the kernel cannot execute 32-bit code (then Wine's 32-bit loader fails to start).
tv_windows_toolchain() {
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "$TV_REPO_DIR/cmake/mingw-i686.cmake"
    else
        echo "$TV_REPO_DIR/cmake/mingw-x86_64.cmake"
    fi
}

# The prefix for a program: $TV_WINEPREFIX, else "wineprefix" beside the build folder that holds the
# program (the folder with CMakeCache.txt), else <repo>/build/wineprefix.
tv_wine_prefix_for() {
    if [ -n "${TV_WINEPREFIX:-}" ]; then
        echo "$TV_WINEPREFIX"
        return
    fi
    local d
    d=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || d=""
    while [ -n "$d" ] && [ "$d" != / ]; do
        if [ -f "$d/CMakeCache.txt" ]; then
            echo "$(dirname "$d")/wineprefix"
            return
        fi
        d=$(dirname "$d")
    done
    echo "$TV_REPO_DIR/build/wineprefix"
}

tv_wine_env() {
    export WINEPREFIX=$1
    export WINESERVER=$TV_WINESERVER
    export WINEDEBUG=${TV_WINEDEBUG:--all}
    # No Mono or Gecko installer prompts: the programs need neither.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# The machine field of a PE file's header in hex: 14c for x86, 8664 for x64, empty when not a PE file.
tv_pe_machine() {
    local off
    off=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 0
    [ -n "$off" ] || return 0
    local m
    m=$(od -An -tx2 -j$((off + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$m" ] && printf '%x\n' "0x$m"
}

# Readies the prefix of the program EXE for a test script: 0 when ready; 125 (after saying why) when this
# machine cannot run it or the prefix cannot be made.
tv_wine_ready_for() {
    local exe=$1
    if [ "$(tv_pe_machine "$exe")" = 14c ] && [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "skipped: this machine cannot run 32-bit programs"
        return 125
    fi
    tv_wine_ensure "$(tv_wine_prefix_for "$exe")" || return 125
}

# Sets DISPLAY: the caller's, else the prefix's private Xvfb (started if it is not running).
# Call with the prefix lock held.
tv_wine_display() {
    local prefix=$1 state=$1.display n pid
    if [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    if [ -f "$state" ]; then
        read -r n pid <"$state" || true
        if [ -n "${n:-}" ] && [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null && [ -S "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=:$n
            return 0
        fi
    fi
    command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: run tools/setup-deps.sh" >&2; return 1; }
    local fdfile
    fdfile=$(mktemp)
    # Xvfb picks a free display itself and writes its number once it accepts clients. It runs in a session
    # of its own with no inherited descriptors, so it outlives this script and never holds a test's output.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 1 200); do
        n=$(head -n1 "$fdfile" 2>/dev/null || true)
        [ -n "$n" ] && break
        sleep 0.05
    done
    rm -f "$fdfile"
    if [ -z "$n" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    pid=$!
    echo "$n $pid" >"$state"
    export DISPLAY=:$n
}

tv_wine_stamp() {
    {
        echo "$TV_WINE_SETTINGS_VERSION $TV_WINEARCH"
        "$TV_WINE" --version 2>/dev/null
        cat "$TV_TOOLS_DIR"/fonts/*.reg 2>/dev/null
    } | md5sum | cut -d' ' -f1
}

# Boots a new prefix and applies the settings the programs rely on. Call with the prefix lock held.
tv_wine_configure() {
    local prefix=$1 stamp
    stamp=$(tv_wine_stamp)
    if [ -f "$prefix/.tv-stamp" ] && [ "$(cat "$prefix/.tv-stamp")" = "$stamp" ]; then
        return 0
    fi
    mkdir -p "$(dirname "$prefix")"
    echo "wine: preparing the prefix $prefix" >&2
    # Configure under a server of its own that ends with the last program, so that the registry is on disk
    # before the stamp says the prefix is ready.
    "$TV_WINESERVER" -k >/dev/null 2>&1 || true
    "$TV_WINESERVER" -w >/dev/null 2>&1 || true
    (
        export WINEARCH=$TV_WINEARCH
        "$TV_WINE" wineboot -i
        # Windows 7, as the program targets.
        "$TV_WINE" winecfg -v win7
        # A crashing program ends with its exit code instead of waiting on a dialog box.
        "$TV_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
        # Wine draws the window frames itself rather than leaving them to a window manager, so the frame a
        # program paints (WM_NCPAINT) is what shows on screen and in screenshots, with or without a manager.
        "$TV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f
        # Test programs' windows are left alone by any window manager: without one (Xvfb) Wine would wait
        # two seconds for it each time a window is hidden or destroyed. The program itself stays managed, so
        # it behaves as usual on a desktop.
        "$TV_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f
        "$TV_WINE" reg add 'HKCU\Software\Wine\AppDefaults\Tocvane.exe\X11 Driver' /v Managed /t REG_SZ /d Y /f
        # Song face names of the Chinese UI mapped to an installed CJK font.
        local reg
        for reg in "$TV_TOOLS_DIR"/fonts/*.reg; do
            [ -f "$reg" ] || continue
            echo "importing $reg"
            "$TV_WINE" regedit /S "$(winepath_of "$reg")"
        done
        "$TV_WINESERVER" -w
    ) </dev/null >"$prefix.log" 2>&1 || {
        echo "wine: preparing the prefix failed, see $prefix.log" >&2
        return 1
    }
    echo "$stamp" >"$prefix/.tv-stamp"
}

# A Unix path as Wine sees it (Z: is the root of the Unix file system in every prefix).
winepath_of() {
    local p
    p=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    echo "Z:${p//\//\\}"
}

# Everything a program needs before it starts: tools, prefix, display, persistent server.
tv_wine_ensure() {
    local prefix=$1
    tv_wine_tools || return 1
    mkdir -p "$(dirname "$prefix")"
    prefix=$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")
    tv_wine_env "$prefix"
    exec 9>"$prefix.lock"
    flock 9
    if ! tv_wine_display "$prefix" || ! tv_wine_configure "$prefix"; then
        flock -u 9
        exec 9>&-
        return 1
    fi
    # A persistent server (idle for half an hour before it quits); a second start finds it and returns 2.
    if setsid "$TV_WINESERVER" -p1800 </dev/null >/dev/null 2>&1; then
        # A new server: start the session's system processes (services, devices, desktop) now, with no
        # inherited descriptors. Started by the first test instead, they would keep its output pipe open
        # and the test runner would wait for them.
        "$TV_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
    fi
    flock -u 9
    exec 9>&-
    return 0
}

tv_wine_stop() {
    local prefix=$1 n pid
    tv_wine_tools || return 1
    tv_wine_env "$prefix"
    "$TV_WINESERVER" -k >/dev/null 2>&1 || true
    if [ -f "$prefix.display" ]; then
        read -r n pid <"$prefix.display" || true
        if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null || true; fi
        rm -f "$prefix.display"
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    cmd=${1:-ensure}
    prefix=${2:-${TV_WINEPREFIX:-$TV_REPO_DIR/build/wineprefix}}
    case $cmd in
        ensure) tv_wine_ensure "$prefix" ;;
        stop) tv_wine_stop "$prefix" ;;
        env)
            tv_wine_ensure "$prefix"
            echo "export WINEPREFIX='$WINEPREFIX' WINESERVER='$WINESERVER' DISPLAY='$DISPLAY' WINEDEBUG='$WINEDEBUG'"
            printf 'export WINEDLLOVERRIDES=%q; wine() { %q "$@"; }\n' "$WINEDLLOVERRIDES" "$TV_WINE"
            ;;
        *)
            echo "usage: $0 ensure|stop|env [PREFIX]" >&2
            exit 2
            ;;
    esac
fi
