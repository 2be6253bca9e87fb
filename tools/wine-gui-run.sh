#!/bin/sh
# wine-gui-run.sh PREFIX PROGRAM [ARGUMENT...]
#
# Runs a Windows program that opens windows under Wine, on a virtual X
# display of its own (Xvfb) and in the Wine prefix PREFIX, which no other
# program uses at the same time: Wine's desktop process takes the display
# it is started with and keeps it. Afterwards Wine and the display end.
# Exits with the program's status.
set -u

prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
tools=$(cd "$(dirname "$0")" && pwd)

# A display of one's own: Xvfb names the first free number once it is ready.
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $xvfb 2>/dev/null; then
        echo "Xvfb startet nicht" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=:$(cat "$work/display")
export DISPLAY

# A server left from an earlier run still knows the display of then.
WINEPREFIX=$prefix wineserver -k 2>/dev/null
# Every window inside one Wine desktop window: Wine draws the captions and
# frames itself, and hiding a window does not wait for a window manager
# that Xvfb does not have (two seconds each time).
if [ ! -e "$prefix/.torvane-desktop" ]; then
    "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 &&
        "$tools/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
            /d 1280x1024 /f >/dev/null 2>&1 &&
        touch "$prefix/.torvane-desktop"
    # The desktop is made when the session starts: a new session takes it.
    WINEPREFIX=$prefix wineserver -w
fi
"$tools/wine-run.sh" "$prefix" "$@"
status=$?

WINEPREFIX=$prefix wineserver -k 2>/dev/null
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
rm -rf "$work"
exit $status
