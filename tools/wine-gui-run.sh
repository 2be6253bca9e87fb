#!/bin/sh
# wine-gui-run.sh [--dpi N] PREFIX [PROGRAM [ARGUMENT...]]
#
# Runs a Windows program that opens windows under Wine in the Wine prefix
# PREFIX, which no other program uses at the same time, on a virtual
# display of its own (tools/with-xvfb.sh), never on the user's. Wine's desktop process takes the
# display it is started with and keeps it, so a server left from before
# is ended first, and Wine ends with the program. With no program, only
# the prefix is made ready. --dpi gives the prefix's screen resolution
# when it is made (96 otherwise). Exits with the program's status.
set -u

dpi=96
if [ "$1" = --dpi ]; then
    dpi=$2
    shift 2
fi
prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
tools=$(cd "$(dirname "$0")" && pwd)
if [ -z "${TORVANE_XVFB:-}" ] || [ "$TORVANE_XVFB" != "${DISPLAY:-}" ]; then
    exec "$tools/with-xvfb.sh" "$0" --dpi "$dpi" "$prefix" "$@"
fi

WINEPREFIX=$prefix wineserver -k 2>/dev/null
# Every window inside one Wine desktop window: Wine draws the captions and
# frames itself, and hiding a window does not wait for a window manager
# that Xvfb does not have (two seconds each time).
if [ ! -e "$prefix/.torvane-desktop" ]; then
    "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
        "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
            /d 1280x1024 /f >/dev/null 2>&1 &&
        "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
            /d "$dpi" /f >/dev/null 2>&1 &&
        touch "$prefix/.torvane-desktop"
    # The desktop is made when the session starts: a new session takes it.
    WINEPREFIX=$prefix wineserver -w
fi
[ $# -gt 0 ] || exit 0

"$tools/wine-run.sh" "$prefix" "$@"
status=$?
WINEPREFIX=$prefix wineserver -k 2>/dev/null
exit $status
