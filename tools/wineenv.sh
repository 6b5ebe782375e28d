#!/bin/sh
# A private Wine desktop for tests: its own prefix, wineserver and Xvfb.
#   wineenv.sh prefix DIR    create the prefix, if it is not there yet
#   wineenv.sh up DIR        start Xvfb and wineserver, create the prefix
#   wineenv.sh run DIR CMD.. run a Windows program there; its output
#                            is printed when it ends
#   wineenv.sh down DIR      stop both, and all else still in the prefix
# With WINEENV_HOST_DISPLAY=1 it uses $DISPLAY instead of starting Xvfb;
# with WINEENV_ARCH=win32 the prefix is a 32-bit Windows.
# WINEENV_LC_ALL sets the locale of what run starts: Wine takes its ANSI
# code page from it (ja_JP.UTF-8 gives 932, hi_IN.UTF-8 gives 65001).
set -eu

cmd=$1 dir=$2
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX="$dir/prefix"
# Says the prefix is made; its number goes up whenever make_prefix_once
# changes, so that older prefixes are made again.
ready="$WINEPREFIX/.sweepane-ready-2"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko here: don't let wineboot ask for them. uxtheme.dll is
# taken from a program's own folder first, as Windows' search order does
# for a DLL outside KnownDLLs (Wine would load its own whatever lies there):
# the test with a planted DLL relies on it. Wine reads this variable from
# the Unix environment, which a Windows program cannot change for its
# children.
export WINEDLLOVERRIDES="mscoree,mshtml=;uxtheme=n,b"
export LC_ALL=ja_JP.UTF-8
run_locale=${WINEENV_LC_ALL:-ja_JP.UTF-8}
# Native 64-bit Wine for set-up: fast even where 32-bit code is emulated.
wine64=/usr/lib/wine/wine64
# WINEENV_ARCH=win32 makes the prefix a 32-bit Windows, which only the
# 32-bit Wine can set up.
if [ "${WINEENV_ARCH:-}" = win32 ]; then
    export WINEARCH=win32
    wine64=wine
fi

use_display() {
    if [ -f "$dir/display" ]; then
        DISPLAY=:$(cat "$dir/display")
        export DISPLAY
    fi
}

start_xvfb() {
    [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null && return
    rm -f "$dir/display"
    # -displayfd picks a free display and tells us which.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3>"$dir/display" >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! > "$dir/xvfb.pid"
    i=0
    while [ ! -s "$dir/display" ]; do
        i=$((i + 1))
        [ $i -lt 100 ] || { echo "wineenv: Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
        sleep 0.1
    done
}

# What the tests leave in Temp (program copies, deep katakana trees) is
# theirs alone: empty it when the desktop comes up and when it goes down.
empty_temp() {
    for t in "$WINEPREFIX"/drive_c/users/*/Temp; do
        [ -d "$t" ] && find "$t" -mindepth 1 -delete
    done
    return 0
}

make_prefix_once() {
    rm -rf "$WINEPREFIX"
    "$wine64" wineboot -i &&
    # Without this every destroyed window waits 2 s for the X window manager.
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f &&
    # The dialog asks for MS PGothic; show it in IPA's proportional Gothic.
    "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'ＭＳ Ｐゴシック' /d 'IPAPGothic' /f &&
    "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v 'MS PGothic' /d 'IPAPGothic' /f &&
    # No crash debugger, for 64- and 32-bit programs alike: Wine would start
    # winedbg, which waits for good. An empty command cannot start, and the
    # program then ends at once with its exception code, as it would on
    # Windows with no debugger set up.
    for key in 'HKLM\Software' 'HKLM\Software\Wow6432Node'; do
        "$wine64" reg add "$key\Microsoft\Windows NT\CurrentVersion\AeDebug" /v Debugger /d '' /f || return 1
    done &&
    # The 32-bit side (emulated or not) did not find Wine's own fonts here,
    # and drew caption buttons as letters; the Windows font folder works.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" &&
    wineserver -w
}

make_prefix() {
    [ -f "$ready" ] && return
    # A first wineboot now and then fails for no lasting reason: try twice.
    for try in 1 2; do
        if make_prefix_once >>"$dir/wineboot.log" 2>&1; then
            touch "$ready"
            return
        fi
        echo "wineenv: creating the prefix failed (try $try); log:" >&2
        tail -20 "$dir/wineboot.log" >&2
        wineserver -k 2>/dev/null || true
    done
    exit 1
}

take_down() {
    wineserver -k 2>/dev/null || true
    # A process that wineserver could not end (one stuck inside qemu, say)
    # would outlive the suite: end all that still runs in this prefix, but
    # this script and Xvfb.
    xvfb=$(cat "$dir/xvfb.pid" 2>/dev/null || true)
    for pid in $(grep -lsxz "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ | cut -d/ -f3); do
        [ "$pid" = $$ ] || [ "$pid" = "$xvfb" ] || kill -9 "$pid" 2>/dev/null || true
    done
    empty_temp
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        rm -f "$dir/xvfb.pid" "$dir/display"
    fi
}

case $cmd in
up)
    [ -n "${WINEENV_HOST_DISPLAY:-}" ] || start_xvfb
    use_display
    make_prefix
    empty_temp
    # Keep one server for the whole run: its services start only once.
    setsid wineserver -p >/dev/null 2>&1 </dev/null || true
    # Start services.exe and the desktop now, detached: they outlive the
    # program that starts them and would hold its output open.
    "$wine64" cmd /c exit >/dev/null 2>&1 </dev/null
    ;;
prefix)
    [ -f "$ready" ] && exit 0
    start_xvfb
    use_display
    make_prefix
    take_down
    ;;
run)
    use_display
    # Without a prefix Wine would make one of its own, and without a display
    # every window, the program's dialog among them, would fail to open.
    if [ ! -f "$ready" ] || [ -z "${DISPLAY:-}" ] ||
        { [ -f "$dir/display" ] && ! kill -0 "$(cat "$dir/xvfb.pid" 2>/dev/null)" 2>/dev/null; }; then
        echo "wineenv: $dir is not up (no prefix, or no display): run 'wineenv.sh up $dir' first" >&2
        exit 2
    fi
    # A program that Wine cannot end keeps what it was handed: hand it
    # files, not the caller's pipes, which ctest would wait on until the
    # test's time limit.
    out=$(mktemp "$dir/out.XXXXXX") err=$(mktemp "$dir/err.XXXXXX")
    status=0
    LC_ALL=$run_locale wine "$@" </dev/null >"$out" 2>"$err" || status=$?
    cat "$out"; cat "$err" >&2; rm -f "$out" "$err"
    exit $status
    ;;
down)
    take_down
    ;;
*)
    echo "usage: wineenv.sh up|run|down DIR [CMD...]" >&2
    exit 2
    ;;
esac
