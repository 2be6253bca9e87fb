#!/bin/sh
# wine-run.sh PREFIX [PROGRAM [ARGUMENT...]]
#
# Runs a program of the Windows build under Wine, in the Wine prefix PREFIX
# (a folder inside the build), without Wine's debug output. The prefix is
# created on first use; with no program, only that is done. This is the
# cross build's CMAKE_CROSSCOMPILING_EMULATOR, so tests start in parallel:
# a lock makes the first one create the prefix and the others wait for it.
set -eu

prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
export WINEPREFIX="$prefix" WINEDEBUG=-all
# Wine takes the ANSI code page from the locale: 1252, as on a German Windows.
export LC_ALL=C.UTF-8

if [ ! -e "$prefix/.torvane-ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    flock "$prefix.lock" sh -c '
        if [ ! -e "$WINEPREFIX/.torvane-ready" ]; then
            wineboot --init >/dev/null 2>&1
            touch "$WINEPREFIX/.torvane-ready"
        fi'
fi
# Wine's own Tahoma and Marlett (Debian's fonts-wine), which windows and
# their captions are drawn with, are found only in the prefix's font folder.
fonts="$prefix/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/tahoma.ttf" ]; then
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
fi

[ $# -eq 0 ] || exec wine "$@"
