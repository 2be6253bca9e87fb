#!/bin/sh
# with-wineserver.sh PREFIX COMMAND [ARGUMENT...]
#
# Runs COMMAND with one wineserver kept alive for the Wine prefix PREFIX the
# whole time, so each Windows program it starts under Wine takes a few
# hundredths of a second instead of starting its own server. Exits with
# COMMAND's status after ending the server.
set -u

prefix=$1
shift
case $prefix in /*) ;; *) prefix=$PWD/$prefix ;; esac
"$(dirname "$0")/wine-run.sh" "$prefix"
export WINEPREFIX="$prefix"
# The server that created the prefix goes away on its own after a moment.
wineserver -w
wineserver -p
# The first program of a session waits for Wine's own services to start.
wine cmd.exe /c exit >/dev/null 2>&1
"$@"
status=$?
wineserver -k
exit $status
