#!/bin/sh
# with-xvfb.sh COMMAND [ARGUMENT...]
#
# Runs COMMAND on a virtual X display of its own (Xvfb, 1280 x 1024), named
# in DISPLAY, and ends the display afterwards. Exits with COMMAND's status.
set -u

# Xvfb names the first free display number once it is ready.
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
tries=0
until [ -s "$work/display" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 $xvfb 2>/dev/null; then
        echo "Xvfb startet nicht" >&2
        rm -rf "$work"
        exit 1
    fi
    sleep 0.05
done
DISPLAY=:$(cat "$work/display")
TORVANE_XVFB=$DISPLAY
export DISPLAY TORVANE_XVFB

"$@"
status=$?

kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
rm -rf "$work"
exit $status
